// Decimal input. The token is checked against the accepted forms here; a number is then reduced
// to its significant digits and a power of ten ("15e-1" for "1.50"), a text with no decimal
// point and therefore read alike in every locale. binary32 and binary64 are rounded by
// std::from_chars; binary128 by one exact binary128 operation when the digits allow it,
// otherwise by MPFR with binary128's precision and exponent range.

#include "textconv/decimal_input.h"

#include <gmp.h>
#include <mpfr.h>

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "textconv/bit_cast.h"
#include "textconv/float_from_chars.h"
#include "textconv/format_descriptor.h"

namespace orbalta {

namespace {

using Result = DecimalInput::Result;

// With k significant digits D and D x 10^scale >= 10^(k-1+scale), a value at or above 10^4933
// overflows every format; one below 10^-4966 (half the smallest binary128 subnormal is
// 3.2e-4966) rounds to zero in every format. Between the two the libraries decide.
constexpr std::int64_t kOverflowDecade = 4933;
constexpr std::int64_t kUnderflowDecade = -4966;
// Exponent digits beyond this add nothing: the value is far outside both limits already.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// Only called once `read` has checked the format.
const FormatDescriptor& layoutOf(int formatBytes) {
  return *formatDescriptor(formatBytes);
}

Result parsed(Encoding bits) {
  return {InputOutcome::Parsed, bits};
}
Result rejected() {
  return {InputOutcome::Rejected, 0};
}
Result nothingRead() {
  return {InputOutcome::NothingRead, 0};
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLeadingSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
// Line ends are skipped before a token but do not end one: "2.5\n7" is rejected.
bool endsToken(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

// A positive decimal "digits e exponent" rounded to nearest, ties to even; false on overflow.
// from_chars reads the C format whatever the locale. It reports a result that is out of
// range both for overflow and for a value that rounds to zero; `aboveOne` tells them apart.
template <class Float>
bool roundWithCharconv(const char* text, const char* end, bool aboveOne, Encoding& bits) {
  Float v = 0;
  const std::from_chars_result r = floatFromChars(text, end, v);
  if (r.ec == std::errc::result_out_of_range) {
    if (aboveOne) return false;
    v = 0;
  }
  if (std::isinf(v)) return false;
  if constexpr (sizeof(Float) == 4) {
    bits = orbalta::bit_cast<std::uint32_t>(v);
  } else {
    bits = orbalta::bit_cast<std::uint64_t>(v);
  }
  return true;
}

// The same through MPFR. The exponent range is set so that MPFR's numbers are exactly those
// of the format: its smallest exponent is that of the smallest subnormal, and
// mpfr_subnormalize then rounds once more to the subnormal grid without double rounding.
// The encoding is built from MPFR's integer significand, not from a conversion to a C type.
bool roundWithMpfr(const char* text, int formatBytes, Encoding& bits) {
  const FormatDescriptor& layout = layoutOf(formatBytes);
  const int precision = layout.precision;
  const long minNormalExponent = layout.emin;
  // MPFR writes x = 0.1b... x 2^E, one more than the IEEE exponent.
  const long mpfrEmin = minNormalExponent - layout.fractionWidth + 1;
  const long mpfrEmax = layout.emax + 1;

  // MPFR's exponent range and flags are process-wide: leave them as they were found.
  const mpfr_exp_t savedEmin = mpfr_get_emin();
  const mpfr_exp_t savedEmax = mpfr_get_emax();
  const mpfr_flags_t savedFlags = mpfr_flags_save();
  mpfr_set_emin(mpfrEmin);
  mpfr_set_emax(mpfrEmax);

  mpfr_t x;
  mpfr_init2(x, precision);
  const int ternary = mpfr_strtofr(x, text, nullptr, 10, MPFR_RNDN);
  mpfr_subnormalize(x, ternary, MPFR_RNDN);

  bool finite = true;
  if (mpfr_inf_p(x)) {
    finite = false;
  } else if (mpfr_zero_p(x)) {
    bits = 0;
  } else {
    mpz_t significand;
    mpz_init(significand);
    // x = significand x 2^e, significand of exactly `precision` bits.
    const long e = mpfr_get_z_2exp(significand, x);
    assert(mpz_sizeinbase(significand, 2) == static_cast<std::size_t>(precision) &&
           "MPFR significand is not normalised");
    std::uint64_t words[2] = {0, 0};
    mpz_export(words, nullptr, -1, sizeof words[0], 0, 0, significand);
    mpz_clear(significand);
    const Encoding m = (Encoding{words[1]} << 64) | words[0];

    const long exponent = e + layout.fractionWidth;  // of the leading bit
    if (exponent >= minNormalExponent) {
      const Encoding biased = static_cast<Encoding>(exponent + layout.bias);
      bits = (biased << layout.fractionWidth) | (m & ((Encoding{1} << layout.fractionWidth) - 1));
    } else {
      // Subnormal: x = fraction x 2^(minNormalExponent - fractionWidth).
      const long shift = (minNormalExponent - layout.fractionWidth) - e;
      assert(shift > 0 && shift <= layout.fractionWidth &&
             (m & ((Encoding{1} << shift) - 1)) == 0 && "subnormal not on its grid");
      bits = m >> shift;
    }
  }
  mpfr_clear(x);
  mpfr_set_emin(savedEmin);
  mpfr_set_emax(savedEmax);
  mpfr_flags_restore(savedFlags, MPFR_FLAGS_ALL);
  return finite;
}

// Clinger's fast path for binary128: a digit string D within the format's exact digits and
// 10^k within its exact powers are both exact binary128 numbers, so the one correctly rounded
// multiplication or division that combines them is the correctly rounded value of D x 10^k.
// Every result lies far inside the normal range. This spares MPFR for the usual short input.
constexpr std::int64_t kExactPowers128 = kBinary128Format.exactPowers;

Encoding exactlyScaled128(Encoding digits, int scale) {
  static const auto powers = [] {
    std::array<float128, kExactPowers128 + 1> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;  // exact: 5^k < 2^113
    return p;
  }();
  const float128 d = static_cast<float128>(digits);  // exact: digits < 2^113
  const float128 v = scale >= 0 ? d * powers[static_cast<std::size_t>(scale)]
                                : d / powers[static_cast<std::size_t>(-scale)];
  return orbalta::bit_cast<Encoding>(v);
}

// The same for binary32 and binary64. These short inputs are the ones typed most.
template <class Float, int kPowers>
Encoding exactlyScaled(std::uint64_t digits, int scale) {
  static constexpr auto powers = [] {
    std::array<Float, kPowers + 1> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;  // exact
    return p;
  }();
  const Float d = static_cast<Float>(digits);  // exact
  const Float v = scale >= 0 ? d * powers[static_cast<std::size_t>(scale)]
                             : d / powers[static_cast<std::size_t>(-scale)];
  if constexpr (sizeof(Float) == 4) {
    return orbalta::bit_cast<std::uint32_t>(v);
  } else {
    return orbalta::bit_cast<std::uint64_t>(v);
  }
}

Encoding signBit(int formatBytes) {
  return layoutOf(formatBytes).signMask();
}

Encoding infinity(int formatBytes) {
  return layoutOf(formatBytes).exponentMask();
}

Encoding quietNaN(int formatBytes) {
  return infinity(formatBytes) | (Encoding{1} << (layoutOf(formatBytes).fractionWidth - 1));
}

// Writes v in decimal at text[n], returns the new end. No library call: this is the hot path.
std::size_t appendInteger(char* text, std::size_t n, std::int64_t v) {
  if (v < 0) text[n++] = '-';
  std::uint64_t magnitude =
      v < 0 ? 0u - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  char reversed[20];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) text[n++] = reversed[--count];
  return n;
}

const char* skipDigits(const char* p, const char* end) {
  while (p < end && isDigit(*p)) ++p;
  return p;
}

// The optional exponent after a mantissa: a letter e, d or q, a sign, digits, then the end of
// the token. False when it is malformed; `p` ends past it.
bool readExponent(const char*& p, const char* end, std::int64_t& exponent, const char*& written) {
  if (p == end || endsToken(*p)) return true;
  const char letter = lower(*p);
  if (letter != 'e' && letter != 'd' && letter != 'q') return false;
  written = ++p;
  bool negativeExponent = false;
  if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
  if (p == end || !isDigit(*p)) return false;
  for (; p < end && isDigit(*p); ++p) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (*p - '0');
  }
  if (negativeExponent) exponent = -exponent;
  return p == end || endsToken(*p);
}

// D x 10^scale rounded by the libraries, D the digits from firstNonzero to lastNonzero (the
// point skipped); false on overflow.
bool roundDigits(const char* firstNonzero, const char* lastNonzero, const char* point,
                 std::int64_t significant, std::int64_t scale, int formatBytes, Encoding& bits) {
  const bool pointInside = firstNonzero < point && point < lastNonzero;
  // "D e scale": short texts stay on the stack.
  char small[128];
  std::string large;
  char* text = small;
  if (static_cast<std::size_t>(significant) + 24 > sizeof small) {
    large.resize(static_cast<std::size_t>(significant) + 24);
    text = large.data();
  }
  std::size_t n = 0;
  if (pointInside) {
    n = static_cast<std::size_t>(point - firstNonzero);
    std::memcpy(text, firstNonzero, n);
    std::memcpy(text + n, point + 1, static_cast<std::size_t>(lastNonzero - point));
    n += static_cast<std::size_t>(lastNonzero - point);
  } else {
    n = static_cast<std::size_t>(significant);
    std::memcpy(text, firstNonzero, n);
  }
  text[n++] = 'e';
  n = appendInteger(text, n, scale);
  text[n] = '\0';

  if (formatBytes == 16) return roundWithMpfr(text, formatBytes, bits);
  const bool aboveOne = significant + scale > 0;
  return formatBytes == 8 ? roundWithCharconv<double>(text, text + n, aboveOne, bits)
                          : roundWithCharconv<float>(text, text + n, aboveOne, bits);
}

// The integer the digits from `first` to `last` (inclusive, a point skipped) write; the
// caller knows that it fits.
template <typename Int>
Int digitsValue(const char* first, const char* last) {
  Int d = 0;
  for (const char* k = first; k <= last; ++k) {
    if (*k != '.') d = d * 10 + static_cast<Int>(*k - '0');
  }
  return d;
}

// The rest of the token after a sign: a number (digits with at most one point, then an
// optional exponent) that ends at the token's end. Reads the text once, left to right.
Result readNumber(const char* p, const char* end, bool negative, int formatBytes,
                  TypedNumber* typed) {
  // Mantissa: digits, at most one point. Then the significant digits, from the first to the
  // last nonzero one, found by short scans from either end.
  const char* const start = p;
  p = skipDigits(p, end);
  const char* point = p;
  if (p < end && *p == '.') p = skipDigits(p + 1, end);
  const char* const mantissaEnd = p;
  if (mantissaEnd - start == (point < mantissaEnd ? 1 : 0)) return rejected();  // no digit
  const char* firstNonzero = start;
  while (firstNonzero < mantissaEnd && (*firstNonzero == '0' || *firstNonzero == '.')) {
    ++firstNonzero;
  }
  const char* lastNonzero = mantissaEnd - 1;
  while (lastNonzero >= firstNonzero && (*lastNonzero == '0' || *lastNonzero == '.')) {
    --lastNonzero;
  }

  std::int64_t exponent = 0;
  const char* exponentStart = p;
  if (!readExponent(p, end, exponent, exponentStart)) return rejected();

  const Encoding sign = negative ? signBit(formatBytes) : 0;
  if (typed != nullptr) {
    typed->isNumber = true;
    typed->negative = negative;
    typed->digits.clear();
    typed->scale = 0;
    typed->exponentText.assign(exponentStart, p);
    typed->pointScale = 0;
  }
  if (firstNonzero == mantissaEnd) return parsed(sign);

  // value = D x 10^scale, D the digits from firstNonzero to lastNonzero.
  std::int64_t scale = exponent;
  if (lastNonzero < point) {
    scale += point - lastNonzero - 1;
  } else {
    scale -= lastNonzero - point;
  }
  const bool pointInside = firstNonzero < point && point < lastNonzero;
  const std::int64_t significant = (lastNonzero - firstNonzero + 1) - (pointInside ? 1 : 0);
  if (typed != nullptr) {
    for (const char* k = firstNonzero; k <= lastNonzero; ++k) {
      if (*k != '.') typed->digits += *k;
    }
    typed->scale = scale;
    typed->pointScale = scale - exponent;
  }

  if (significant - 1 + scale >= kOverflowDecade) return rejected();
  if (significant + scale <= kUnderflowDecade) return parsed(sign);

  const FormatDescriptor& layout = layoutOf(formatBytes);
  const bool exact = significant <= layout.exactDigits && scale >= -layout.exactPowers &&
                     scale <= layout.exactPowers;
  const bool exact32 = formatBytes == 4 && exact;
  const bool exact64 = formatBytes == 8 && exact;
  if (exact32 || exact64) {
    const auto d = digitsValue<std::uint64_t>(firstNonzero, lastNonzero);
    const int power = static_cast<int>(scale);
    return parsed((exact32 ? exactlyScaled<float, kBinary32Format.exactPowers>(d, power)
                           : exactlyScaled<double, kBinary64Format.exactPowers>(d, power)) |
                  sign);
  }
  if (formatBytes == 16 && exact) {
    const auto d = digitsValue<Encoding>(firstNonzero, lastNonzero);
    return parsed(exactlyScaled128(d, static_cast<int>(scale)) | sign);
  }

  Encoding bits = 0;
  const bool finite =
      roundDigits(firstNonzero, lastNonzero, point, significant, scale, formatBytes, bits);
  if (!finite) return rejected();
  return parsed(bits | sign);
}

// The letters from p to the token's end, if they spell `word` in either case.
bool spellsWord(const char* p, const char* end, std::string_view word) {
  for (const char c : word) {
    if (p == end || lower(*p) != c) return false;
    ++p;
  }
  return p == end || endsToken(*p);
}

}  // namespace

DecimalInput::Result DecimalInput::read(std::string_view text, int formatBytes,
                                        TypedNumber* typed) {
  if (formatDescriptor(formatBytes) == nullptr) return nothingRead();

  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && isLeadingSpace(*p)) ++p;
  if (p == end) return nothingRead();
  if (*p == '(') return nothingRead();

  // r*t stands for t; r must be a positive integer.
  const char* q = p;
  bool positive = false;
  for (; q < end && isDigit(*q); ++q) positive = positive || *q != '0';
  if (q < end && *q == '*') {
    if (!positive) return rejected();
    p = q + 1;
  }

  bool negative = false;
  bool explicitPlus = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    explicitPlus = *p == '+';
    ++p;
  }
  if (p < end && (*p == 'i' || *p == 'I')) {
    if (spellsWord(p, end, "inf") || spellsWord(p, end, "infinity")) {
      return parsed(infinity(formatBytes) | (negative ? signBit(formatBytes) : 0));
    }
    return rejected();
  }
  if (p < end && (*p == 'n' || *p == 'N')) {
    if (spellsWord(p, end, "nan")) {
      return parsed(quietNaN(formatBytes) | (explicitPlus ? 0 : signBit(formatBytes)));
    }
    return rejected();
  }
  return readNumber(p, end, negative, formatBytes, typed);
}

}  // namespace orbalta
