// Feeds arbitrary bytes to the record decoder: unscrambling and verifying must never go wrong,
// the whole-record decoder must give the block decoder's bytes, and a record that passes its
// checksums must survive being stored again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  acv::StoredRecord stored{};
  std::memcpy(stored.data(), data, size < stored.size() ? size : stored.size());

  acv::PlainImage plain{};
  acv::RecordScrambler::Unscramble(stored.data(), &plain);
  for (std::size_t b = 0; b < acv::kBlocksPerRecord; ++b) {
    acv::PlainBlock block{};
    acv::RecordScrambler::UnscrambleBlock(stored.data() + b * acv::kStoredBlockSize, &block);
    if (std::memcmp(block.data(), plain.data() + b * acv::kPlainBlockSize, block.size()) != 0) {
      std::abort();  // the two decoders disagree
    }
  }

  acv::ResponseRecord record;
  if (acv::LoadImage(record, stored.data()) != acv::FileStatus::kOk) {
    return 0;
  }
  const std::string stamp(record.Text(acv::TextField::kSavedStamp));
  acv::ResponseRecord copy = record;
  const acv::StoredRecord again = acv::BuildImage(copy, stamp);
  acv::ResponseRecord back;
  if (acv::LoadImage(back, again.data()) != acv::FileStatus::kOk || !back.IsSameAs(record) ||
      back.Text(acv::TextField::kSavedStamp) != record.Text(acv::TextField::kSavedStamp)) {
    std::abort();  // a record that loaded once must store and load again as it was
  }
  return 0;
}
