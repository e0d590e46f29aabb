#include "textconv/decimal_input.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/textconv/encoding_text.h"

namespace orbalta {
namespace {

using hexcode::hex;

constexpr InputOutcome kParsed = InputOutcome::Parsed;
constexpr InputOutcome kRejected = InputOutcome::Rejected;
constexpr InputOutcome kNothing = InputOutcome::NothingRead;

const char* outcomeName(InputOutcome outcome) {
  switch (outcome) {
    case InputOutcome::Parsed:
      return "Parsed";
    case InputOutcome::Rejected:
      return "Rejected";
    default:
      return "NothingRead";
  }
}

struct Row {
  std::string text;
  int formatBytes;
  InputOutcome outcome;
  const char* hexBits = "";  // expected encoding when Parsed
};

void checkRows(const Row* begin, const Row* end) {
  for (const Row* row = begin; row != end; ++row) {
    SCOPED_TRACE("\"" + row->text + "\" in binary" + std::to_string(8 * row->formatBytes));
    const DecimalInput::Result result = DecimalInput::read(row->text, row->formatBytes);
    EXPECT_STREQ(outcomeName(result.outcome), outcomeName(row->outcome));
    if (row->outcome == kParsed && result.outcome == kParsed) {
      EXPECT_EQ(hex(result.bits, row->formatBytes), row->hexBits);
    }
  }
}

TEST(DecimalInputTest, DocumentedExamples) {
  const Row rows[] = {
      {"", 8, kNothing},
      {std::string(42, ' '), 8, kNothing},
      {"1.5", 4, kParsed, "3FC00000"},
      {"1,5", 4, kParsed, "3F800000"},
      {"2.5 7", 4, kParsed, "40200000"},
      {"3*0.5", 4, kParsed, "3F000000"},
      {"2*4", 4, kParsed, "40800000"},
      {"abc", 8, kRejected},
      {"1e400", 8, kRejected},
      {"1e400", 16, kParsed, "452FB4EC7F91973FF3CB1CCF26FBC178"},
      {"1e-400", 8, kParsed, "0000000000000000"},
      {"NAN", 8, kParsed, "FFF8000000000000"},
      {"5", 4, kParsed, "40A00000"},
      {"5.", 4, kParsed, "40A00000"},
      {".5", 4, kParsed, "3F000000"},
      {"-0.25", 4, kParsed, "BE800000"},
      {"+12", 4, kParsed, "41400000"},
      {"1e3", 4, kParsed, "447A0000"},
      {"2.5D-4", 8, kParsed, "3F30624DD2F1A9FC"},
      {"7q10", 16, kParsed, "402304C533C000000000000000000000"},
      {"1.5abc", 4, kRejected},
      {"12x", 4, kRejected},
      {"+", 4, kRejected},
      {".", 4, kRejected},
      {"1e", 4, kRejected},
      {"(1.5)", 4, kNothing},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(DecimalInputTest, BlanksSeparatorsAndRepeatCounts) {
  const Row rows[] = {
      {" \t\r\n", 4, kNothing},
      {"\t\r\n  1.5", 4, kParsed, "3FC00000"},
      {"1.5\r\n", 4, kRejected},
      {"1.5\r", 8, kRejected},
      {"2.5\n7", 4, kRejected},
      {"1.5 \r\n", 4, kParsed, "3FC00000"},
      {"\r\n-2\t\n", 16, kParsed, "C0000000000000000000000000000000"},
      {"1 e5", 4, kParsed, "3F800000"},
      {"1,", 4, kParsed, "3F800000"},
      {",1", 4, kRejected},
      {"  (1,2)", 4, kNothing},
      {"(", 16, kNothing},
      {"3*-0.5", 4, kParsed, "BF000000"},
      {"10*inf", 4, kParsed, "7F800000"},
      {"01*1", 4, kParsed, "3F800000"},
      {"3*", 4, kRejected},
      {"*5", 4, kRejected},
      {"0*5", 4, kRejected},
      {"-3*5", 4, kRejected},
      {"2.5*1", 4, kRejected},
      {"2*3*4", 4, kRejected},
      {"2*(1)", 4, kRejected},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(DecimalInputTest, TokenForms) {
  const Row rows[] = {
      {"1E+3", 4, kParsed, "447A0000"},
      {"1d3", 4, kParsed, "447A0000"},
      {"1Q3", 4, kParsed, "447A0000"},
      {"1e-0", 4, kParsed, "3F800000"},
      {"0001.000", 4, kParsed, "3F800000"},
      {"1.e1", 4, kParsed, "41200000"},
      {".5e1", 4, kParsed, "40A00000"},
      {"0", 4, kParsed, "00000000"},
      {"-0", 4, kParsed, "80000000"},
      {"-.0e5", 8, kParsed, "8000000000000000"},
      {"+0.000", 16, kParsed, "00000000000000000000000000000000"},
      {"0e999999999999999999999999", 8, kParsed, "0000000000000000"},
      {"1e999999999999999999999999", 8, kRejected},
      {"-1e-999999999999999999999999", 8, kParsed, "8000000000000000"},
      {"e5", 4, kRejected},
      {"1e+", 4, kRejected},
      {"1e-", 4, kRejected},
      {"1e5.", 4, kRejected},
      {"1.2.3", 4, kRejected},
      {"--1", 4, kRejected},
      {"+-1", 4, kRejected},
      {"-", 4, kRejected},
      {"-.", 4, kRejected},
      {"1.5+3", 4, kRejected},
      {"1.5-3", 4, kRejected},
      {"1/2", 4, kRejected},
      {"1/", 4, kRejected},
      {"/", 4, kRejected},
      {"'1'", 4, kRejected},
      {"\"1\"", 4, kRejected},
      {"0x1p3", 8, kRejected},
      {"0x10", 8, kRejected},
      {"1f", 4, kRejected},
      {"1_000", 4, kRejected},
      {"\xB1"
       "1",
       4, kRejected},
      {std::string("1\0"
                   "2",
                   3),
       4, kRejected},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(DecimalInputTest, InfinityAndNaNWords) {
  const Row rows[] = {
      {"Inf", 4, kParsed, "7F800000"},
      {"infinity", 4, kParsed, "7F800000"},
      {"-INF", 4, kParsed, "FF800000"},
      {"+Infinity", 8, kParsed, "7FF0000000000000"},
      {"-infinity", 16, kParsed, "FFFF0000000000000000000000000000"},
      {"nan", 4, kParsed, "FFC00000"},
      {"NaN", 16, kParsed, "FFFF8000000000000000000000000000"},
      {"-nan", 8, kParsed, "FFF8000000000000"},
      {"+NaN", 8, kParsed, "7FF8000000000000"},
      {"+nan", 4, kParsed, "7FC00000"},
      {"  NaN  junk", 4, kParsed, "FFC00000"},
      {"NaN(123)", 8, kRejected},
      {"NaN()", 8, kRejected},
      {"nan123", 8, kRejected},
      {"na", 8, kRejected},
      {"infin", 8, kRejected},
      {"infinityx", 8, kRejected},
      {"1infinity", 8, kRejected},
      {"in", 8, kRejected},
      {"++inf", 8, kRejected},
  };
  checkRows(std::begin(rows), std::end(rows));
}

// Correct rounding at the format's edges: largest finite, overflow threshold, smallest
// subnormal, half of it (a tie that goes to zero), and a case that double rounding gets wrong.
TEST(DecimalInputTest, RoundsOnceToNearestEven) {
  const Row rows[] = {
      {"3.4028235e38", 4, kParsed, "7F7FFFFF"},
      {"340282356779733661637539395458142568447.99999", 4, kParsed, "7F7FFFFF"},
      {"340282356779733661637539395458142568448", 4, kRejected},
      {"-340282356779733661637539395458142568448", 4, kRejected},
      {"1.4e-45", 4, kParsed, "00000001"},
      {"7.1e-46", 4, kParsed, "00000001"},
      {"7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319"
       "094181060791015625e-46",
       4, kParsed, "00000000"},
      {"7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319"
       "094181060791015625001e-46",
       4, kParsed, "00000001"},
      {"-7e-46", 4, kParsed, "80000000"},
      {"1.00000005960464477550", 4, kParsed, "3F800001"},
      {"0.1", 4, kParsed, "3DCCCCCD"},
      {"4.9406564584124654e-324", 8, kParsed, "0000000000000001"},
      {"2.4703282292062327e-324", 8, kParsed, "0000000000000000"},
      {"2.4703282292062328e-324", 8, kParsed, "0000000000000001"},
      {"1.7976931348623157e308", 8, kParsed, "7FEFFFFFFFFFFFFF"},
      {"1.7976931348623158e308", 8, kParsed, "7FEFFFFFFFFFFFFF"},
      {"1.7976931348623159e308", 8, kRejected},
      {"0.1", 8, kParsed, "3FB999999999999A"},
      {"1", 8, kParsed, "3FF0000000000000"},
      {"0.1", 16, kParsed, "3FFB999999999999999999999999999A"},
      {"1", 16, kParsed, "3FFF0000000000000000000000000000"},
      {"1.18973149535723176508575932662800702e4932", 16, kParsed,
       "7FFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
      {"-1.18973149535723176508575932662800703e4932", 16, kParsed,
       "FFFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
      {"1.2e4932", 16, kRejected},
      {"6.475175119438025110924438958227647e-4966", 16, kParsed,
       "00000000000000000000000000000001"},
      {"3.2e-4966", 16, kParsed, "00000000000000000000000000000000"},
      {"-3.3e-4966", 16, kParsed, "80000000000000000000000000000001"},
      {"123456789e-40", 16, kParsed, "3F950068E3596F1A71E69EEEF2301088"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

// binary128 takes a shortcut for up to 34 digits and powers of ten up to 48; the rows sit on
// both sides of each limit.
TEST(DecimalInputTest, Binary128ShortcutLimits) {
  const Row rows[] = {
      {"9999999999999999999999999999999999e48", 16, kParsed, "410F5159AF8044462379881065D41AD1"},
      {"9999999999999999999999999999999999e49", 16, kParsed, "4112A5B01B605557AC57EA147F492185"},
      {"9999999999999999999999999999999999e-48", 16, kParsed, "3FD06849B86A12B9B01EA70909833DE6"},
      {"99999999999999999999999999999999999e-49", 16, kParsed, "3FD06849B86A12B9B01EA70909833DE7"},
      {"-1234567890123456789012345678901234e-20", 16, kParsed, "C02A674E79C5FE522C27E87EFC67EE7A"},
      {"5192296858534827628530496329220097e1", 16, kParsed, "40724000000000000000000000000001"},
      {"10384593717069655257060992658440193", 16, kParsed, "40700000000000000000000000000000"},
      {"0.000000000000000000000000000000000000000000000001", 16, kParsed,
       "3F5F7624F8A762FD82B2AAC18030B01B"},
      {"1e-49", 16, kParsed, "3F5C2B50C6EC4F31355BBBCE0026F349"},
  };
  checkRows(std::begin(rows), std::end(rows));
}

TEST(DecimalInputTest, OtherFormatWidthsReadNothing) {
  EXPECT_EQ(DecimalInput::read("1", 2).outcome, kNothing);
  EXPECT_EQ(DecimalInput::read("1", 0).outcome, kNothing);
}

}  // namespace
}  // namespace orbalta
