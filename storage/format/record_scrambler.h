// Turns 80 plain bytes into 243 stored bytes and back, through two stages of nine 3x3 matrix
// transformers. The base matrices define the file format and never change.
#pragma once

#include <cstdint>
#include <random>

#include "storage/format/format.h"

namespace acv {

class RecordScrambler {
 public:
  // Filler generator seeded from the clock.
  RecordScrambler();
  // Filler generator with a fixed seed, for repeatable output.
  explicit RecordScrambler(std::uint64_t seed);

  void ScrambleBlock(const PlainBlock& plain, StoredBlock* stored);
  // Exact inverse of ScrambleBlock for every plain block; garbage in gives garbage out. This is
  // the decoding as the format defines it, one matrix at a time.
  static void UnscrambleBlock(const std::uint8_t* stored, PlainBlock* plain);

  // The nine blocks of one record, in order.
  void Scramble(const PlainImage& plain, StoredRecord* stored);
  // All nine blocks decoded side by side: the same bytes as UnscrambleBlock on each block, for
  // every stored record, only faster.
  static void Unscramble(const std::uint8_t* stored, PlainImage* plain);

 private:
  std::mt19937_64 generator_;
};

}  // namespace acv
