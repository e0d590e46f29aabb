// Decimal digits of GMP integers against GMP's own conversion, at the sizes where the split by
// powers of ten changes depth and where whole groups of digits are zero.

#include "textconv/big_integer.h"

#include <gtest/gtest.h>

#include <string>

namespace orbalta {
namespace {

std::string gmpText(mpz_srcptr z) {
  std::string out(mpz_sizeinbase(z, 10) + 2, '\0');
  mpz_get_str(out.data(), 10, z);
  out.resize(out.find('\0'));
  return out;
}

TEST(BigIntegerTest, DecimalTextAgreesWithGmp) {
  const struct {
    unsigned long power;  // 10^power + offset
    long offset;
  } rows[] = {{0, -1}, {0, 0},  {0, 1},    {9, -1},  {9, 0},    {9, 1},    {18, -1},
              {18, 0}, {18, 1}, {27, 1},   {36, -1}, {36, 0},   {36, 1},   {72, -1},
              {72, 0}, {72, 1}, {144, -1}, {144, 7}, {200, 42}, {1000, 1}, {4966, -1}};
  for (const auto& row : rows) {
    for (const int sign : {1, -1}) {
      SCOPED_TRACE(std::to_string(sign) + " * (10^" + std::to_string(row.power) + " + " +
                   std::to_string(row.offset) + ")");
      BigInteger z, offset(row.offset);
      mpz_ui_pow_ui(z.get(), 10, row.power);
      mpz_add(z.get(), z.get(), offset.get());
      if (sign < 0) mpz_neg(z.get(), z.get());
      EXPECT_EQ(z.text(), gmpText(z.get()));
    }
  }
}

TEST(BigIntegerTest, DecimalTextOfLongPowersKeepsEveryDigit) {
  // 5^16494: the digits of the smallest binary128 subnormal; 2^16384: past the largest normal.
  for (const auto& [base, power] : {std::pair{5UL, 16494UL}, std::pair{2UL, 16384UL},
                                    std::pair{3UL, 20000UL}, std::pair{7UL, 4000UL}}) {
    SCOPED_TRACE(std::to_string(base) + "^" + std::to_string(power));
    BigInteger z;
    mpz_ui_pow_ui(z.get(), base, power);
    EXPECT_EQ(decimalText(z.get()), gmpText(z.get()));
  }
}

}  // namespace
}  // namespace orbalta
