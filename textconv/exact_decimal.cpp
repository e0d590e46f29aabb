// Exact decimal expansions. A finite binary value is m * 2^e with integer m; for e < 0 it equals
// m * 5^-e / 10^-e, so its digits are those of the integer m * 5^-e and the point is placed
// by e. Errors and ratios are done the same way, on integers scaled by powers of ten.

#include "textconv/exact_decimal.h"

#include <gmp.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "textconv/big_integer.h"
#include "textconv/format_descriptor.h"
#include "textconv/ratio_text.h"

namespace orbalta {

namespace {

// A shift beyond this cannot come from a typed text and a stored value of one format.
constexpr std::int64_t kMaxShift = 1'000'000;

struct Binary {
  bool finite = false;
  bool negative = false;
  uint128 m = 0;
  std::int64_t e = 0;  // value = (-1)^negative * m * 2^e
};

Binary decode(Encoding bits, int formatBytes) {
  const FormatDescriptor* format = formatDescriptor(formatBytes);
  if (format == nullptr) return {};
  const int fractionWidth = format->fractionWidth;
  const std::int64_t bias = format->bias;
  const Encoding biased = (bits & format->exponentMask()) >> fractionWidth;
  const uint128 fraction = bits & format->fractionMask();
  Binary b;
  b.negative = (bits & format->signMask()) != 0;
  if ((bits & format->exponentMask()) == format->exponentMask()) return b;
  b.finite = true;
  if (biased == 0) {
    b.m = fraction;
    b.e = 1 - bias - fractionWidth;
  } else {
    b.m = fraction | (uint128{1} << fractionWidth);
    b.e = static_cast<std::int64_t>(biased) - bias - fractionWidth;
  }
  return b;
}

void setUint128(mpz_ptr z, uint128 v) {
  const std::array<std::uint64_t, 2> words{static_cast<std::uint64_t>(v),
                                           static_cast<std::uint64_t>(v >> 64)};
  mpz_import(z, words.size(), -1, sizeof(std::uint64_t), 0, 0, words.data());
}

void mulPow(mpz_ptr z, unsigned long base, std::int64_t power) {
  if (power <= 0) return;
  BigInteger p;
  mpz_ui_pow_ui(p.get(), base, static_cast<unsigned long>(power));
  mpz_mul(z, z, p.get());
}

// `value` * 10^scale as significant digits; the sign of `value` is the sign of the result.
ExactDecimal fromScaled(mpz_ptr value, std::int64_t scale) {
  ExactDecimal out;
  if (mpz_sgn(value) == 0) return out;
  out.negative = mpz_sgn(value) < 0;
  mpz_abs(value, value);
  std::string digits = decimalText(value);
  const std::size_t last = digits.find_last_not_of('0');
  out.exponent = static_cast<std::int64_t>(digits.size()) - 1 + scale;
  digits.resize(last + 1);
  out.digits = std::move(digits);
  return out;
}

// The binary value as an integer times a power of ten (scale <= 0).
std::int64_t toScaled(const Binary& b, mpz_ptr z) {
  setUint128(z, b.m);
  if (b.negative) mpz_neg(z, z);
  if (b.e >= 0) {
    mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(b.e));
    return 0;
  }
  mulPow(z, 5, -b.e);
  return b.e;
}

// Significant digits and exponent as an integer times 10^scale.
std::int64_t toScaled(const ExactDecimal& d, mpz_ptr z) {
  if (d.digits.empty()) {
    mpz_set_ui(z, 0);
    return 0;
  }
  mpz_set_str(z, d.digits.c_str(), 10);
  if (d.negative) mpz_neg(z, z);
  return d.exponent - static_cast<std::int64_t>(d.digits.size()) + 1;
}

std::string exponentText(std::int64_t exponent) {
  return std::string(exponent < 0 ? "e-" : "e+") + std::to_string(std::llabs(exponent));
}

}  // namespace

std::optional<ExactDecimal> exactValue(Encoding bits, int formatBytes) {
  const Binary b = decode(bits, formatBytes);
  if (!b.finite) return std::nullopt;
  BigInteger z;
  const std::int64_t scale = toScaled(b, z.get());
  ExactDecimal out = fromScaled(z.get(), scale);
  out.negative = b.negative;
  return out;
}

std::optional<ExactDecimal> leadingDigits(Encoding bits, int formatBytes, std::size_t count,
                                          std::size_t& totalDigits) {
  const Binary b = decode(bits, formatBytes);
  if (!b.finite) return std::nullopt;
  // Short values: the whole expansion is as cheap.
  if (b.m == 0 || (b.e > -200 && b.e < 200) || count == 0) {
    std::optional<ExactDecimal> full = exactValue(bits, formatBytes);
    totalDigits = full->digits.size();
    if (full->digits.size() > count) full->digits.resize(count);
    return full;
  }
  // Trailing decimal zeros of the digit integer (m * 5^-e or m * 2^e) are its common powers
  // of 2 and 5.
  std::int64_t fives = 0;
  for (uint128 m = b.m; m % 5 == 0; m /= 5) ++fives;
  const auto low64 = static_cast<std::uint64_t>(b.m);
  const std::int64_t twos = low64 != 0
                                ? std::countr_zero(low64)
                                : 64 + std::countr_zero(static_cast<std::uint64_t>(b.m >> 64));
  const std::int64_t zeros = b.e < 0 ? std::min(twos, fives - b.e) : std::min(twos + b.e, fives);

  // x: the power of ten of the first digit; lead = floor(m * 2^e / 10^p) has count digits.
  auto x = static_cast<std::int64_t>(std::floor(std::log10(static_cast<long double>(b.m)) +
                                                static_cast<long double>(b.e) * std::log10(2.0L)));
  const auto wanted = static_cast<std::int64_t>(count);
  BigInteger lead, den, low, high;
  mpz_ui_pow_ui(low.get(), 10, static_cast<unsigned long>(count - 1));
  mpz_ui_pow_ui(high.get(), 10, static_cast<unsigned long>(count));
  for (;;) {
    const std::int64_t p = x - wanted + 1;
    setUint128(lead.get(), b.m);
    mpz_set_ui(den.get(), 1);
    if (p < 0) mulPow(lead.get(), 5, -p);
    if (p > 0) mulPow(den.get(), 5, p);
    const std::int64_t twoPower = b.e - p;
    if (twoPower >= 0) mpz_mul_2exp(lead.get(), lead.get(), static_cast<mp_bitcnt_t>(twoPower));
    if (twoPower < 0) mpz_mul_2exp(den.get(), den.get(), static_cast<mp_bitcnt_t>(-twoPower));
    mpz_fdiv_q(lead.get(), lead.get(), den.get());
    if (mpz_cmp(lead.get(), low.get()) < 0) {
      --x;
    } else if (mpz_cmp(lead.get(), high.get()) >= 0) {
      ++x;
    } else {
      break;
    }
  }
  const std::int64_t allDigits = (b.e < 0 ? x - b.e : x) + 1;
  totalDigits = static_cast<std::size_t>(allDigits - zeros);
  if (totalDigits <= count) return exactValue(bits, formatBytes);
  ExactDecimal out{b.negative, std::string(count + 1, '\0'), x};
  mpz_get_str(out.digits.data(), 10, lead.get());
  out.digits.resize(count);
  return out;
}

std::optional<ExactDecimal> conversionError(const TypedNumber& typed, Encoding bits,
                                            int formatBytes) {
  const Binary b = decode(bits, formatBytes);
  if (!b.finite) return std::nullopt;
  ExactDecimal typedValue{typed.negative, typed.digits,
                          typed.scale + static_cast<std::int64_t>(typed.digits.size()) - 1};
  typedValue.digits.erase(typedValue.digits.find_last_not_of('0') + 1);
  if (typedValue.digits.empty()) typedValue = ExactDecimal{};
  // A typed value that rounded to zero is its own error, however far its exponent.
  if (b.m == 0) return typedValue;

  BigInteger stored, error;
  std::int64_t storedScale = toScaled(b, stored.get());
  std::int64_t errorScale = toScaled(typedValue, error.get());
  const std::int64_t common = std::min(storedScale, errorScale);
  if (storedScale - common > kMaxShift || errorScale - common > kMaxShift) return std::nullopt;
  mulPow(stored.get(), 10, storedScale - common);
  mulPow(error.get(), 10, errorScale - common);
  mpz_sub(error.get(), error.get(), stored.get());
  return fromScaled(error.get(), common);
}

std::string sciText(const ExactDecimal& value) {
  return shortSciText(value, value.digits.size());
}

std::string shortSciText(const ExactDecimal& value, std::size_t maxDigits) {
  std::string out = value.negative ? "-" : "";
  if (value.digits.empty()) return out + "0";
  const bool cut = value.digits.size() > maxDigits;
  const std::size_t shown = std::max<std::size_t>(1, cut ? maxDigits : value.digits.size());
  out += value.digits[0];
  if (shown > 1 || cut) out += '.';
  out.append(value.digits, 1, shown - 1);
  if (cut) out += "...";
  return out + exponentText(value.exponent);
}

std::optional<std::string> ratioText(const ExactDecimal& value, Encoding unit, int formatBytes) {
  const Binary u = decode(unit, formatBytes);
  if (!u.finite || u.m == 0) return std::nullopt;
  if (value.digits.empty()) return std::string("0");

  // |value| / unit = num / den * 10^scale, num and den positive integers.
  BigInteger num, den, scale;
  // Through text: a long has 32 bits on Windows.
  mpz_set_str(scale.get(), std::to_string(toScaled(value, num.get())).c_str(), 10);
  mpz_abs(num.get(), num.get());
  setUint128(den.get(), u.m);
  if (u.e < 0) mpz_mul_2exp(num.get(), num.get(), static_cast<mp_bitcnt_t>(-u.e));
  if (u.e > 0) mpz_mul_2exp(den.get(), den.get(), static_cast<mp_bitcnt_t>(u.e));
  return orbalta::ratioText(value.negative, num.get(), den.get(), scale.get());
}

}  // namespace orbalta
