#include "model/bit_fields.h"

#include <array>
#include <string>

#include "toolkit/dialog.h"

namespace orbalta {

namespace {

struct FieldSlice {
  int edit;
  std::size_t width;
};

// The edits of `format` in bit order, sign first.
std::array<FieldSlice, 4> fieldSlices(const FormatSpec& format) {
  return {{{format.signEdit, static_cast<std::size_t>(format.signWidth)},
           {format.exponentEdit, static_cast<std::size_t>(format.exponentWidth)},
           {format.fractionEdit, static_cast<std::size_t>(format.fractionHighWidth)},
           {format.fractionLowEdit, static_cast<std::size_t>(format.fractionLowWidth)}}};
}

}  // namespace

FixedText readBitFields(Dialog& dialog, const FormatSpec& format) {
  std::string joined;
  for (const FieldSlice& field : fieldSlices(format)) {
    if (field.width == 0) continue;
    FixedText text(field.width);
    DLGREADTEXT(dialog, field.edit, text);
    joined += text.view();
  }
  return FixedText(static_cast<std::size_t>(format.bits), joined);
}

void putBitFields(Dialog& dialog, const FormatSpec& format, std::string_view bits) {
  const FixedText whole(static_cast<std::size_t>(format.bits), bits);
  std::size_t first = 1;
  for (const FieldSlice& field : fieldSlices(format)) {
    if (field.width == 0) continue;
    DLGPUTTEXT(dialog, field.edit, whole.slice(first, first + field.width - 1));
    first += field.width;
  }
}

}  // namespace orbalta
