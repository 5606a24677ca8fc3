#include "storage/format/record_scrambler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>

namespace acv {
namespace {

std::uint32_t Value(const StoredBlock& stored, int r, int k) {
  const std::uint8_t* in = stored.data() + 27 * r + 3 * k;
  return in[0] | (in[1] << 8) | (in[2] << 16);
}

TEST(RecordScramblerTest, ExtremeBlocksRoundTripWithinTwentyFourBits) {
  RecordScrambler scrambler(1);
  std::vector<PlainBlock> blocks(4);
  blocks[0].fill(0);
  blocks[1].fill(255);
  for (std::size_t i = 0; i < kPlainBlockSize; ++i) {
    blocks[2][i] = i % 2 == 0 ? 0 : 255;
    blocks[3][i] = i % 3 == 0 ? 255 : 0x80;
  }
  for (const PlainBlock& block : blocks) {
    for (int trial = 0; trial < 20; ++trial) {  // with different filler characters
      StoredBlock stored{};
      scrambler.ScrambleBlock(block, &stored);
      std::uint32_t largest = 0;
      for (int r = 0; r < 9; ++r) {
        for (int k = 0; k < 9; ++k) {
          largest = std::max(largest, Value(stored, r, k));
        }
      }
      EXPECT_LT(largest, 1u << 24);
      EXPECT_LT(largest, 1u << 20) << "keys keep stage 2 far below the 24-bit limit";
      PlainBlock back{};
      RecordScrambler::UnscrambleBlock(stored.data(), &back);
      EXPECT_EQ(back, block);
    }
  }
}

TEST(RecordScramblerTest, RandomBlocksRoundTripExactly) {
  RecordScrambler scrambler;
  std::mt19937 random(99);
  for (int trial = 0; trial < 20000; ++trial) {
    PlainBlock block{};
    for (auto& byte : block) {
      byte = static_cast<std::uint8_t>(random());
    }
    StoredBlock stored{};
    scrambler.ScrambleBlock(block, &stored);
    PlainBlock back{};
    RecordScrambler::UnscrambleBlock(stored.data(), &back);
    ASSERT_EQ(back, block) << "trial " << trial;
  }
}

TEST(RecordScramblerTest, FillerVariesTheStoredForm) {
  PlainBlock block{};
  block.fill(0x41);
  RecordScrambler a(1);
  RecordScrambler b(2);
  StoredBlock first{};
  StoredBlock second{};
  int differing = 0;
  for (int trial = 0; trial < 10; ++trial) {
    a.ScrambleBlock(block, &first);
    b.ScrambleBlock(block, &second);
    differing += first != second ? 1 : 0;
  }
  EXPECT_GT(differing, 0);
}

// The whole-record decoder against the block decoder, which follows the format matrix by matrix.
void ExpectSameAsBlockDecoder(const StoredRecord& stored, const std::string& what) {
  PlainImage whole{};
  RecordScrambler::Unscramble(stored.data(), &whole);
  for (std::size_t b = 0; b < kBlocksPerRecord; ++b) {
    PlainBlock block{};
    RecordScrambler::UnscrambleBlock(stored.data() + b * kStoredBlockSize, &block);
    ASSERT_TRUE(std::equal(block.begin(), block.end(), whole.begin() + b * kPlainBlockSize))
        << what << ", block " << b;
  }
}

void SetValue(StoredRecord* stored, std::size_t i, std::uint32_t value) {
  (*stored)[3 * i] = static_cast<std::uint8_t>(value);
  (*stored)[3 * i + 1] = static_cast<std::uint8_t>(value >> 8);
  (*stored)[3 * i + 2] = static_cast<std::uint8_t>(value >> 16);
}

TEST(RecordScramblerTest, RecordDecoderMatchesBlockDecoderOnScrambledRecords) {
  RecordScrambler scrambler(7);
  std::mt19937 random(11);
  for (int trial = 0; trial < 500; ++trial) {
    PlainImage plain{};
    for (auto& byte : plain) {
      byte = static_cast<std::uint8_t>(trial % 3 == 0 ? random() % 128 : random());
    }
    StoredRecord stored{};
    scrambler.Scramble(plain, &stored);
    ExpectSameAsBlockDecoder(stored, "scrambled record " + std::to_string(trial));
    PlainImage back{};
    RecordScrambler::Unscramble(stored.data(), &back);
    ASSERT_EQ(back, plain) << "trial " << trial;
  }
}

// Damaged or foreign bytes must decode exactly as the block decoder decodes them too: the
// salvage and the checksums depend on it. Extreme integers push every intermediate value to its
// largest magnitude and every rounding to its edges.
TEST(RecordScramblerTest, RecordDecoderMatchesBlockDecoderOnAnyStoredBytes) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 3000; ++trial) {
    StoredRecord stored{};
    for (auto& byte : stored) {
      byte = static_cast<std::uint8_t>(random());
    }
    ExpectSameAsBlockDecoder(stored, "random bytes " + std::to_string(trial));
  }
  constexpr std::uint32_t kEdges[] = {0, 1, 2, 0x7FFFFF, 0x800000, 0xFFFFFE, 0xFFFFFF};
  for (std::uint32_t edge : kEdges) {
    StoredRecord stored{};
    for (std::size_t i = 0; i < kRecordSize / 3; ++i) {
      SetValue(&stored, i, edge);
    }
    ExpectSameAsBlockDecoder(stored, "every integer " + std::to_string(edge));
  }
  for (int trial = 0; trial < 3000; ++trial) {
    StoredRecord stored{};
    for (std::size_t i = 0; i < kRecordSize / 3; ++i) {
      SetValue(&stored, i, kEdges[random() % std::size(kEdges)]);
    }
    ExpectSameAsBlockDecoder(stored, "edge mix " + std::to_string(trial));
  }
}

// The base matrices define the file format: decoding a fixed set of stored bytes must never
// change, or files already written could no longer be read.
TEST(RecordScramblerTest, DecodingOfFixedBytesNeverChanges) {
  StoredRecord stored{};
  for (std::size_t i = 0; i < kRecordSize / 3; ++i) {
    SetValue(&stored, i, static_cast<std::uint32_t>((i * 2654435761u) & 0xFFFFFF));
  }
  PlainImage plain{};
  RecordScrambler::Unscramble(stored.data(), &plain);
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (std::uint8_t byte : plain) {
    hash = (hash ^ byte) * 1099511628211u;
  }
  EXPECT_EQ(hash, 8896580359188445165u);
}

}  // namespace
}  // namespace acv
