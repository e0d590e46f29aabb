#pragma once
// The fixed text layouts in which numbers are written and read. Pure functions: no state.
// Formats are named by their storage width in bytes, `formatBytes` = 4, 8 or 16.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "textconv/number_types.h"

namespace orbalta {

// Characters that v needs in decimal: 1 for 0, digits of |v|, plus 1 when negative.
int CharCount(std::int32_t v);

struct IntegerLayout {
  // Exactly CharCount(v) characters: digits, with '-' when negative.
  static std::string write(std::int32_t v);
};

struct BitStringLayout {
  // N = 8 * formatBytes characters '0'/'1', sign bit first. Nothing interpreted or rounded.
  static std::string write(Encoding bits, int formatBytes);
  // Blanks are skipped; the k digits left are the k low-order bits. Any other character
  // fails (nullopt). More than N digits also fail.
  static std::optional<Encoding> read(std::string_view text, int formatBytes);
};

struct BitFieldLayout {
  // A field of up to 64 characters read as an unsigned number, blanks skipped as above.
  static std::optional<std::uint64_t> read(std::string_view text);
};

// Scientific layouts: exactly w characters (15 / 25 / 42 by format), right-justified numbers,
// left-justified " NaN" and " Infinity" / " -Infinity", w asterisks when too long.
struct SignedSciLayout {
  static std::string write(Encoding bits, int formatBytes);
};
struct SciLayout {
  static std::string write(Encoding bits, int formatBytes);
};
// The significand rows: w = 14 / 22 / 41, d = 7 / 15 / 33 digits after the point, letter E.
struct SignificandLayout {
  static std::string write(Encoding bits, int formatBytes);
};

// One record of the summary file: the text unchanged (the writer adds the record end).
struct FileLineLayout {
  static std::string write(std::string_view text);
};

}  // namespace orbalta
