// SHA-256, as the history's hashes use it.
#pragma once

#include <cstddef>

#include "storage/history/history_format.h"

namespace acv {

Digest Sha256(const void* data, std::size_t size);

}  // namespace acv
