#include "model/app_state.h"

namespace orbalta {

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
  std::int32_t width = 0;
  if (controlId == 1014 || controlId == 1026 || controlId == 1032) {
    width = 1;
  } else if (state.formatBytes == 4) {
    width = controlId == 1027 ? 8 : controlId == 1028 ? 23 : 0;
  } else if (state.formatBytes == 8) {
    width = controlId == 1033 ? 11 : controlId == 1035 ? 52 : 0;
  } else if (state.formatBytes == 16) {
    width = controlId == 1015 ? 15 : controlId == 1016 ? 48 : controlId == 1018 ? 64 : 0;
  }
  state.currentFieldLength = width;
  return width;
}

}  // namespace orbalta
