// The artwork is compiled into a static library, so its resources are registered explicitly.
#pragma once

#include <QStringList>

namespace acv {

// Registers the artwork resources (":/artwork/..."); safe to call more than once.
void InitArtwork();

// The pictures of the artwork (toolbar buttons, icons, logo, banner) that cannot be drawn: all of
// them where Qt's SVG plugins are missing. Needs the application object.
QStringList UndrawableArtwork();

}  // namespace acv
