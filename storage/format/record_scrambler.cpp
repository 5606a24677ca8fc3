#include "storage/format/record_scrambler.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstring>

#include "storage/format/coding.h"

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

// A stored three-byte integer, least significant byte first.
std::int32_t StoredInteger(const std::uint8_t* in) {
  return static_cast<std::int32_t>(DecodeFixed24(in));
}

// The same, read as four bytes from a buffer with one byte to spare, the fourth masked off.
std::int32_t StoredIntegerOfFour(const std::uint8_t* in) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint32_t word;
    std::memcpy(&word, in, sizeof word);
    return static_cast<std::int32_t>(word & 0xFFFFFF);
  } else {
    return StoredInteger(in);
  }
}

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

// A whole record's 81 matrices decoded at once. They are kept as nine planes: plane k holds
// element k (row k / 3, column k % 3) of every matrix, so each step runs straight along a plane.
// Every product is summed in the same order as in MultiplyRounded and rounded the same way (a
// rounded value is kept as a double, which holds it exactly; a zero may come out negative, which
// changes nothing that follows), so the bytes come out identical to the block decoder. The
// values stay integers below 2^31 in magnitude: stored integers are below 2^24, and the four
// inverses grow a value at most 8/7, 29/40, 25/2 and 7/8 times (largest column sum of
// magnitudes), about 1.75 x 10^8 in all. So the results convert exactly to 32-bit integers.
constexpr int kRecordMatrices = 81;
constexpr int kPlaneSize = 88;  // whole vectors of up to eight; the tail stays zero
using Plane = std::array<double, kPlaneSize>;
using Planes = std::array<Plane, 9>;
using PlaneOrder = std::array<int, 9>;

constexpr PlaneOrder kInOrder = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr Matrix kNoOffset = {};

void ZeroTails(Planes* planes) {
  for (Plane& plane : *planes) {
    std::fill(plane.begin() + kRecordMatrices, plane.end(), 0.0);
  }
}

// out = (in with its elements taken in `order`) * b, rounded, less `offset`.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("avx512f", "avx2", "sse4.1", "default")))
#endif
void MultiplyRoundedPlanes(const Planes& in, const PlaneOrder& order, const Inverse& b,
                           const Matrix& offset, Planes* out) {
  for (int i = 0; i < 3; ++i) {
    const Plane& a0 = in[order[3 * i]];
    const Plane& a1 = in[order[3 * i + 1]];
    const Plane& a2 = in[order[3 * i + 2]];
    Plane& o0 = (*out)[3 * i];
    Plane& o1 = (*out)[3 * i + 1];
    Plane& o2 = (*out)[3 * i + 2];
    const double less0 = static_cast<double>(offset[3 * i]);
    const double less1 = static_cast<double>(offset[3 * i + 1]);
    const double less2 = static_cast<double>(offset[3 * i + 2]);
    for (int m = 0; m < kPlaneSize; ++m) {
      const double v0 = a0[m] * b[0] + a1[m] * b[3] + a2[m] * b[6];
      const double v1 = a0[m] * b[1] + a1[m] * b[4] + a2[m] * b[7];
      const double v2 = a0[m] * b[2] + a1[m] * b[5] + a2[m] * b[8];
      o0[m] = std::trunc(v0 + 0.5) - less0;
      o1[m] = std::trunc(v1 + 0.5) - less1;
      o2[m] = std::trunc(v2 + 0.5) - less2;
    }
  }
}

// Decode of one transformer on every matrix of the record, in place.
void DecodePlanes(const Transformer& t, Planes* planes) {
  Planes scratch;  // every element written
  MultiplyRoundedPlanes(*planes, kInOrder, t.inverse2, kNoOffset, &scratch);
  MultiplyRoundedPlanes(scratch, kUnpermute, t.inverse1, t.offset, planes);
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
      EncodeFixed24(stored->data() + 27 * r2 + 3 * k, static_cast<std::uint32_t>(y[k]));
    }
  }
}

void RecordScrambler::UnscrambleBlock(const std::uint8_t* stored, PlainBlock* plain) {
  std::array<Matrix, 9> columns{};  // columns[k][r] is element r of column k's stage-1 output
  for (int r = 0; r < 9; ++r) {
    Matrix y{};
    for (int k = 0; k < 9; ++k) {
      y[k] = StoredInteger(stored + 27 * r + 3 * k);
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
  // Stage 2 first, on matrix 9b + r: the r-th group of nine integers of block b. The copy has a
  // spare byte for reading the last integer as four.
  std::array<std::uint8_t, kRecordSize + 1> bytes;
  std::memcpy(bytes.data(), stored, kRecordSize);
  bytes[kRecordSize] = 0;
  Planes planes;
  ZeroTails(&planes);
  for (int m = 0; m < kRecordMatrices; ++m) {
    for (int k = 0; k < 9; ++k) {
      planes[k][m] = static_cast<double>(StoredIntegerOfFour(bytes.data() + 27 * m + 3 * k));
    }
  }
  DecodePlanes(Stage(1), &planes);

  // Stage 1 works on columns: element r of matrix 9b + k (column k of block b) is element k of
  // stage-2 matrix 9b + r.
  Planes columns;
  ZeroTails(&columns);
  for (int b = 0; b < 9; ++b) {
    for (int k = 0; k < 9; ++k) {
      for (int r = 0; r < 9; ++r) {
        columns[r][9 * b + k] = planes[k][9 * b + r];
      }
    }
  }
  DecodePlanes(Stage(0), &columns);

  // Element `row` of column c of block b is plain byte 9 * row + c of that block; the 81st
  // byte of each block is the filler.
  std::array<std::array<std::uint8_t, kPlaneSize>, 9> low;
  for (int row = 0; row < 9; ++row) {
    for (int m = 0; m < kPlaneSize; ++m) {
      low[row][m] = static_cast<std::uint8_t>(static_cast<std::int32_t>(columns[row][m]) & 0xFF);
    }
  }
  for (int b = 0; b < 9; ++b) {
    for (int row = 0; row < 9; ++row) {
      const std::size_t width = row < 8 ? 9 : 8;
      std::memcpy(plain->data() + kPlainBlockSize * b + 9 * row, low[row].data() + 9 * b, width);
    }
  }
}

}  // namespace acv
