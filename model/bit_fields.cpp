#include "model/bit_fields.h"

#include <string>

#include "toolkit/dialog.h"

namespace orbalta {

FixedText readBitFields(Dialog& dialog, const FormatSpec& format) {
  std::string joined;
  for (const FieldEdit& field : fieldEdits(format)) {
    if (field.width == 0) continue;
    FixedText text(static_cast<std::size_t>(field.width));
    DLGREADTEXT(dialog, field.id, text);
    joined += text.view();
  }
  return FixedText(static_cast<std::size_t>(format.bits), joined);
}

void putBitFields(Dialog& dialog, const FormatSpec& format, std::string_view bits) {
  const FixedText whole(static_cast<std::size_t>(format.bits), bits);
  std::size_t first = 1;
  for (const FieldEdit& field : fieldEdits(format)) {
    if (field.width == 0) continue;
    const auto width = static_cast<std::size_t>(field.width);
    DLGPUTTEXT(dialog, field.id, whole.slice(first, first + width - 1));
    first += width;
  }
}

}  // namespace orbalta
