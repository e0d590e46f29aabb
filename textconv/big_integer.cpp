#include "textconv/big_integer.h"

#include <cstdio>
#include <vector>

namespace orbalta {

namespace {

constexpr int kLeafDigits = 9;  // 10^9 fits the 32-bit long of WebAssembly and Windows

// Appends the digits of 0 <= z < powers[level]^2 (z < 10^9 at level -1); `pad` writes all
// 9 * 2^(level + 1) of them, leading zeros included.
void appendDigits(std::string& out, mpz_srcptr z, int level, bool pad,
                  const std::vector<BigInteger>& powers) {
  if (level < 0) {
    char leaf[kLeafDigits + 2];
    std::snprintf(leaf, sizeof leaf, pad ? "%09lu" : "%lu", mpz_get_ui(z));
    out += leaf;
    return;
  }
  BigInteger high, low;
  mpz_tdiv_qr(high.get(), low.get(), z, powers[static_cast<std::size_t>(level)].get());
  const bool both = pad || mpz_sgn(high.get()) != 0;
  if (both) appendDigits(out, high.get(), level - 1, pad, powers);
  appendDigits(out, low.get(), level - 1, both, powers);
}

}  // namespace

std::string decimalText(mpz_srcptr z) {
  BigInteger magnitude;
  mpz_abs(magnitude.get(), z);
  // 10^(9 * 2^k) until the last one's square exceeds the magnitude.
  std::vector<BigInteger> powers(1);
  mpz_ui_pow_ui(powers[0].get(), 10, kLeafDigits);
  const std::size_t bits = mpz_sizeinbase(magnitude.get(), 2);
  while (2 * mpz_sizeinbase(powers.back().get(), 2) - 1 <= bits) {
    BigInteger square;
    mpz_mul(square.get(), powers.back().get(), powers.back().get());
    powers.push_back(square);
  }
  std::string out = mpz_sgn(z) < 0 ? "-" : "";
  appendDigits(out, magnitude.get(), static_cast<int>(powers.size()) - 1, false, powers);
  return out;
}

}  // namespace orbalta
