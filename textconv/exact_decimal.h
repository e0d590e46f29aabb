#pragma once
// The exact decimal value of a stored datum, and the exact error of a typed decimal against
// it. Every digit is computed on GMP integers: a binary value m * 2^e is a finite decimal.

#include <cstdint>
#include <optional>
#include <string>

#include "textconv/decimal_input.h"
#include "textconv/number_types.h"

namespace orbalta {

// sign * 0.d1d2d3... * 10^(exponent + 1): `digits` are the significant digits, the first and
// the last nonzero; empty for a zero. `exponent` is the power of ten of the first digit.
struct ExactDecimal {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;

  bool operator==(const ExactDecimal&) const = default;
};

// Every digit of a finite value of format `formatBytes`; nullopt for an infinity, a NaN or an
// unknown format.
std::optional<ExactDecimal> exactValue(Encoding bits, int formatBytes);

// The first `count` significant digits of exactValue(bits, formatBytes) (all of them when it
// has no more), and in `totalDigits` how many it has, without expanding it in full.
std::optional<ExactDecimal> leadingDigits(Encoding bits, int formatBytes, std::size_t count,
                                          std::size_t& totalDigits);

// typed - stored, exactly. nullopt when the stored datum is not finite.
std::optional<ExactDecimal> conversionError(const TypedNumber& typed, Encoding bits,
                                            int formatBytes);

// "[-]D.DDD...e[+-]N" with every digit and no trailing zero; "0" and "-0" for zeros.
std::string sciText(const ExactDecimal& value);

// The same cut to `maxDigits` significant digits (not rounded: "..." marks the cut).
std::string shortSciText(const ExactDecimal& value, std::size_t maxDigits);

// value / unit to 4 significant digits, rounded to nearest: "-0.2000", "1.000e-30", "0".
// `unit` is a finite nonzero encoding of the format; nullopt otherwise.
std::optional<std::string> ratioText(const ExactDecimal& value, Encoding unit, int formatBytes);

}  // namespace orbalta
