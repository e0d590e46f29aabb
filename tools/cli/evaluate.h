#pragma once
// One VALUE in the formats asked for: its views, or why there are none.

#include <optional>
#include <string>
#include <vector>

#include "tools/cli/binary_format.h"
#include "tools/cli/reading.h"
#include "tools/cli/rounding.h"
#include "tools/cli/views.h"

namespace orbalta::cli {

struct Request {
  std::optional<BinaryFormat> format;  // none: the encoding's own, or all three for a decimal
  bool all = false;
  Rounding rounding = Rounding::NearestEven;
};

struct Outcome {
  std::vector<Views> results;  // one per format
  std::optional<Failure> failure;
};

Outcome evaluate(const std::string& text, const Request& request);

}  // namespace orbalta::cli
