#pragma once
// Decimal text typed by the user, read into a value of one of the three formats, correctly
// rounded (nearest, ties to even) in one step.

#include <cstdint>
#include <string>
#include <string_view>

#include "textconv/number_types.h"

namespace orbalta {

enum class InputOutcome { Parsed, Rejected, NothingRead };

// The decimal number a token spells, exactly: sign, digits * 10^scale. `digits` runs from the
// first to the last nonzero digit; empty for a zero.
struct TypedNumber {
  bool isNumber = false;  // false until a number token was read
  bool negative = false;
  std::string digits;
  std::int64_t scale = 0;
  // `scale` stops growing far beyond every format's range; these do not: the exponent as
  // written (sign and digits, empty when there is none) and what the point adds to it.
  std::string exponentText;
  std::int64_t pointScale = 0;
};

struct DecimalInput {
  struct Result {
    InputOutcome outcome;
    Encoding bits;  // meaningful only when outcome == Parsed
  };
  // Leading blanks, tabs and line ends are skipped; the token ends at a blank, tab, comma,
  // line end or the end of the text. Accepted: [r*][sign] digits with at most one point
  // [E|D|Q [sign] digits]; Inf, Infinity (signed); NaN (sign bit set unless written "+NaN");
  // letters in either case.
  // Empty text, or a token starting with '(': NothingRead. Anything else, or a magnitude
  // beyond the largest finite value: Rejected. Other format widths: NothingRead.
  // When `typed` is given and the token is a number (not a word), it receives that number,
  // also when the result is Rejected for its magnitude.
  static Result read(std::string_view text, int formatBytes, TypedNumber* typed = nullptr);
};

}  // namespace orbalta
