#include "textconv/layouts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "tests/textconv/encoding_text.h"

namespace orbalta {
namespace {

using hexcode::fromHex;
using hexcode::hex;

TEST(CharCountTest, CountsEveryCharacterOfTheDecimalText) {
  struct Row {
    std::int32_t v;
    int count;
  };
  const Row rows[] = {
      {0, 1},           {9, 1},           {10, 2},         {99, 2},         {100, 3},
      {99999, 5},       {-1, 2},          {-9, 2},         {-10, 3},        {-126, 4},
      {16383, 5},       {1000000000, 10}, {INT32_MAX, 10}, {INT32_MIN, 11}, {INT32_MIN + 1, 11},
      {-999999999, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.v);
    EXPECT_EQ(CharCount(row.v), row.count);
  }
}

TEST(IntegerLayoutTest, WritesDigitsAndMinusOnly) {
  struct Row {
    std::int32_t v;
    const char* text;
  };
  const Row rows[] = {
      {0, "0"},
      {16, "16"},
      {-126, "-126"},
      {16383, "16383"},
      {-1, "-1"},
      {10, "10"},
      {1000000, "1000000"},
      {INT32_MAX, "2147483647"},
      {INT32_MIN, "-2147483648"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.v);
    const std::string text = IntegerLayout::write(row.v);
    EXPECT_EQ(text, row.text);
    EXPECT_EQ(static_cast<int>(text.size()), CharCount(row.v));
  }
}

TEST(BitStringLayoutTest, WritesEveryBitSignFirst) {
  struct Row {
    const char* name;
    int formatBytes;
    const char* hexBits;
    std::string text;
  };
  const Row rows[] = {
      {"binary32 1.0", 4, "3F800000", "00111111100000000000000000000000"},
      {"binary32 -0", 4, "80000000", "1" + std::string(31, '0')},
      {"binary32 smallest subnormal", 4, "00000001", std::string(31, '0') + "1"},
      {"binary32 signalling NaN payload", 4, "7F800005", "01111111100000000000000000000101"},
      {"binary64 quiet NaN with sign", 8, "FFF8000000000000",
       "1111111111111" + std::string(51, '0')},
      {"binary64 0.1", 8, "3FB999999999999A",
       "0011111110111001100110011001100110011001100110011001100110011010"},
      {"binary128 1.0", 16, "3FFF0000000000000000000000000000",
       "0011111111111111" + std::string(112, '0')},
      {"binary128 halves differ", 16, "8000000000000001F000000000000003",
       "1" + std::string(62, '0') + "1" + "1111" + std::string(58, '0') + "11"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string text = BitStringLayout::write(fromHex(row.hexBits), row.formatBytes);
    EXPECT_EQ(text.size(), static_cast<std::size_t>(8 * row.formatBytes));
    EXPECT_EQ(text, row.text);
  }
}

TEST(BitStringLayoutTest, WriteIgnoresBitsAboveTheFormat) {
  const Encoding bits = (Encoding{0xABCD} << 64) | 0x1234567800000001ull;
  EXPECT_EQ(BitStringLayout::write(bits, 4), std::string(31, '0') + "1");
  EXPECT_EQ(BitStringLayout::write(bits, 8), BitStringLayout::write(0x1234567800000001ull, 8));
}

TEST(BitStringLayoutTest, ReadTakesDigitsFromTheRightAndSkipsBlanks) {
  struct Row {
    const char* name;
    int formatBytes;
    std::string text;
    const char* hexBits;  // nullptr: the read fails
  };
  const Row rows[] = {
      {"all 32 digits", 4, "00111111100000000000000000000000", "3F800000"},
      {"blank after the sign shifts it into the value", 4, "0 0111111100000000000000000000000",
       "3F800000"},
      {"leading, embedded and trailing blanks", 4, "  1 0 1  ", "00000005"},
      {"blanks only", 4, std::string(32, ' '), "00000000"},
      {"empty", 8, "", "0000000000000000"},
      {"32 digits and blanks", 4, " " + std::string(32, '1') + " ", "FFFFFFFF"},
      {"33 digits", 4, std::string(33, '0'), nullptr},
      {"65 digits", 8, std::string(65, '1'), nullptr},
      {"128 ones", 16, std::string(128, '1'), "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
      {"129 digits", 16, "0" + std::string(128, '1'), nullptr},
      {"sign bit of binary128", 16, "1" + std::string(127, '0'),
       "80000000000000000000000000000000"},
      {"tab", 4, "0\t1", nullptr},
      {"digit two", 4, "0120", nullptr},
      {"letter", 4, "01O1", nullptr},
      {"NUL byte", 4,
       std::string("01\0"
                   "1",
                   4),
       nullptr},
      {"byte above 127", 4, "01\xB1", nullptr},
      {"minus sign", 4, "-1", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto bits = BitStringLayout::read(row.text, row.formatBytes);
    if (row.hexBits == nullptr) {
      EXPECT_FALSE(bits.has_value());
    } else {
      ASSERT_TRUE(bits.has_value());
      EXPECT_EQ(hex(*bits, row.formatBytes), row.hexBits);
    }
  }
}

TEST(BitStringLayoutTest, ReadUndoesWrite) {
  struct Row {
    int formatBytes;
    const char* hexBits;
  };
  const Row rows[] = {
      {4, "00000000"},
      {4, "FF800001"},
      {4, "807FFFFF"},
      {8, "7FF0000000000001"},
      {8, "8000000000000000"},
      {16, "7FFF8000000000000000000000000001"},
      {16, "0000FFFFFFFFFFFF0123456789ABCDEF"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.hexBits);
    const Encoding bits = fromHex(row.hexBits);
    const auto back =
        BitStringLayout::read(BitStringLayout::write(bits, row.formatBytes), row.formatBytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(hex(*back, row.formatBytes), row.hexBits);
  }
}

TEST(BitStringLayoutTest, OtherFormatWidthsDoNothing) {
  EXPECT_EQ(BitStringLayout::write(1, 2), "");
  EXPECT_FALSE(BitStringLayout::read("1", 10).has_value());
}

TEST(BitFieldLayoutTest, ReadsAnUnsignedNumber) {
  struct Row {
    const char* name;
    std::string text;
    bool ok;
    std::uint64_t value;
  };
  const Row rows[] = {
      {"8-bit exponent of 1.0", "01111111", true, 0x7F},
      {"11-bit all ones", "11111111111", true, 0x7FF},
      {"15-bit bias", "011111111111111", true, 0x3FFF},
      {"23-bit fraction of 1.5", "10000000000000000000000", true, 0x400000},
      {"48 ones", std::string(48, '1'), true, 0xFFFFFFFFFFFFull},
      {"52-bit one", std::string(51, '0') + "1", true, 1},
      {"64 ones", std::string(64, '1'), true, UINT64_MAX},
      {"64-bit top bit", "1" + std::string(63, '0'), true, 0x8000000000000000ull},
      {"blanks around", "  1 01  ", true, 5},
      {"blanks only", "        ", true, 0},
      {"65 digits", std::string(65, '0'), false, 0},
      {"64 digits with blanks", " " + std::string(64, '0') + " ", true, 0},
      {"tab", "1\t0", false, 0},
      {"plus", "+1", false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto value = BitFieldLayout::read(row.text);
    ASSERT_EQ(value.has_value(), row.ok);
    if (row.ok) {
      EXPECT_EQ(*value, row.value) << std::hex << *value;
    }
  }
}

TEST(BitFieldLayoutTest, SixtyFourOnesViewedSignedAreMinusOne) {
  const auto value = BitFieldLayout::read(std::string(64, '1'));
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(static_cast<std::int64_t>(*value), -1);
}

TEST(FileLineLayoutTest, KeepsTheTextAsGiven) {
  const std::string texts[] = {"", "   leading blanks stay", "trailing blanks stay   ",
                               "\x85 Windows-1252 byte", std::string(180, 'x')};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(FileLineLayout::write(text), text);
  }
}

}  // namespace
}  // namespace orbalta
