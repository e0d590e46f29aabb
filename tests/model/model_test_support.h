#pragma once
// Shared by the model tests: hex printing of encodings and an AppState that holds a datum
// classified from its own bits, as a refresh would leave it.

#include <cstdint>
#include <string>

#include "model/app_state.h"
#include "model/classify.h"
#include "model/formats.h"
#include "textconv/layouts.h"

namespace orbalta::test {

inline std::string hex(Encoding bits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = 124; shift >= 0; shift -= 4) {
    text += kDigits[static_cast<unsigned>(bits >> shift) & 0xF];
  }
  const auto first = text.find_first_not_of('0');
  return "0x" + (first == std::string::npos ? std::string("0") : text.substr(first));
}

inline constexpr Encoding u128(std::uint64_t high, std::uint64_t low) {
  return (Encoding{high} << 64) | low;
}

// `formatBytes` selected, the stored value `bits`, flags classified from its bit text.
inline AppState stateHolding(int formatBytes, Encoding bits) {
  AppState state;
  state.formatBytes = formatBytes;
  state.setCurrentValue(bits);
  classifyStoredValue(state);
  return state;
}

}  // namespace orbalta::test
