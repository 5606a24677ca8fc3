// SHA-256, as the history's hashes use it (libcrypto's, which uses the processor's SHA
// instructions where it has them).
#pragma once

#include <cstddef>

#include "storage/history/history_format.h"

namespace acv {

Digest Sha256(const void* data, std::size_t size);

}  // namespace acv
