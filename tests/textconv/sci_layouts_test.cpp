#include <gtest/gtest.h>

#include <string>

#include "tests/textconv/encoding_text.h"
#include "textconv/layouts.h"

namespace orbalta {
namespace {

using hexcode::fromHex;

enum class Which { Signed, Plain, Significand };

std::string writeIn(Which which, const char* hexBits, int formatBytes) {
  const Encoding bits = fromHex(hexBits);
  switch (which) {
    case Which::Signed:
      return SignedSciLayout::write(bits, formatBytes);
    case Which::Plain:
      return SciLayout::write(bits, formatBytes);
    default:
      return SignificandLayout::write(bits, formatBytes);
  }
}

struct Row {
  const char* name;
  Which which;
  int formatBytes;
  const char* hexBits;
  std::string field;  // the whole field, blanks included
};

void checkRows(const Row* begin, const Row* end) {
  for (const Row* row = begin; row != end; ++row) {
    SCOPED_TRACE(row->name);
    EXPECT_EQ(writeIn(row->which, row->hexBits, row->formatBytes), row->field);
  }
}

TEST(SciLayoutTest, DocumentedExamples) {
  const Row rows[] = {
      {"binary32 1", Which::Plain, 4, "3F800000", "  1.0000000E+00"},
      {"binary32 0.1", Which::Plain, 4, "3DCCCCCD", "  1.0000000E-01"},
      {"binary32 0.1 signed", Which::Signed, 4, "3DCCCCCD", " +1.0000000E-01"},
      {"binary32 -2.5 signed", Which::Signed, 4, "C0200000", " -2.5000000E+00"},
      {"binary32 largest", Which::Plain, 4, "7F7FFFFF", "  3.4028235E+38"},
      {"binary32 smallest subnormal", Which::Plain, 4, "00000001", "  1.4012985E-45"},
      {"binary64 0.1", Which::Plain, 8, "3FB999999999999A", "   1.0000000000000001D-01"},
      {"binary64 0.1 signed", Which::Signed, 8, "3FB999999999999A", "  +1.0000000000000001D-01"},
      {"binary64 largest", Which::Plain, 8, "7FEFFFFFFFFFFFFF", "  1.7976931348623157D+308"},
      {"binary64 smallest subnormal", Which::Plain, 8, "0000000000000001",
       "  4.9406564584124654D-324"},
      {"binary128 1", Which::Plain, 16, "3FFF0000000000000000000000000000",
       "  1.000000000000000000000000000000000D+000"},
      {"binary128 largest", Which::Plain, 16, "7FFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
       " 1.189731495357231765085759326628007D+4932"},
      {"binary128 smallest subnormal", Which::Plain, 16, "00000000000000000000000000000001",
       " 6.475175119438025110924438958227647D-4966"},
      {"binary32 +infinity", Which::Plain, 4, "7F800000", " Infinity      "},
      {"binary64 +infinity", Which::Plain, 8, "7FF0000000000000",
       " Infinity" + std::string(16, ' ')},
      {"binary128 +infinity", Which::Plain, 16, "7FFF0000000000000000000000000000",
       " Infinity" + std::string(33, ' ')},
      {"significand binary32 1.5", Which::Significand, 4, "3FC00000", " 1.5000000E+00"},
      {"significand binary64 1", Which::Significand, 8, "3FF0000000000000",
       " 1.000000000000000E+00"},
      {"significand binary128 1", Which::Significand, 16, "3FFF0000000000000000000000000000",
       "  1.000000000000000000000000000000000E+00"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(SciLayoutTest, SignsZerosAndSpecialValues) {
  const Row rows[] = {
      {"-0 signed binary32", Which::Signed, 4, "80000000", " +0.0000000E+00"},
      {"-0 plain binary32", Which::Plain, 4, "80000000", "  0.0000000E+00"},
      {"+0 signed binary64", Which::Signed, 8, "0000000000000000", "  +0.0000000000000000D+00"},
      {"-0 plain binary128", Which::Plain, 16, "80000000000000000000000000000000",
       "  0.000000000000000000000000000000000D+000"},
      {"-0 significand binary32", Which::Significand, 4, "80000000", " 0.0000000E+00"},
      {"-infinity signed binary32", Which::Signed, 4, "FF800000", " -Infinity     "},
      {"-infinity plain binary64", Which::Plain, 8, "FFF0000000000000",
       " -Infinity" + std::string(15, ' ')},
      {"+infinity signed has no plus", Which::Signed, 4, "7F800000", " Infinity      "},
      {"NaN with sign bit 1", Which::Signed, 4, "FFC00000", " NaN           "},
      {"NaN with sign bit 0", Which::Plain, 4, "7FC00000", " NaN           "},
      {"signalling NaN binary64", Which::Plain, 8, "7FF0000000000001",
       " NaN" + std::string(21, ' ')},
      {"NaN binary128", Which::Signed, 16, "FFFF8000000000000000000000000000",
       " NaN" + std::string(38, ' ')},
      {"NaN significand binary128", Which::Significand, 16, "7FFF0000000000000000000000000001",
       " NaN" + std::string(37, ' ')},
      {"-infinity significand binary32", Which::Significand, 4, "FF800000", " -Infinity    "},
      {"negative fills binary128 field", Which::Plain, 16, "FFFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
       "-1.189731495357231765085759326628007D+4932"},
      {"plus fills binary128 field", Which::Signed, 16, "7FFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
       "+1.189731495357231765085759326628007D+4932"},
      {"negative smallest subnormal binary128", Which::Signed, 16,
       "80000000000000000000000000000001", "-6.475175119438025110924438958227647D-4966"},
      {"binary32 -largest signed", Which::Signed, 4, "FF7FFFFF", " -3.4028235E+38"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(SciLayoutTest, ExponentDigitsAndCarries) {
  const Row rows[] = {
      {"binary64 letter stays with three digits", Which::Plain, 8, "54B249AD2594C37D",
       "  1.0000000000000000D+100"},
      {"binary64 two-digit negative", Which::Plain, 8, "3E45798EE2308C3A",
       "   1.0000000000000000D-08"},
      {"binary64 -2.5e-300", Which::Signed, 8, "81BAC9A7B3B7302F", " -2.5000000000000000D-300"},
      {"binary128 three digits", Which::Plain, 16, "3FFB999999999999999999999999999A",
       "  1.000000000000000000000000000000000D-001"},
      {"binary128 four digits", Which::Plain, 16, "4CF8E71B63F3BA7B580AF1A52D2A7379",
       " 1.000000000000000000000000000000000D+1000"},
      {"binary32 below 1e-5", Which::Plain, 4, "3727C5AC", "  9.9999997E-06"},
      {"binary32 carry to 1e-6", Which::Plain, 4, "358637BD", "  1.0000000E-06"},
      {"binary64 carry to 1e-14", Which::Plain, 8, "3D06849B86A12B9B", "   1.0000000000000000D-14"},
      {"binary128 carry to 1e-26", Which::Plain, 16, "3FA88C240C4AECB13BB52A6C95FC0655",
       "  1.000000000000000000000000000000000D-026"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

// Exact halfway cases at the last digit go to the even digit.
TEST(SciLayoutTest, TiesGoToEven) {
  const Row rows[] = {
      {"binary32 2.44140625e-4", Which::Plain, 4, "39800000", "  2.4414062E-04"},
      {"binary32 -2.44140625e-4", Which::Plain, 4, "B9800000", " -2.4414062E-04"},
      {"binary32 3660.28125", Which::Plain, 4, "4564C480", "  3.6602812E+03"},
      {"binary64 2^-25", Which::Plain, 8, "3E60000000000000", "   2.9802322387695312D-08"},
      {"binary128 tie", Which::Plain, 16, "3FE69A8E800000000000000000000000",
       "  4.779508344654459506273269653320312D-008"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(SignificandLayoutTest, ExponentLosesItsLetterFromThreeDigits) {
  const Row rows[] = {
      {"binary32 -2.5 fills the field", Which::Significand, 4, "C0200000", "-2.5000000E+00"},
      {"binary32 two-digit negative", Which::Significand, 4, "3727C5AC", " 9.9999997E-06"},
      {"binary64 0.1 in 16 digits", Which::Significand, 8, "3FB999999999999A",
       " 1.000000000000000E-01"},
      {"binary64 three digits", Which::Significand, 8, "54B249AD2594C37D",
       " 1.000000000000000+100"},
      {"binary64 negative three digits", Which::Significand, 8, "81BAC9A7B3B7302F",
       "-2.500000000000000-300"},
      {"binary128 two digits", Which::Significand, 16, "3F950068E3596F1A71E69EEEF2301088",
       "  1.234567890000000000000000000000000E-32"},
      {"binary128 four digits", Which::Significand, 16, "B3050D152311513C28CE202627C06EC2",
       "-1.000000000000000000000000000000000-1000"},
      {"binary128 smallest subnormal", Which::Significand, 16, "80000000000000000000000000000001",
       "-6.475175119438025110924438958227647-4966"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(SciLayoutTest, OtherFormatWidthsWriteNothing) {
  EXPECT_EQ(SciLayout::write(0, 2), "");
  EXPECT_EQ(SignedSciLayout::write(0, 0), "");
  EXPECT_EQ(SignificandLayout::write(0, 32), "");
}

}  // namespace
}  // namespace orbalta
