#include "model/classify.h"

#include <string>

#include "model/bit_codec.h"
#include "model/bit_fields.h"
#include "model/formats.h"
#include "model/ids.h"
#include "textconv/layouts.h"
#include "toolkit/dialog.h"

namespace orbalta {

namespace {

// True when the first `count` characters of `text` are all `digit`; a position past the end
// of the text counts as a blank.
bool allOf(std::string_view text, int count, char digit) {
  if (count < 0 || static_cast<std::size_t>(count) > text.size()) return false;
  for (int i = 0; i < count; ++i) {
    if (text[static_cast<std::size_t>(i)] != digit) return false;
  }
  return true;
}

}  // namespace

void classifyBitFields(AppState& state, int exponentWidth, int fractionWidth,
                       std::string_view exponentText, std::string_view fractionText) {
  const bool zeroExponent = allOf(exponentText, exponentWidth, '0');
  const bool onesExponent = allOf(exponentText, exponentWidth, '1');
  const bool zeroFraction = allOf(fractionText, fractionWidth, '0');
  state.isZero = zeroExponent && zeroFraction;
  state.isSubnormal = zeroExponent && !zeroFraction;
  state.isInfinite = onesExponent && zeroFraction;
  state.isNaN = onesExponent && !zeroFraction;
  state.isFinite = !onesExponent;
  state.exponentAtMax = allOf(exponentText, exponentWidth - 1, '1');
  state.exponentAtMin = allOf(exponentText, exponentWidth - 1, '0');
}

void composeDataTypeLabel(AppState& state) {
  if (state.isZero) {
    state.dataTypeLabel.assign("Signed Zero");
  } else if (state.isSubnormal) {
    state.dataTypeLabel.assign("Denormalized Number");
  } else if (state.isInfinite) {
    state.dataTypeLabel.assign("Signed Infinity");
  } else if (state.isNaN) {
    state.dataTypeLabel.assign("Not-a-Number");
  } else {
    state.dataTypeLabel.assign("Normalized Number: Real(" +
                               IntegerLayout::write(state.formatBytes) + ")");
  }
}

void refreshFromBitFields(Dialog& dialog, AppState& state) {
  const FormatSpec* format = formatSpec(state.formatBytes);
  if (format == nullptr) return;
  FixedText bits = readBitFields(dialog, *format);
  // Classify what bitFieldsToValue stores, should a field still hold a stray character.
  repairBitChars(format->bits, bits);
  const auto exponentEnd = static_cast<std::size_t>(1 + format->exponentWidth);
  classifyBitFields(state, format->exponentWidth, format->fractionWidth, bits.slice(2, exponentEnd),
                    bits.slice(exponentEnd + 1, static_cast<std::size_t>(format->bits)));
  bitFieldsToValue(dialog, state);
  composeDataTypeLabel(state);
  DLGPUTTEXT(dialog, id::kDataType, state.dataTypeLabel.trimmed());
  DLGPUTSTATE(dialog, id::kParamList, state.isFinite, ATTR_ENABLED);
}

}  // namespace orbalta
