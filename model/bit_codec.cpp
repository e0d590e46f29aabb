#include "model/bit_codec.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/bit_fields.h"
#include "model/formats.h"
#include "model/ids.h"
#include "textconv/decimal_input.h"
#include "textconv/layouts.h"
#include "toolkit/dialog.h"

namespace orbalta {

namespace {

bool isOneOf(std::string_view head, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words) {
    if (head == word) return true;
  }
  return false;
}

char signBitOf(std::string_view head) {
  return !head.empty() && head.front() == '-' ? '1' : '0';
}

void showMessage(Dialog& dialog, const char* text, const char* title, platform::MessageIcon icon) {
  dialog.toolkit().messageBox(text, title, icon);
}

}  // namespace

const BitFieldCheck* bitFieldCheck(int controlId) {
  for (const BitFieldCheck& row : kBitFieldChecks) {
    if (row.edit == controlId) return &row;
  }
  return nullptr;
}

bool repairBitChars(int count, FixedText& buffer) {
  bool replaced = false;
  const int last = std::min<int>(count, static_cast<int>(buffer.length()));
  for (int position = 1; position <= last; ++position) {
    const char c = buffer.at(static_cast<std::size_t>(position));
    if (c != '0' && c != '1' && c != ' ') {
      buffer.set(static_cast<std::size_t>(position), '1');
      replaced = true;
    }
  }
  return replaced;
}

void specialWordCheck(AppState& state) {
  const std::string_view head = state.xText.view().substr(0, 3);
  state.isNaN = isOneOf(head, {"NaN", "Nan", "nan", "naN", "+Na", "+na", "-Na", "-na"});
  state.nanSignBit = signBitOf(head);
  if (state.isNaN) {
    state.isInfinite = false;
    return;
  }
  state.isInfinite = isOneOf(head, {"Inf", "inf", "+In", "+in", "-In", "-in"});
  state.infSignBit = signBitOf(head);
}

Encoding specialValueEncoding(const AppState& state) {
  const FormatSpec* format = formatSpec(state.formatBytes);
  if (format == nullptr) return 0;
  Encoding bits = format->exponentMask();
  if (!state.isInfinite) bits |= format->fractionMask();
  if ((state.isInfinite ? state.infSignBit : state.nanSignBit) == '1') bits |= format->signMask();
  return bits;
}

void specialValueToBitFields(Dialog& dialog, AppState& state) {
  const FormatSpec* format = formatSpec(state.formatBytes);
  if (format == nullptr) return;
  putBitFields(dialog, *format,
               BitStringLayout::write(specialValueEncoding(state), state.formatBytes));
}

void decimalToBitFields(Dialog& dialog, AppState& state) {
  const FormatSpec* format = formatSpec(state.formatBytes);
  if (format == nullptr) return;
  const DecimalInput::Result result = DecimalInput::read(state.xText.view(), state.formatBytes);
  if (result.outcome == InputOutcome::Rejected) {
    showMessage(dialog, kInvalidValueMessage, kInvalidValueTitle, platform::MessageIcon::Warning);
    return;
  }
  if (result.outcome == InputOutcome::Parsed) state.setCurrentValue(result.bits);
  putBitFields(dialog, *format, BitStringLayout::write(state.currentValue(), state.formatBytes));
}

void bitFieldsToValue(Dialog& dialog, AppState& state) {
  const FormatSpec* format = formatSpec(state.formatBytes);
  if (format == nullptr) return;
  FixedText bits = readBitFields(dialog, *format);
  // The fields were repaired when they changed; should one still hold another character, it
  // counts as the '1' the repair would put there, so the read cannot fail.
  repairBitChars(format->bits, bits);
  if (const auto pattern = BitStringLayout::read(bits.view(), state.formatBytes)) {
    state.setCurrentValue(*pattern);
  }
}

void valueToXText(Dialog& dialog, AppState& state) {
  if (formatSpec(state.formatBytes) == nullptr) return;
  const FixedText work(64, SignedSciLayout::write(state.currentValue(), state.formatBytes));
  std::string_view text = work.trimmed();
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  DLGPUTTEXT(dialog, id::kXEdit, text);
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

}  // namespace orbalta
