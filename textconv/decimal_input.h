#pragma once
// Decimal text typed by the user, read into a value of one of the three formats, correctly
// rounded (nearest, ties to even) in one step.

#include <string_view>

#include "textconv/number_types.h"

namespace orbalta {

enum class InputOutcome { Parsed, Rejected, NothingRead };

struct DecimalInput {
  struct Result {
    InputOutcome outcome;
    Encoding bits;  // meaningful only when outcome == Parsed
  };
  static Result read(std::string_view text, int formatBytes);
};

}  // namespace orbalta
