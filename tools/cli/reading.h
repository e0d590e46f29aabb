#pragma once
// VALUE as the CLI reads it: a decimal the way the window's X edit reads it, or an encoding in
// hex or as bits by field.

#include <optional>
#include <string>
#include <string_view>

#include "tools/cli/views.h"

namespace orbalta::cli {

struct Failure {
  std::string message;
};

std::optional<int> formatOfWidth(int bits);

// An encoding in hex digits (after "0x"); the digit count names the format unless one is given.
std::optional<Failure> readHex(std::string_view digits, std::optional<int>& formatBytes,
                               Encoding& bits);

// An encoding as bit fields split by ':'; the widths name the format.
std::optional<Failure> readFields(std::string_view text, std::optional<int>& formatBytes,
                                  Encoding& bits);

// The stored value of a typed decimal in the window's format `formatBytes`, or why there is
// none; `typed` receives the number read (isNumber false for a word).
std::optional<Failure> readDecimal(const std::string& text, int formatBytes, Encoding& bits,
                                   Typed& typed);

}  // namespace orbalta::cli
