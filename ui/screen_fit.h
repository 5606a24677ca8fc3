// Windows open within the part of the screen that panels leave free.
#pragma once

class QWidget;

namespace acv {

// Makes the top-level `window` no larger than the free area of the screen it opens on, its
// frame included, as far as its contents' smallest size allows. A window keeps a size that
// fits. What a window lays out (each page of a wizard) scrolls inside it where it would not fit,
// so that its buttons stay on the screen.
void FitToScreen(QWidget& window);
// Runs FitToScreen on the top-level `window` each time it is shown.
void FitOnShow(QWidget& window);

}  // namespace acv
