#include "storage/record_scrambler.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(RecordScramblerTest, GarbageDecodesWithoutFault) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 2000; ++trial) {
    StoredBlock stored{};
    for (auto& byte : stored) {
      byte = static_cast<std::uint8_t>(random());
    }
    PlainBlock plain{};
    RecordScrambler::UnscrambleBlock(stored.data(), &plain);
    PlainBlock again{};
    RecordScrambler::UnscrambleBlock(stored.data(), &again);
    EXPECT_EQ(plain, again);  // deterministic
  }
}

}  // namespace
}  // namespace acv
