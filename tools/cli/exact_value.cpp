// A binary value m * 2^q with q < 0 equals m * 5^-q / 10^-q: its digits are those of an
// integer. Decimal exponents stay GMP integers throughout, so none is ever cut.

#include "tools/cli/exact_value.h"

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
  std::string digits(mpz_sizeinbase(value, 10) + 1, '\0');
  mpz_get_str(digits.data(), 10, value);
  digits.resize(digits.find('\0'));
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

std::string exponentText(const BigInteger& exponent) {
  const std::string digits = exponent.text();
  return digits[0] == '-' ? "e" + digits : "e+" + digits;
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
  return out + exponentText(value.exponent);
}

std::optional<std::string> ratioText(const BigDecimal& value, const BinaryValue& unit) {
  if (mpz_sgn(unit.m.get()) == 0) return std::nullopt;
  if (value.digits.empty()) return std::string("0");

  // |value| / unit = num / den * 10^scale.
  BigInteger num, den = unit.m;
  mpz_set_str(num.get(), value.digits.c_str(), 10);
  if (unit.q < 0) mpz_mul_2exp(num.get(), num.get(), static_cast<mp_bitcnt_t>(-unit.q));
  if (unit.q > 0) mpz_mul_2exp(den.get(), den.get(), static_cast<mp_bitcnt_t>(unit.q));

  // t: the power of ten of the first digit of num / den, 1000 <= num * 10^(3 - t) / den < 10000.
  long t = static_cast<long>(mpz_sizeinbase(num.get(), 10)) -
           static_cast<long>(mpz_sizeinbase(den.get(), 10));
  BigInteger q, r, a, b;
  for (;;) {
    a = num;
    b = den;
    mulPow(a.get(), 10, 3 - t);
    mulPow(b.get(), 10, t - 3);
    mpz_fdiv_qr(q.get(), r.get(), a.get(), b.get());
    if (mpz_cmp_ui(q.get(), 1000) < 0) {
      --t;
    } else if (mpz_cmp_ui(q.get(), 10000) >= 0) {
      ++t;
    } else {
      break;
    }
  }
  mpz_mul_2exp(r.get(), r.get(), 1);
  if (mpz_cmp(r.get(), b.get()) >= 0) mpz_add_ui(q.get(), q.get(), 1);
  unsigned long digits = mpz_get_ui(q.get());
  if (digits == 10000) {
    digits = 1000;
    ++t;
  }
  BigInteger power = lastDigitScale(value);
  mpz_add(power.get(), power.get(), BigInteger(t).get());
  const std::string d = std::to_string(digits);
  std::string out = value.negative ? "-" : "";
  if (mpz_cmp_si(power.get(), 0) >= 0 && mpz_cmp_si(power.get(), 3) <= 0) {
    const auto before = static_cast<std::size_t>(mpz_get_si(power.get()) + 1);
    out += d.substr(0, before);
    if (before < 4) out += "." + d.substr(before);
  } else if (mpz_cmp_si(power.get(), 0) < 0 && mpz_cmp_si(power.get(), -5) >= 0) {
    out += "0." + std::string(static_cast<std::size_t>(-mpz_get_si(power.get()) - 1), '0') + d;
  } else {
    out += d.substr(0, 1) + "." + d.substr(1) + exponentText(power);
  }
  return out;
}

}  // namespace orbalta::cli
