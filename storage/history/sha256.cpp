#include "storage/history/sha256.h"

#include <openssl/evp.h>

#include <memory>

namespace acv {
namespace {

struct ContextFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

// Each thread keeps one context set up for SHA-256: setting one up for every hash would cost
// more than hashing a short entry.
EVP_MD_CTX* Sha256Context() {
  thread_local const std::unique_ptr<EVP_MD_CTX, ContextFree> context = [] {
    std::unique_ptr<EVP_MD_CTX, ContextFree> made(EVP_MD_CTX_new());
    EVP_MD* method = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    if (made == nullptr || method == nullptr ||
        EVP_DigestInit_ex2(made.get(), method, nullptr) != 1) {
      made.reset();
    }
    EVP_MD_free(method);  // the context keeps its own reference
    return made;
  }();
  return context.get();
}

}  // namespace

Digest Sha256(const void* data, std::size_t size) {
  Digest digest{};
  EVP_MD_CTX* context = Sha256Context();
  // Without libcrypto's SHA-256 the hash stays zero, which no history entry verifies against.
  if (context != nullptr && EVP_DigestInit_ex2(context, nullptr, nullptr) == 1 &&
      EVP_DigestUpdate(context, data, size) == 1) {
    EVP_DigestFinal_ex(context, digest.data(), nullptr);
  }
  return digest;
}

}  // namespace acv
