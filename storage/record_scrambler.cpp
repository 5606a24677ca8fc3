#include "storage/record_scrambler.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>

namespace acv {
namespace {

using Matrix = std::array<std::int64_t, 9>;  // 3x3, row-major
using Inverse = std::array<double, 9>;

// The base matrices. They define the file format: files written with other values cannot be
// read, so they never change. Every entry is 1..5 and every key is invertible; with bytes in,
// stage 1 stays below 18,205 and stage 2 below 728,200, well inside 24 bits.
constexpr Matrix kStage1Offset = {1, 2, 3, 4, 5, 1, 2, 3, 4};
constexpr Matrix kStage1Key1 = {2, 1, 1, 1, 3, 2, 1, 1, 4};
constexpr Matrix kStage1Key2 = {1, 2, 3, 2, 5, 3, 1, 1, 4};
constexpr Matrix kStage2Offset = {5, 4, 3, 2, 1, 5, 3, 2, 1};
constexpr Matrix kStage2Key1 = {3, 1, 2, 1, 4, 1, 2, 1, 5};
constexpr Matrix kStage2Key2 = {1, 1, 2, 2, 1, 1, 1, 3, 1};

// E = (R0, R7, R5, R3, R1, R8, R6, R4, R2); undone by taking element i from kUnpermute[i].
constexpr std::array<int, 9> kPermute = {0, 7, 5, 3, 1, 8, 6, 4, 2};
constexpr std::array<int, 9> kUnpermute = {0, 4, 8, 3, 7, 2, 6, 1, 5};

constexpr int kMinFiller = 32;
constexpr int kMaxFiller = 110;

// The inverse by Gauss-Jordan elimination in double precision; a pivot within 1e-6 of zero
// counts as zero (the keys above never have one).
Inverse Invert(const Matrix& key) {
  double a[3][6];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      a[i][j] = static_cast<double>(key[3 * i + j]);
      a[i][j + 3] = i == j ? 1.0 : 0.0;
    }
  }
  for (int col = 0; col < 3; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 3; ++row) {
      if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) {
        pivot = row;
      }
    }
    if (std::fabs(a[pivot][col]) < 0.000001) {
      return Inverse{};  // singular: never for the base matrices
    }
    for (int j = 0; j < 6; ++j) {
      std::swap(a[col][j], a[pivot][j]);
    }
    const double divisor = a[col][col];
    for (int j = 0; j < 6; ++j) {
      a[col][j] /= divisor;
    }
    for (int row = 0; row < 3; ++row) {
      if (row != col) {
        const double factor = a[row][col];
        for (int j = 0; j < 6; ++j) {
          a[row][j] -= factor * a[col][j];
        }
      }
    }
  }
  Inverse inverse{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      inverse[3 * i + j] = a[i][j + 3];
    }
  }
  return inverse;
}

struct Transformer {
  Matrix offset;
  Matrix key1;
  Matrix key2;
  Inverse inverse1;
  Inverse inverse2;
};

// Keys are set up once per process.
const Transformer& Stage(int stage) {
  static const std::array<Transformer, 2> stages = {
      Transformer{kStage1Offset, kStage1Key1, kStage1Key2, Invert(kStage1Key1),
                  Invert(kStage1Key2)},
      Transformer{kStage2Offset, kStage2Key1, kStage2Key2, Invert(kStage2Key1),
                  Invert(kStage2Key2)}};
  return stages[stage];
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix out{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      out[3 * i + j] = a[3 * i] * b[j] + a[3 * i + 1] * b[3 + j] + a[3 * i + 2] * b[6 + j];
    }
  }
  return out;
}

// a * b rounded element by element (add 0.5, truncate). Inputs come from untrusted bytes, so
// the result is kept within a range where the conversion is defined.
Matrix MultiplyRounded(const Matrix& a, const Inverse& b) {
  Matrix out{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const double value = static_cast<double>(a[3 * i]) * b[j] +
                           static_cast<double>(a[3 * i + 1]) * b[3 + j] +
                           static_cast<double>(a[3 * i + 2]) * b[6 + j];
      out[3 * i + j] = static_cast<std::int64_t>(std::trunc(value + 0.5));
    }
  }
  return out;
}

Matrix Encode(const Transformer& t, const Matrix& input) {
  Matrix sum{};
  for (int i = 0; i < 9; ++i) {
    sum[i] = input[i] + t.offset[i];
  }
  const Matrix r = Multiply(sum, t.key1);
  Matrix e{};
  for (int i = 0; i < 9; ++i) {
    e[i] = r[kPermute[i]];
  }
  return Multiply(e, t.key2);
}

Matrix Decode(const Transformer& t, const Matrix& input) {
  const Matrix e = MultiplyRounded(input, t.inverse2);
  Matrix r{};
  for (int i = 0; i < 9; ++i) {
    r[i] = e[kUnpermute[i]];
  }
  Matrix out = MultiplyRounded(r, t.inverse1);
  for (int i = 0; i < 9; ++i) {
    out[i] -= t.offset[i];
  }
  return out;
}

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

RecordScrambler::RecordScrambler() : generator_(ClockSeed()) {}

RecordScrambler::RecordScrambler(std::uint64_t seed) : generator_(seed) {}

void RecordScrambler::ScrambleBlock(const PlainBlock& plain, StoredBlock* stored) {
  // 80 bytes and one filler character make the 9x9 table.
  std::array<std::uint8_t, 81> table{};
  std::copy(plain.begin(), plain.end(), table.begin());
  const double r = std::generate_canonical<double, 53>(generator_);
  int filler = kMinFiller + static_cast<int>(std::floor(79 * r));
  filler = std::min(std::max(filler, kMinFiller), kMaxFiller);
  table[80] = static_cast<std::uint8_t>(filler);

  std::array<Matrix, 9> columns{};
  for (int c = 0; c < 9; ++c) {
    Matrix m{};
    for (int row = 0; row < 9; ++row) {
      m[row] = table[9 * row + c];
    }
    columns[c] = Encode(Stage(0), m);
  }
  for (int r2 = 0; r2 < 9; ++r2) {
    Matrix m{};
    for (int k = 0; k < 9; ++k) {
      m[k] = columns[k][r2];
    }
    const Matrix y = Encode(Stage(1), m);
    for (int k = 0; k < 9; ++k) {
      const auto value = static_cast<std::uint32_t>(y[k]);
      std::uint8_t* out = stored->data() + 27 * r2 + 3 * k;
      out[0] = static_cast<std::uint8_t>(value);
      out[1] = static_cast<std::uint8_t>(value >> 8);
      out[2] = static_cast<std::uint8_t>(value >> 16);
    }
  }
}

void RecordScrambler::UnscrambleBlock(const std::uint8_t* stored, PlainBlock* plain) {
  std::array<Matrix, 9> columns{};  // columns[k][r] is element r of column k's stage-1 output
  for (int r = 0; r < 9; ++r) {
    Matrix y{};
    for (int k = 0; k < 9; ++k) {
      const std::uint8_t* in = stored + 27 * r + 3 * k;
      y[k] = in[0] | (in[1] << 8) | (in[2] << 16);
    }
    const Matrix x = Decode(Stage(1), y);
    for (int k = 0; k < 9; ++k) {
      columns[k][r] = x[k];
    }
  }
  for (int c = 0; c < 9; ++c) {
    const Matrix m = Decode(Stage(0), columns[c]);
    for (int row = 0; row < 9; ++row) {
      const int index = 9 * row + c;
      if (index < static_cast<int>(kPlainBlockSize)) {
        (*plain)[index] = static_cast<std::uint8_t>(m[row] & 0xFF);
      }
    }
  }
}

void RecordScrambler::Scramble(const PlainImage& plain, StoredRecord* stored) {
  for (std::size_t b = 0; b < kBlocksPerRecord; ++b) {
    PlainBlock block{};
    std::copy_n(plain.begin() + b * kPlainBlockSize, kPlainBlockSize, block.begin());
    StoredBlock out{};
    ScrambleBlock(block, &out);
    std::copy(out.begin(), out.end(), stored->begin() + b * kStoredBlockSize);
  }
}

void RecordScrambler::Unscramble(const std::uint8_t* stored, PlainImage* plain) {
  for (std::size_t b = 0; b < kBlocksPerRecord; ++b) {
    PlainBlock block{};
    UnscrambleBlock(stored + b * kStoredBlockSize, &block);
    std::copy(block.begin(), block.end(), plain->begin() + b * kPlainBlockSize);
  }
}

}  // namespace acv
