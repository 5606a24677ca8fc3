#include "ui/artwork.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterArtworkResources() {
  Q_INIT_RESOURCE(artwork);
}

namespace acv {

void InitArtwork() {
  static const bool registered = [] {
    RegisterArtworkResources();
    return true;
  }();
  Q_UNUSED(registered);
}

}  // namespace acv
