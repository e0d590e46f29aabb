#include "textconv/ratio_text.h"

#include "textconv/big_integer.h"

#include <cmath>

namespace orbalta {

namespace {

void mulPow10(mpz_ptr z, long power) {
  if (power <= 0) return;
  BigInteger p;
  mpz_ui_pow_ui(p.get(), 10, static_cast<unsigned long>(power));
  mpz_mul(z, z, p.get());
}

}  // namespace

std::string powerText(mpz_srcptr exponent) {
  const std::string digits = decimalText(exponent);
  return digits[0] == '-' ? "e" + digits : "e+" + digits;
}

std::string ratioText(bool negative, mpz_srcptr num, mpz_srcptr den, mpz_srcptr scale) {
  // t: the power of ten of the first digit of num / den, 1000 <= num * 10^(3 - t) / den < 10000;
  // the bit lengths put it within one (a decimal length costs a division per digit in mini-gmp).
  const auto bitGap =
      static_cast<double>(mpz_sizeinbase(num, 2)) - static_cast<double>(mpz_sizeinbase(den, 2));
  auto t = static_cast<long>(std::floor(bitGap * 0.30102999566398120));
  BigInteger q, r, a, b;
  for (;;) {
    mpz_set(a.get(), num);
    mpz_set(b.get(), den);
    mulPow10(a.get(), 3 - t);
    mulPow10(b.get(), t - 3);
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
  BigInteger power;
  mpz_set_si(power.get(), t);
  mpz_add(power.get(), power.get(), scale);
  const std::string d = std::to_string(digits);
  std::string out = negative ? "-" : "";
  if (mpz_cmp_si(power.get(), 0) >= 0 && mpz_cmp_si(power.get(), 3) <= 0) {
    const auto before = static_cast<std::size_t>(mpz_get_si(power.get()) + 1);
    out += d.substr(0, before);
    if (before < 4) out += "." + d.substr(before);
  } else if (mpz_cmp_si(power.get(), 0) < 0 && mpz_cmp_si(power.get(), -5) >= 0) {
    out += "0." + std::string(static_cast<std::size_t>(-mpz_get_si(power.get()) - 1), '0') + d;
  } else {
    out += d.substr(0, 1) + "." + d.substr(1) + powerText(power.get());
  }
  return out;
}

}  // namespace orbalta
