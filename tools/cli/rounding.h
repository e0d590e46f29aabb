#pragma once
// A typed decimal rounded into a binary format by MPFR in one step, in any of the five
// rounding directions, with the format's exponent range and subnormals.

#include <optional>
#include <string_view>

#include "tools/cli/binary_format.h"
#include "tools/cli/exact_value.h"

namespace orbalta::cli {

enum class Rounding { NearestEven, NearestAway, Up, Down, Zero };

// "nearest-even", "nearest-away", "up", "down", "zero"; nullopt otherwise.
std::optional<Rounding> roundingNamed(std::string_view name);

struct Rounded {
  bool infinite = false;  // overflow to an infinity of value.negative's sign
  BinaryValue value;      // finite: m < 2^p, q >= the format's quantumMin
};

Rounded roundDecimal(const BigDecimal& typed, const BinaryFormat& format, Rounding rounding);

}  // namespace orbalta::cli
