#include "model/bit_checks.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

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
  const FormatSpec& format = state.format();
  Encoding bits = format.exponentMask();
  if (!state.isInfinite) bits |= format.fractionMask();
  if ((state.isInfinite ? state.infSignBit : state.nanSignBit) == '1') bits |= format.signMask();
  return bits;
}

}  // namespace orbalta
