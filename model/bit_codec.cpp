#include "model/bit_codec.h"

#include <string_view>

#include "model/bit_fields.h"
#include "model/classify.h"
#include "model/formats.h"
#include "model/ids.h"
#include "textconv/decimal_input.h"
#include "textconv/layouts.h"
#include "toolkit/dialog.h"

namespace orbalta {

namespace {

void showMessage(Dialog& dialog, const char* text, const char* title, platform::MessageIcon icon) {
  dialog.toolkit().messageBox(text, title, icon);
}

// The fields' characters, a stray one counted as the '1' the validation would put there.
FixedText repairedBitFields(Dialog& dialog, const FormatSpec& format) {
  FixedText bits = readBitFields(dialog, format);
  repairBitChars(format.bits, bits);
  return bits;
}

void storeBitText(AppState& state, const FixedText& bits) {
  if (const auto pattern = BitStringLayout::read(bits.view(), state.formatBytes)) {
    state.setCurrentValue(*pattern);
  }
}

}  // namespace

void specialValueToBitFields(Dialog& dialog, AppState& state) {
  putBitFields(dialog, state.format(),
               BitStringLayout::write(specialValueEncoding(state), state.formatBytes));
}

void decimalToBitFields(Dialog& dialog, AppState& state) {
  decimalToBitFields(dialog, state, DecimalInput::read(state.xText.view(), state.formatBytes));
}

void decimalToBitFields(Dialog& dialog, AppState& state, const DecimalInput::Result& result) {
  if (result.outcome == InputOutcome::Rejected) {
    showMessage(dialog, kInvalidValueMessage, kInvalidValueTitle, platform::MessageIcon::Warning);
    return;
  }
  if (result.outcome == InputOutcome::Parsed) state.setCurrentValue(result.bits);
  putBitFields(dialog, state.format(),
               BitStringLayout::write(state.currentValue(), state.formatBytes));
}

void bitFieldsToValue(Dialog& dialog, AppState& state) {
  // The fields were repaired when they changed; should one still hold another character, it
  // counts as the '1' the repair would put there, so the read cannot fail.
  storeBitText(state, repairedBitFields(dialog, state.format()));
}

void valueToXText(Dialog& dialog, AppState& state) {
  const FixedText work(64, SignedSciLayout::write(state.currentValue(), state.formatBytes));
  DLGPUTTEXT(dialog, id::kXEdit, trimBlanks(work.view()));
}

void validateBitField(Dialog& dialog, AppState& /*state*/, int controlId) {
  const BitFieldCheck* row = bitFieldCheck(controlId);
  if (row == nullptr) return;
  const auto width = static_cast<std::size_t>(row->width);

  int length = 0;
  DLGREADNUMBER(dialog, controlId, length, ATTR_TEXT_LENGTH);
  FixedText buffer(static_cast<std::size_t>(row->readLength));
  DLGREADTEXT(dialog, controlId, buffer);

  if (repairBitChars(row->inspected, buffer)) {
    DLGPUTTEXT(dialog, controlId, buffer.slice(1, width));
    DLGCOMMIT(dialog, false);
    showMessage(dialog, kInvalidBitMessage, kBitMessageTitle, platform::MessageIcon::Warning);
  }

  if (length <= row->width) return;
  if (row->order == ExcessOrder::RepairThenMessage) {
    DLGREADTEXT(dialog, controlId, buffer);
    DLGPUTTEXT(dialog, controlId, buffer.slice(1, width));
    DLGCOMMIT(dialog, false);
    showMessage(dialog, kExcessBitMessage, kBitMessageTitle, platform::MessageIcon::Error);
  } else {
    showMessage(dialog, kExcessBitMessage, kBitMessageTitle, platform::MessageIcon::Error);
    DLGREADTEXT(dialog, controlId, buffer);
    DLGPUTTEXT(dialog, controlId, buffer.slice(1, width));
  }
}

void refreshFromBitFields(Dialog& dialog, AppState& state) {
  const FixedText bits = repairedBitFields(dialog, state.format());
  // Classified as stored: the same characters, read once.
  classifyBitText(state, bits.view());
  storeBitText(state, bits);
  composeDataTypeLabel(state);
  DLGPUTTEXT(dialog, id::kDataType, state.dataTypeLabel.trimmed());
  DLGPUTSTATE(dialog, id::kParamList, state.isFinite, ATTR_ENABLED);
}

}  // namespace orbalta
