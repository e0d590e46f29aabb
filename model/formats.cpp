#include "model/formats.h"

namespace orbalta {

const FormatSpec* formatSpec(int formatBytes) {
  switch (formatBytes) {
    case 4:
      return &kBinary32;
    case 8:
      return &kBinary64;
    case 16:
      return &kBinary128;
    default:
      return nullptr;
  }
}

}  // namespace orbalta
