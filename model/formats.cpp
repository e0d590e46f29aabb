#include "model/formats.h"

namespace orbalta {

std::array<FieldEdit, 4> fieldEdits(const FormatSpec& format) {
  return {{{format.signEdit, format.signWidth},
           {format.exponentEdit, format.exponentWidth},
           {format.fractionEdit, format.fractionHighWidth},
           {format.fractionLowEdit, format.fractionLowWidth}}};
}

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
