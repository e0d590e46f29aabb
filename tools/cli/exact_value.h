#pragma once
// Exact values, conversion errors and their ratio to ULP(X) for any format of the CLI, with
// decimal exponents of any size: a typed "1e-2000000000000000000000" keeps every digit of its
// exponent, so its error is exact too.

#include <optional>
#include <string>

#include "textconv/decimal_input.h"
#include "tools/cli/big_integer.h"

namespace orbalta::cli {

// sign * d1.d2d3... * 10^exponent; `digits` from the first to the last nonzero, empty for 0.
struct BigDecimal {
  bool negative = false;
  std::string digits;
  BigInteger exponent;
};

// A finite binary value: sign * m * 2^q.
struct BinaryValue {
  bool negative = false;
  BigInteger m;
  long q = 0;
};

// The number a decimal token spelled, with its exponent as written.
BigDecimal typedValue(const TypedNumber& typed);

BigDecimal decimalOf(const BinaryValue& value);

// typed - stored; nullopt when it would have more than a million digits (a value far beyond
// the range that a directed rounding brought back to the largest finite or smallest subnormal).
std::optional<BigDecimal> conversionError(const BigDecimal& typed, const BinaryValue& stored);

// "[-]D.DDD...e[+-]N", every digit, no trailing zero; "0" and "-0" for zeros.
std::string sciText(const BigDecimal& value);

// value / unit to 4 significant digits, rounded to nearest: "-0.2000", "1.000e-30", "0";
// nullopt for a zero unit.
std::optional<std::string> ratioText(const BigDecimal& value, const BinaryValue& unit);

}  // namespace orbalta::cli
