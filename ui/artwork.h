// The artwork is compiled into a static library, so its resources are registered explicitly.
#pragma once

namespace acv {

// Registers the artwork resources (":/artwork/..."); safe to call more than once.
void InitArtwork();

}  // namespace acv
