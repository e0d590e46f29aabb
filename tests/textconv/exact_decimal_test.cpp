// Exact expansions and conversion errors, checked against rationals built here on GMP's mpq from
// the encoding's fields and from the decimal texts, without the code under test.

#include "textconv/exact_decimal.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>

#include "tests/textconv/encoding_text.h"
#include "textconv/decimal_input.h"

namespace orbalta {
namespace {

using hexcode::fromHex;

struct Rational {
  Rational() { mpq_init(q); }
  ~Rational() { mpq_clear(q); }
  Rational(const Rational&) = delete;
  Rational& operator=(const Rational&) = delete;
  mpq_t q;
};

struct Widths {
  int exponent;
  int fraction;
};

Widths widthsOf(int formatBytes) {
  return formatBytes == 4 ? Widths{8, 23} : formatBytes == 8 ? Widths{11, 52} : Widths{15, 112};
}

// The value of a finite encoding, field by field.
void valueOf(Encoding bits, int formatBytes, mpq_t out) {
  const Widths w = widthsOf(formatBytes);
  const long bias = (1L << (w.exponent - 1)) - 1;
  const auto biased = static_cast<long>((bits >> w.fraction) & ((Encoding{1} << w.exponent) - 1));
  const Encoding fraction = bits & ((Encoding{1} << w.fraction) - 1);
  mpz_t m;
  mpz_init(m);
  for (int i = w.fraction - 1; i >= 0; --i) {
    mpz_mul_2exp(m, m, 1);
    if (((fraction >> i) & 1) != 0) mpz_add_ui(m, m, 1);
  }
  if (biased != 0) mpz_setbit(m, static_cast<mp_bitcnt_t>(w.fraction));
  mpq_set_z(out, m);
  mpz_clear(m);
  const long e = (biased == 0 ? 1 : biased) - bias - w.fraction;
  if (e >= 0) mpq_mul_2exp(out, out, static_cast<mp_bitcnt_t>(e));
  if (e < 0) mpq_div_2exp(out, out, static_cast<mp_bitcnt_t>(-e));
  if (((bits >> (8 * formatBytes - 1)) & 1) != 0) mpq_neg(out, out);
}

// [sign] digits [. digits] [e|E [sign] digits]: the decimal forms of the corpora and of sciText.
bool parseDecimal(std::string_view text, mpq_t out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string digits;
  long scale = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits += text[i];
      if (point) --scale;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits.empty()) return false;
  if (i < text.size()) {
    if (text[i] != 'e' && text[i] != 'E') return false;
    std::string_view exponent = text.substr(i + 1);
    const bool negativeExponent = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
    exponent.remove_prefix(std::min(exponent.find_first_not_of('0'), exponent.size()));
    if (exponent.size() > 9) return false;
    const long magnitude = exponent.empty() ? 0 : std::stol(std::string(exponent));
    scale += negativeExponent ? -magnitude : magnitude;
  }
  if (scale > 100000 || scale < -100000) return false;  // beyond every format by far
  mpz_t z, p;
  mpz_init_set_str(z, digits.c_str(), 10);
  mpz_init(p);
  mpz_ui_pow_ui(p, 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
  mpq_set_z(out, z);
  if (scale >= 0) {
    mpz_mul(mpq_numref(out), mpq_numref(out), p);
  } else {
    mpz_set(mpq_denref(out), p);
  }
  mpq_canonicalize(out);
  if (negative) mpq_neg(out, out);
  mpz_clear(z);
  mpz_clear(p);
  return true;
}

// The shape that scripts rely on: one digit before the point, no trailing zero, a signed exponent.
bool wellFormed(const std::string& text) {
  std::string_view t(text);
  if (!t.empty() && t[0] == '-') t.remove_prefix(1);
  if (t == "0") return true;
  const std::size_t e = t.find('e');
  if (e == std::string_view::npos || e + 2 >= t.size() || (t[e + 1] != '+' && t[e + 1] != '-')) {
    return false;
  }
  const std::string_view mantissa = t.substr(0, e);
  if (mantissa[0] < '1' || mantissa[0] > '9') return false;
  if (mantissa.size() == 1) return true;
  return mantissa[1] == '.' && mantissa.size() > 2 && mantissa.back() != '0';
}

// sciText(exactValue(bits)) is well formed and equal to the encoding's rational value.
::testing::AssertionResult expandsExactly(Encoding bits, int formatBytes) {
  const std::optional<ExactDecimal> exact = exactValue(bits, formatBytes);
  if (!exact) return ::testing::AssertionFailure() << "no expansion";
  const std::string text = sciText(*exact);
  Rational expected, got;
  valueOf(bits, formatBytes, expected.q);
  if (!wellFormed(text) || !parseDecimal(text, got.q) || !mpq_equal(expected.q, got.q)) {
    return ::testing::AssertionFailure()
           << "binary" << 8 * formatBytes << " " << hexcode::hex(bits, formatBytes) << ": "
           << text.substr(0, 80);
  }
  // The leading digits alone, as the tool tips take them, agree with the whole expansion.
  for (const std::size_t count : {std::size_t{1}, std::size_t{17}, std::size_t{61}}) {
    std::size_t total = 0;
    const std::optional<ExactDecimal> lead = leadingDigits(bits, formatBytes, count, total);
    if (!lead || total != exact->digits.size() || lead->exponent != exact->exponent ||
        lead->negative != exact->negative || lead->digits != exact->digits.substr(0, count)) {
      return ::testing::AssertionFailure()
             << "leading " << count << " digits of " << text.substr(0, 80);
    }
  }
  const bool negativeZero = exact->digits.empty() && exact->negative;
  const bool signBit = ((bits >> (8 * formatBytes - 1)) & 1) != 0;
  if (exact->digits.empty() && negativeZero != signBit) {
    return ::testing::AssertionFailure() << "zero sign lost: " << text;
  }
  return ::testing::AssertionSuccess();
}

// typed - stored, from the decimal text and the encoding, against conversionError's text; and
// the ratio to `unit` within half a unit of its fourth digit.
::testing::AssertionResult errorIsExact(std::string_view text, Encoding bits, int formatBytes,
                                        Encoding unit) {
  TypedNumber typed;
  DecimalInput::read(text, formatBytes, &typed);
  if (!typed.isNumber) return ::testing::AssertionFailure() << "not a number: " << text;
  const std::optional<ExactDecimal> error = conversionError(typed, bits, formatBytes);
  if (!error) return ::testing::AssertionFailure() << "no error for " << text;
  Rational typedValue, stored, expected, got;
  valueOf(bits, formatBytes, stored.q);
  if (!parseDecimal(text, typedValue.q)) {
    // An exponent too far for a rational here: it rounded to zero and is its own error.
    const bool ownError = mpq_sgn(stored.q) == 0 && error->digits == typed.digits &&
                          error->negative == typed.negative;
    return ownError ? ::testing::AssertionSuccess()
                    : ::testing::AssertionFailure() << "\"" << text.substr(0, 60) << "\"";
  }
  mpq_sub(expected.q, typedValue.q, stored.q);
  const std::string errorText = sciText(*error);
  if (!wellFormed(errorText) || !parseDecimal(errorText, got.q) || !mpq_equal(expected.q, got.q)) {
    return ::testing::AssertionFailure()
           << "\"" << text.substr(0, 60) << "\" gives " << errorText.substr(0, 80);
  }
  const std::optional<std::string> ratio = ratioText(*error, unit, formatBytes);
  Rational unitValue, exactRatio, shown, slack;
  valueOf(unit, formatBytes, unitValue.q);
  mpq_div(exactRatio.q, expected.q, unitValue.q);
  if (!ratio || !parseDecimal(*ratio, shown.q)) {
    return ::testing::AssertionFailure() << "no ratio for " << text;
  }
  // Four significant digits: the shown ratio is within 5 units of its fifth digit.
  std::string digits;
  for (const char c : ratio->substr(0, ratio->find('e'))) {
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
  }
  if (mpq_sgn(expected.q) != 0 && digits.size() != 4) {
    return ::testing::AssertionFailure() << "ratio " << *ratio << " has not 4 digits";
  }
  mpq_sub(slack.q, shown.q, exactRatio.q);
  mpq_abs(slack.q, slack.q);
  // Half a unit of the fourth digit is at most |shown| / 1999.
  Rational bound, part;
  mpq_abs(bound.q, shown.q);
  mpq_set_ui(part.q, 1, 1999);
  mpq_mul(bound.q, bound.q, part.q);
  if (mpq_cmp(slack.q, bound.q) > 0) {
    return ::testing::AssertionFailure() << "ratio " << *ratio << " is off for " << text;
  }
  return ::testing::AssertionSuccess();
}

// ULP of a finite nonzero normal or subnormal encoding: the spacing of its binade, as an
// encoding of the same format.
Encoding spacingOf(Encoding bits, int formatBytes) {
  const Widths w = widthsOf(formatBytes);
  const Encoding biased = (bits >> w.fraction) & ((Encoding{1} << w.exponent) - 1);
  const Encoding e = biased == 0 ? 1 : biased;  // biased exponent of ulp * 2^fraction
  if (e > static_cast<Encoding>(w.fraction))
    return (e - static_cast<Encoding>(w.fraction)) << w.fraction;
  return Encoding{1} << (e - 1);
}

struct ValueRow {
  const char* name;
  int formatBytes;
  const char* hexBits;
  const char* exact;  // nullptr: not finite
};

TEST(ExactDecimalTest, ExtremesOfEachFormat) {
  const ValueRow rows[] = {
      {"binary32 0.1", 4, "3DCCCCCD", "1.00000001490116119384765625e-1"},
      {"binary32 1", 4, "3F800000", "1e+0"},
      {"binary32 -2.5", 4, "C0200000", "-2.5e+0"},
      {"binary32 +0", 4, "00000000", "0"},
      {"binary32 -0", 4, "80000000", "-0"},
      {"binary32 largest", 4, "7F7FFFFF", "3.4028234663852885981170418348451692544e+38"},
      {"binary32 smallest subnormal", 4, "00000001", nullptr},
      {"binary32 largest subnormal", 4, "007FFFFF", nullptr},
      {"binary32 smallest normal", 4, "00800000", nullptr},
      {"binary64 0.1", 8, "3FB999999999999A",
       "1.000000000000000055511151231257827021181583404541015625e-1"},
      {"binary64 2^63", 8, "43E0000000000000", "9.223372036854775808e+18"},
      {"binary64 largest", 8, "7FEFFFFFFFFFFFFF", nullptr},
      {"binary64 smallest subnormal", 8, "0000000000000001", nullptr},
      {"binary64 -smallest normal", 8, "8010000000000000", nullptr},
      {"binary128 1", 16, "3FFF0000000000000000000000000000", "1e+0"},
      {"binary128 -0", 16, "80000000000000000000000000000000", "-0"},
      {"binary128 largest", 16, "7FFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF", nullptr},
      {"binary128 smallest subnormal", 16, "00000000000000000000000000000001", nullptr},
      {"binary128 largest subnormal", 16, "0000FFFFFFFFFFFFFFFFFFFFFFFFFFFF", nullptr},
      {"binary128 smallest normal", 16, "00010000000000000000000000000000", nullptr},
  };
  for (const ValueRow& row : rows) {
    SCOPED_TRACE(row.name);
    const Encoding bits = fromHex(row.hexBits);
    EXPECT_TRUE(expandsExactly(bits, row.formatBytes));
    if (row.exact != nullptr) {
      EXPECT_EQ(sciText(*exactValue(bits, row.formatBytes)), row.exact);
    }
  }
}

TEST(ExactDecimalTest, TheSmallestBinary128SubnormalHasEveryDigit) {
  // 2^-16494 = 5^16494 / 10^16494: as many digits as 5^16494.
  const ExactDecimal d = *exactValue(1, 16);
  mpz_t p;
  mpz_init(p);
  mpz_ui_pow_ui(p, 5, 16494);
  std::string expected(mpz_sizeinbase(p, 10) + 1, '\0');
  mpz_get_str(expected.data(), 10, p);
  expected.resize(expected.find('\0'));
  mpz_clear(p);
  EXPECT_EQ(d.digits, expected.substr(0, expected.find_last_not_of('0') + 1));
  EXPECT_EQ(d.exponent, -4966);
  EXPECT_GT(d.digits.size(), 11000u);
}

TEST(ExactDecimalTest, InfinitiesAndNaNsHaveNoExactValue) {
  const struct {
    int formatBytes;
    const char* hexBits;
  } rows[] = {{4, "7F800000"},
              {4, "FFC00000"},
              {8, "FFF0000000000000"},
              {8, "7FF0000000000001"},
              {16, "7FFF0000000000000000000000000000"},
              {16, "FFFF8000000000000000000000000000"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.hexBits);
    EXPECT_FALSE(exactValue(fromHex(row.hexBits), row.formatBytes));
    TypedNumber typed;
    DecimalInput::read("1", row.formatBytes, &typed);
    EXPECT_FALSE(conversionError(typed, fromHex(row.hexBits), row.formatBytes));
  }
  EXPECT_FALSE(exactValue(0, 2));
}

TEST(ExactDecimalTest, ShortTextsSayWhereTheyAreCut) {
  const ExactDecimal tenth = *exactValue(0x3DCCCCCD, 4);
  EXPECT_EQ(shortSciText(tenth, 5), "1.0000...e-1");
  EXPECT_EQ(shortSciText(tenth, 1), "1....e-1");
  EXPECT_EQ(shortSciText(tenth, 27), sciText(tenth));
  EXPECT_EQ(shortSciText(*exactValue(0x80000000, 4), 3), "-0");
}

struct ErrorRow {
  const char* typed;
  int formatBytes;
  const char* error;
  const char* ratio;  // to ULP(X)
};

TEST(ExactDecimalTest, ConversionErrorsOfTypedDecimals) {
  const ErrorRow rows[] = {
      {"0.1", 4, "-1.490116119384765625e-9", "-0.2000"},
      {"-0.1", 4, "1.490116119384765625e-9", "0.2000"},
      {"1.5", 4, "0", "0"},
      {"0.1", 8, "-5.5511151231257827021181583404541015625e-18", "-0.4000"},
      {"3*0.1", 8, "-5.5511151231257827021181583404541015625e-18", "-0.4000"},
      {"16777217", 4, "1e+0", "0.5000"},
      {"1e-50", 4, "1e-50", nullptr},
      {"-0.0", 8, "0", nullptr},
      {"1e-5000", 16, "1e-5000", nullptr},
  };
  for (const ErrorRow& row : rows) {
    SCOPED_TRACE(row.typed);
    TypedNumber typed;
    const DecimalInput::Result result = DecimalInput::read(row.typed, row.formatBytes, &typed);
    ASSERT_EQ(result.outcome, InputOutcome::Parsed);
    const std::optional<ExactDecimal> error = conversionError(typed, result.bits, row.formatBytes);
    ASSERT_TRUE(error);
    EXPECT_EQ(sciText(*error), row.error);
    if (row.ratio != nullptr) {
      EXPECT_EQ(ratioText(*error, spacingOf(result.bits, row.formatBytes), row.formatBytes),
                row.ratio);
    }
  }
}

TEST(ExactDecimalTest, RatiosKeepFourDigitsAtEveryScale) {
  const struct {
    const char* value;
    const char* unit;  // binary64
    const char* ratio;
  } rows[] = {
      {"1", "3FF0000000000000", "1.000"},
      {"99995", "3FF0000000000000", "1.000e+5"},
      {"12345", "3FF0000000000000", "1.235e+4"},
      {"1234.4", "3FF0000000000000", "1234"},
      {"0.000012344", "3FF0000000000000", "0.00001234"},
      {"-1e-40", "3FF0000000000000", "-1.000e-40"},
      {"0.99996", "3FF0000000000000", "1.000"},
      {"3", "4000000000000000", "1.500"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    TypedNumber typed;
    DecimalInput::read(row.value, 8, &typed);
    const ExactDecimal value{typed.negative, typed.digits,
                             typed.scale + static_cast<std::int64_t>(typed.digits.size()) - 1};
    EXPECT_EQ(ratioText(value, fromHex(row.unit), 8), row.ratio);
  }
  EXPECT_FALSE(ratioText(ExactDecimal{false, "1", 0}, 0, 8));  // a unit of zero
}

std::string corpusPath(const char* name) {
  return std::string(ORBALTA_TESTDATA_DIR) + "/" + name;
}

// Every line of a "HEX d.ddde+N" corpus: the expansion equals the encoding's value.
void checkExpansions(const char* name, int formatBytes) {
  std::ifstream in(corpusPath(name));
  ASSERT_TRUE(in) << "missing corpus " << corpusPath(name);
  std::string line;
  long lines = 0, failures = 0;
  const std::size_t hexDigits = static_cast<std::size_t>(2 * formatBytes);
  while (std::getline(in, line)) {
    ++lines;
    if (!expandsExactly(fromHex(std::string_view(line).substr(0, hexDigits)), formatBytes)) {
      if (++failures <= 10) ADD_FAILURE() << line;
    }
  }
  EXPECT_GT(lines, 40);
  EXPECT_EQ(failures, 0);
}

// Split by width so that the test runner can spread them over the cores.
TEST(ExactDecimalCorpusTest, ExpansionsOfEveryBinary32And64SciLine) {
  checkExpansions("binary32-to-sci8.txt", 4);
  checkExpansions("binary32-to-sci8-ties.txt", 4);
  checkExpansions("binary64-to-sci17.txt", 8);
  checkExpansions("binary64-to-sci17-ties.txt", 8);
}

TEST(ExactDecimalCorpusTest, ExpansionsOfEveryBinary128SciLine) {
  checkExpansions("binary128-to-sci34.txt", 16);
  checkExpansions("binary128-to-sci34-ties.txt", 16);
}

// A decimal line whose stored value is finite and nonzero: the exact error and its ratio.
void checkError(std::string_view hexBits, std::string_view text, int formatBytes, long& checked,
                long& failures) {
  const Encoding bits = fromHex(hexBits);
  const Widths w = widthsOf(formatBytes);
  const Encoding biased = (bits >> w.fraction) & ((Encoding{1} << w.exponent) - 1);
  if (biased == (Encoding{1} << w.exponent) - 1) return;  // out of range: rejected, no error
  ++checked;
  if (!errorIsExact(text, bits, formatBytes, spacingOf(bits, formatBytes))) {
    if (++failures <= 10) ADD_FAILURE() << "binary" << 8 * formatBytes << " " << text.substr(0, 80);
  }
}

// Each line of a decimal corpus: `check` takes the line and counts what it checked.
template <typename Check>
void forEachLine(const char* name, Check check) {
  std::ifstream in(corpusPath(name));
  ASSERT_TRUE(in) << "missing corpus " << corpusPath(name);
  std::string line;
  while (std::getline(in, line)) check(std::string_view(line));
}

TEST(ExactDecimalCorpusTest, ErrorsOfEveryBinary32And64DecimalLine) {
  long checked = 0, failures = 0;
  forEachLine("decimal-to-binary32-64.txt", [&](std::string_view v) {
    checkError(v.substr(5, 8), v.substr(31), 4, checked, failures);
    checkError(v.substr(14, 16), v.substr(31), 8, checked, failures);
  });
  EXPECT_GT(checked, 140000);
  EXPECT_EQ(failures, 0);
}

TEST(ExactDecimalCorpusTest, ErrorsOfEveryBinary128DecimalLine) {
  long checked = 0, failures = 0;
  forEachLine("decimal-to-binary128.txt", [&](std::string_view v) {
    checkError(v.substr(31, 32), v.substr(64), 16, checked, failures);
  });
  for (const char* name :
       {"decimal-to-binary128-glibc.txt", "decimal-to-binary128-generated.txt"}) {
    forEachLine(name, [&](std::string_view v) {
      checkError(v.substr(0, 32), v.substr(33), 16, checked, failures);
    });
  }
  EXPECT_GT(checked, 15000);
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace orbalta
