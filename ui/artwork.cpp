#include "ui/artwork.h"

#include <QDirIterator>
#include <QIcon>
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

QStringList UndrawableArtwork() {
  QStringList undrawable;
  QDirIterator pictures(QStringLiteral(":/artwork"), {QStringLiteral("*.svg")}, QDir::Files,
                        QDirIterator::Subdirectories);
  while (pictures.hasNext()) {
    const QString picture = pictures.next();
    if (QIcon(picture).pixmap(QSize(16, 16)).isNull()) {
      undrawable << picture;
    }
  }
  undrawable.sort();
  return undrawable;
}

}  // namespace acv
