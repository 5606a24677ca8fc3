// Windows open within the part of the screen that panels leave free.
#pragma once

class QWidget;

namespace acv {

// Makes the top-level `window` no larger than the free area of the screen it opens on, its
// frame included, as far as its contents' smallest size allows. A window keeps a size that
// fits.
void FitToScreen(QWidget& window);

}  // namespace acv
