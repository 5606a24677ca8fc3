#include "storage/history/sha256.h"

#include <sodium.h>

namespace acv {

Digest Sha256(const void* data, std::size_t size) {
  Digest digest{};
  crypto_hash_sha256(digest.data(), static_cast<const unsigned char*>(data), size);
  return digest;
}

}  // namespace acv
