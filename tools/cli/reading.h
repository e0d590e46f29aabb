#pragma once
// VALUE as the CLI reads it: a decimal the way the window's X edit reads it, or an encoding in
// hex or as bits by field.

#include <optional>
#include <string>
#include <string_view>

#include "textconv/big_integer.h"
#include "tools/cli/binary_format.h"
#include "tools/cli/views.h"

namespace orbalta::cli {

struct Failure {
  std::string message;
};

// An encoding in hex digits (after "0x"); the digit count names the format unless one is given.
std::optional<Failure> readHex(std::string_view digits, std::optional<BinaryFormat>& format,
                               BigInteger& bits);

// An encoding as bit fields split by ':'; the widths name the format.
std::optional<Failure> readFields(std::string_view text, std::optional<BinaryFormat>& format,
                                  BigInteger& bits);

// A decimal as X reads it, not yet rounded: a word for infinity or NaN (then `typed` is no
// number and `word` holds its encoding in `format`), or a number in `typed`, with in
// `rounded` the window's own conversion (of binary128 for the formats it does not have).
std::optional<Failure> readTyped(const std::string& text, const BinaryFormat& format, Typed& typed,
                                 std::optional<BigInteger>& word, DecimalInput::Result& rounded);

// "TEXT" is beyond the largest finite FORMAT
Failure beyondRange(const std::string& text, const std::string& formatName);

}  // namespace orbalta::cli
