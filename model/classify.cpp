#include "model/classify.h"

#include <algorithm>
#include <string>

#include "model/formats.h"
#include "textconv/layouts.h"

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

void classifyBitText(AppState& state, std::string_view bits) {
  const FormatSpec& format = state.format();
  const auto we = static_cast<std::size_t>(format.exponentWidth);
  const std::string_view exponent = bits.substr(std::min<std::size_t>(1, bits.size()), we);
  const std::string_view fraction = bits.substr(std::min(1 + we, bits.size()));
  classifyBitFields(state, format.exponentWidth, format.fractionWidth, exponent, fraction);
}

void classifyStoredValue(AppState& state) {
  classifyBitText(state, BitStringLayout::write(state.currentValue(), state.formatBytes));
  composeDataTypeLabel(state);
}

}  // namespace orbalta
