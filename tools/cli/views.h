#pragma once
// The labelled views of one value in one format, as the text and JSON writers take them.

#include <optional>
#include <string>
#include <vector>

#include "textconv/decimal_input.h"
#include "textconv/number_types.h"
#include "tools/cli/exact_value.h"

namespace orbalta::cli {

struct Field {
  const char* key;
  const char* label;
  std::optional<std::string> value;  // nullopt: JSON null, "-" in text
};

using Views = std::vector<Field>;

// What a typed decimal contributes beyond the encoding: the number, for its error.
struct Typed {
  bool isNumber = false;  // false for a word (Inf, NaN)
  BigDecimal value;
};

// The window's own views of an encoding of binary32, binary64 or binary128 (`formatBytes`
// 4, 8, 16); with `typed`, the conversion error after it.
Views windowViews(Encoding bits, int formatBytes, const std::optional<Typed>& typed);

// The error and error/ULP(X) fields of a stored value against the typed one; `ulp` nullopt
// where ULP(X) is zero.
void addErrorFields(Views& fields, const std::optional<Typed>& typed,
                    const std::optional<BinaryValue>& stored,
                    const std::optional<BinaryValue>& ulp);

}  // namespace orbalta::cli
