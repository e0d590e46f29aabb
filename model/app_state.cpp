#include "model/app_state.h"

#include <cassert>
#include <cstdlib>

#include "model/bit_checks.h"

namespace orbalta {

const FormatSpec& AppState::format() const {
  const FormatSpec* row = formatSpec(formatBytes);
  assert(row != nullptr && "no format selected");
  if (row == nullptr) std::abort();
  return *row;
}

Encoding AppState::currentValue() const {
  switch (formatBytes) {
    case 4:
      return value32;
    case 8:
      return value64;
    case 16:
      return value128;
    default:
      return 0;
  }
}

void AppState::setCurrentValue(Encoding bits) {
  switch (formatBytes) {
    case 4:
      value32 = static_cast<std::uint32_t>(bits);
      break;
    case 8:
      value64 = static_cast<std::uint64_t>(bits);
      break;
    case 16:
      value128 = bits;
      break;
    default:
      break;
  }
}

std::int32_t fieldLengthOf(AppState& state, int controlId) {
  const BitFieldCheck* row = bitFieldCheck(controlId);
  // A sign edit (width 1) counts under every format.
  const bool counts = row != nullptr && (row->width == 1 || row->formatBytes == state.formatBytes);
  state.currentFieldLength = counts ? row->width : 0;
  return state.currentFieldLength;
}

}  // namespace orbalta
