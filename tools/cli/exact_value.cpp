// A binary value m * 2^q with q < 0 equals m * 5^-q / 10^-q: its digits are those of an
// integer. Decimal exponents stay GMP integers throughout, so none is ever cut.

#include "tools/cli/exact_value.h"

#include "textconv/ratio_text.h"

namespace orbalta::cli {

namespace {

constexpr long kMaxErrorShift = 1'000'000;

void mulPow(mpz_ptr z, unsigned long base, long power) {
  if (power <= 0) return;
  BigInteger p;
  mpz_ui_pow_ui(p.get(), base, static_cast<unsigned long>(power));
  mpz_mul(z, z, p.get());
}

// `value` * 10^scale; the sign of `value` is the sign of the result.
BigDecimal fromScaled(mpz_ptr value, const BigInteger& scale) {
  BigDecimal out;
  if (mpz_sgn(value) == 0) return out;
  out.negative = mpz_sgn(value) < 0;
  mpz_abs(value, value);
  std::string digits = decimalText(value);
  mpz_add_ui(out.exponent.get(), scale.get(), digits.size() - 1);
  digits.erase(digits.find_last_not_of('0') + 1);
  out.digits = std::move(digits);
  return out;
}

// The power of ten of the last digit.
BigInteger lastDigitScale(const BigDecimal& value) {
  BigInteger scale = value.exponent;
  if (!value.digits.empty()) mpz_sub_ui(scale.get(), scale.get(), value.digits.size() - 1);
  return scale;
}

// The binary value as an integer times 10^scale (scale <= 0).
long toScaled(const BinaryValue& b, mpz_ptr z) {
  mpz_set(z, b.m.get());
  if (b.negative) mpz_neg(z, z);
  if (b.q >= 0) {
    mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(b.q));
    return 0;
  }
  mulPow(z, 5, -b.q);
  return b.q;
}

void setDigits(mpz_ptr z, const BigDecimal& d) {
  mpz_set_str(z, d.digits.c_str(), 10);
  if (d.negative) mpz_neg(z, z);
}

// Fits `a - b` in [0, kMaxErrorShift]? Then it is written to `shift`.
bool smallShift(const BigInteger& a, const BigInteger& b, long& shift) {
  BigInteger d;
  mpz_sub(d.get(), a.get(), b.get());
  if (mpz_cmp_si(d.get(), kMaxErrorShift) > 0) return false;
  shift = mpz_get_si(d.get());
  return true;
}

}  // namespace

BigDecimal typedValue(const TypedNumber& typed) {
  BigDecimal out;
  out.negative = typed.negative;
  out.digits = typed.digits;
  std::string_view written = typed.exponentText;
  if (written.starts_with('+')) written.remove_prefix(1);
  if (!written.empty()) mpz_set_str(out.exponent.get(), std::string(written).c_str(), 10);
  mpz_add(out.exponent.get(), out.exponent.get(), BigInteger(typed.pointScale).get());
  if (!out.digits.empty())
    mpz_add_ui(out.exponent.get(), out.exponent.get(), out.digits.size() - 1);
  if (out.digits.empty()) mpz_set_ui(out.exponent.get(), 0);
  return out;
}

BigDecimal decimalOf(const BinaryValue& value) {
  BigInteger z;
  const BigInteger scale(toScaled(value, z.get()));
  BigDecimal out = fromScaled(z.get(), scale);
  out.negative = value.negative;
  return out;
}

std::optional<BigDecimal> conversionError(const BigDecimal& typed, const BinaryValue& stored) {
  if (mpz_sgn(stored.m.get()) == 0) {
    BigDecimal error = typed;
    if (error.digits.empty()) error.negative = false;
    return error;
  }
  if (typed.digits.empty()) {
    BigDecimal error = decimalOf(stored);
    error.negative = !error.negative;
    return error;
  }
  BigInteger storedValue, error;
  const BigInteger storedScale(toScaled(stored, storedValue.get()));
  const BigInteger typedScale = lastDigitScale(typed);
  setDigits(error.get(), typed);
  const BigInteger& common =
      mpz_cmp(storedScale.get(), typedScale.get()) < 0 ? storedScale : typedScale;
  long storedShift = 0, typedShift = 0;
  if (!smallShift(storedScale, common, storedShift) || !smallShift(typedScale, common, typedShift))
    return std::nullopt;
  mulPow(storedValue.get(), 10, storedShift);
  mulPow(error.get(), 10, typedShift);
  mpz_sub(error.get(), error.get(), storedValue.get());
  return fromScaled(error.get(), common);
}

std::string sciText(const BigDecimal& value) {
  std::string out = value.negative ? "-" : "";
  if (value.digits.empty()) return out + "0";
  out += value.digits[0];
  if (value.digits.size() > 1) out += "." + value.digits.substr(1);
  return out + powerText(value.exponent.get());
}

std::optional<std::string> ratioText(const BigDecimal& value, const BinaryValue& unit) {
  if (mpz_sgn(unit.m.get()) == 0) return std::nullopt;
  if (value.digits.empty()) return std::string("0");
  // |value| / unit = num / den * 10^(the power of the last digit).
  BigInteger num, den = unit.m;
  mpz_set_str(num.get(), value.digits.c_str(), 10);
  if (unit.q < 0) mpz_mul_2exp(num.get(), num.get(), static_cast<mp_bitcnt_t>(-unit.q));
  if (unit.q > 0) mpz_mul_2exp(den.get(), den.get(), static_cast<mp_bitcnt_t>(unit.q));
  return orbalta::ratioText(value.negative, num.get(), den.get(), lastDigitScale(value).get());
}

}  // namespace orbalta::cli
