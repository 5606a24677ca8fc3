// Windows open within the part of the screen that panels leave free.
#pragma once

class QWidget;

namespace acv {

// Makes the top-level `window` no larger than the free area of the screen it opens on, its
// frame included, as far as its contents' smallest size allows. A window keeps a size that
// fits. The pages of a wizard that would not fit scroll inside it, so that its buttons stay on
// the screen.
void FitToScreen(QWidget& window);

}  // namespace acv
