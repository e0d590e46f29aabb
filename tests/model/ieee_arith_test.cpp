// nextUp, nextDown and ULP of every format against exact integer arithmetic on the encodings.

#include <gtest/gtest.h>

#include <vector>

#include "model/formats.h"
#include "model/ieee_arith.h"
#include "model_test_support.h"

namespace orbalta {
namespace {

using test::hex;
using test::u128;

// Independent reference: the encodings of one sign are ordered like their values, so a step
// is +1 or -1 on the integer, with the two zeros and the infinities as the only joints.
struct Reference {
  const FormatSpec& format;

  Encoding sign() const { return format.signMask(); }
  Encoding infinity() const { return format.exponentMask(); }
  Encoding largest() const { return infinity() - 1; }
  bool isNaN(Encoding x) const {
    return (x & infinity()) == infinity() && (x & format.fractionMask()) != 0;
  }

  Encoding nextUp(Encoding x) const {
    if (x == infinity()) return x;
    if (x == (sign() | infinity())) return sign() | largest();
    if ((x & ~sign()) == 0) return 1;
    return (x & sign()) ? x - 1 : x + 1;
  }
  Encoding nextDown(Encoding x) const { return nextUp(x ^ sign()) ^ sign(); }

  // 2^k as an encoding, 0 below the smallest subnormal (k = Emin - Wt).
  Encoding power(int k) const {
    if (k >= format.emin) return Encoding(k + format.bias) << format.fractionWidth;
    const int shift = k - (format.emin - format.fractionWidth);
    return shift < 0 ? 0 : Encoding{1} << shift;
  }
  Encoding ulp(Encoding x) const {
    const int biased = static_cast<int>((x & infinity()) >> format.fractionWidth);
    if ((x & ~sign()) == 0) return power(-format.precision);
    if (biased == 0) return 0;
    return power(biased - format.bias - format.fractionWidth);
  }
};

// Edges of the format, both signs, and a deterministic spread of other encodings.
std::vector<Encoding> samples(const FormatSpec& format) {
  const Reference ref{format};
  const Encoding minNormal = Encoding{1} << format.fractionWidth;
  const Encoding one = Encoding(format.bias) << format.fractionWidth;
  std::vector<Encoding> out;
  for (Encoding magnitude :
       {Encoding{0}, Encoding{1}, Encoding{2}, minNormal - 1, minNormal, minNormal + 1, one - 1,
        one, one + 1, ref.largest() - 1, ref.largest(), ref.infinity()}) {
    out.push_back(magnitude);
    out.push_back(magnitude | ref.sign());
  }
  Encoding state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 2000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const Encoding bits = ((state >> 64) ^ (state << 17) ^ state) &
                          ((format.bits == 128) ? ~Encoding{0} : (Encoding{1} << format.bits) - 1);
    if (!ref.isNaN(bits)) out.push_back(bits);
  }
  return out;
}

class ArithmeticTest : public ::testing::TestWithParam<const FormatSpec*> {};

TEST_P(ArithmeticTest, NextUpAndNextDownStepOneEncoding) {
  const FormatSpec& format = *GetParam();
  const Reference ref{format};
  for (Encoding x : samples(format)) {
    SCOPED_TRACE("x = " + hex(x));
    EXPECT_EQ(hex(nextUpBits(x, format.formatBytes)), hex(ref.nextUp(x)));
    EXPECT_EQ(hex(nextDownBits(x, format.formatBytes)), hex(ref.nextDown(x)));
  }
}

TEST_P(ArithmeticTest, UlpIsThePowerOfTheBinade) {
  const FormatSpec& format = *GetParam();
  const Reference ref{format};
  for (Encoding x : samples(format)) {
    if ((x & ref.infinity()) == ref.infinity()) continue;
    SCOPED_TRACE("x = " + hex(x));
    EXPECT_EQ(hex(ulpBits(x, format.formatBytes)), hex(ref.ulp(x)));
  }
}

TEST_P(ArithmeticTest, NaNStaysNaNAndInfinityHasInfiniteUlp) {
  const FormatSpec& format = *GetParam();
  const Reference ref{format};
  const Encoding quiet = ref.infinity() | (Encoding{1} << (format.fractionWidth - 1));
  for (Encoding nan : {quiet, quiet | ref.sign(), ref.infinity() | 1}) {
    SCOPED_TRACE("x = " + hex(nan));
    EXPECT_TRUE(ref.isNaN(nextUpBits(nan, format.formatBytes)));
    EXPECT_TRUE(ref.isNaN(nextDownBits(nan, format.formatBytes)));
    EXPECT_TRUE(ref.isNaN(ulpBits(nan, format.formatBytes)));
  }
  EXPECT_EQ(hex(ulpBits(ref.infinity() | ref.sign(), format.formatBytes)), hex(ref.infinity()));
}

INSTANTIATE_TEST_SUITE_P(Formats, ArithmeticTest,
                         ::testing::Values(&kBinary32, &kBinary64, &kBinary128),
                         [](const auto& row) { return std::string(row.param->name); });

// The edges named one by one, in hex, so that a failure reads without the reference.
struct EdgeRow {
  const char* name;
  int formatBytes;
  Encoding x;
  Encoding up;
  Encoding down;
  Encoding ulp;
};

const EdgeRow kEdges[] = {
    {"b32 +0", 4, 0x00000000, 0x00000001, 0x80000001, 0x33800000},
    {"b32 -0", 4, 0x80000000, 0x00000001, 0x80000001, 0x33800000},
    {"b32 min subnormal", 4, 0x00000001, 0x00000002, 0x00000000, 0},
    {"b32 -min subnormal", 4, 0x80000001, 0x80000000, 0x80000002, 0},
    {"b32 max subnormal", 4, 0x007FFFFF, 0x00800000, 0x007FFFFE, 0},
    {"b32 min normal", 4, 0x00800000, 0x00800001, 0x007FFFFF, 0x00000001},
    {"b32 1", 4, 0x3F800000, 0x3F800001, 0x3F7FFFFF, 0x34000000},
    {"b32 max", 4, 0x7F7FFFFF, 0x7F800000, 0x7F7FFFFE, 0x73800000},
    {"b32 -max", 4, 0xFF7FFFFF, 0xFF7FFFFE, 0xFF800000, 0x73800000},
    {"b32 +inf", 4, 0x7F800000, 0x7F800000, 0x7F7FFFFF, 0x7F800000},
    {"b32 -inf", 4, 0xFF800000, 0xFF7FFFFF, 0xFF800000, 0x7F800000},
    {"b64 +0", 8, 0x0, 0x1, 0x8000000000000001, 0x3CA0000000000000},
    {"b64 -0", 8, 0x8000000000000000, 0x1, 0x8000000000000001, 0x3CA0000000000000},
    {"b64 min normal", 8, 0x0010000000000000, 0x0010000000000001, 0x000FFFFFFFFFFFFF, 0x1},
    {"b64 1", 8, 0x3FF0000000000000, 0x3FF0000000000001, 0x3FEFFFFFFFFFFFFF, 0x3CB0000000000000},
    {"b64 max", 8, 0x7FEFFFFFFFFFFFFF, 0x7FF0000000000000, 0x7FEFFFFFFFFFFFFE, 0x7CA0000000000000},
    {"b64 -inf", 8, 0xFFF0000000000000, 0xFFEFFFFFFFFFFFFF, 0xFFF0000000000000, 0x7FF0000000000000},
    {"b128 +0", 16, 0, 1, u128(0x8000000000000000, 1), u128(0x3F8E000000000000, 0)},
    {"b128 -min subnormal", 16, u128(0x8000000000000000, 1), u128(0x8000000000000000, 0),
     u128(0x8000000000000000, 2), 0},
    {"b128 min normal", 16, u128(0x0001000000000000, 0), u128(0x0001000000000000, 1),
     u128(0x0000FFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF), 1},
    {"b128 1", 16, u128(0x3FFF000000000000, 0), u128(0x3FFF000000000000, 1),
     u128(0x3FFEFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF), u128(0x3F8F000000000000, 0)},
    {"b128 max", 16, u128(0x7FFEFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF), u128(0x7FFF000000000000, 0),
     u128(0x7FFEFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFE), u128(0x7F8E000000000000, 0)},
    {"b128 +inf", 16, u128(0x7FFF000000000000, 0), u128(0x7FFF000000000000, 0),
     u128(0x7FFEFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF), u128(0x7FFF000000000000, 0)},
};

TEST(ArithmeticEdges, EachEdgeInHex) {
  for (const EdgeRow& row : kEdges) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(hex(nextUpBits(row.x, row.formatBytes)), hex(row.up));
    EXPECT_EQ(hex(nextDownBits(row.x, row.formatBytes)), hex(row.down));
    EXPECT_EQ(hex(ulpBits(row.x, row.formatBytes)), hex(row.ulp));
  }
}

}  // namespace
}  // namespace orbalta
