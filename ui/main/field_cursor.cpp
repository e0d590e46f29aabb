#include "model/bit_codec.h"
#include "model/classify.h"
#include "textconv/layouts.h"
#include "ui/main/main_window.h"
#include "ui/main/value_tips.h"

namespace orbalta {

namespace {

// The position and width boxes hold 3 characters. A position past 999 (only a huge paste
// reported before validation cuts it) shows as asterisks rather than as misleading digits.
std::string threeCharacterNumber(int value) {
  const std::string digits = IntegerLayout::write(value);
  return digits.size() <= 3 ? digits : std::string("***");
}

}  // namespace

void reportFieldCursor(Dialog& dialog, AppState& state, int controlId) {
  DLGPUTTEXT(dialog, id::kCursorPosition, "");
  int position = 0;
  DLGREADNUMBER(dialog, controlId, position, ATTR_CURSOR);
  DLGPUTTEXT(dialog, id::kCursorPosition, threeCharacterNumber(position));
  DLGCOMMIT(dialog, false);
  const int width = fieldLengthOf(state, controlId);
  DLGPUTTEXT(dialog, id::kFieldLength, threeCharacterNumber(width));
  DLGCOMMIT(dialog, false);
}

void onFieldFocus(AppState& state, Dialog& dialog, int controlId, int event) {
  if (event != EVT_FOCUS_GAINED) return;
  reportFieldCursor(dialog, state, controlId);
  DLGPUTTEXT(dialog, id::kCursorPosition, "0");
  refreshFromBitFields(dialog, state);
  valueToXText(dialog, state);
  showStoredValueTip(dialog, state);
}

}  // namespace orbalta
