#pragma once
// The CLI's own views of an encoding of any binary format: exact values throughout, for
// the formats the window does not have.

#include <optional>

#include "textconv/big_integer.h"
#include "tools/cli/binary_format.h"
#include "tools/cli/rounding.h"
#include "tools/cli/views.h"

namespace orbalta::cli {

// The encoding of a rounded value (an infinity where it overflowed).
BigInteger encodingOf(const Rounded& rounded, const BinaryFormat& format);

// The encoding of an infinity, or of the NaN with every fraction bit set that the window
// writes for a NaN word.
BigInteger specialEncoding(const BinaryFormat& format, bool nan, bool negative);

// format, bits, hex, class, exact, error and error/ULP(X) after a typed decimal, exponent,
// ULP, X+, X- and epsilon.
Views engineViews(const BigInteger& bits, const BinaryFormat& format,
                  const std::optional<Typed>& typed);

}  // namespace orbalta::cli
