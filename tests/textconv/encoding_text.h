#pragma once
// Encodings as upper-case hex, the way the expectations and the corpora write them.

#include <string>
#include <string_view>

#include "textconv/number_types.h"

namespace orbalta::hexcode {

// 2 * formatBytes hex digits, most significant first.
inline std::string hex(Encoding bits, int formatBytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(static_cast<std::size_t>(2 * formatBytes), '0');
  for (std::size_t i = out.size(); i-- > 0; bits >>= 4) out[i] = kDigits[bits & 0xF];
  return out;
}

// Hex digits to an encoding; the text is trusted to be hex.
inline Encoding fromHex(std::string_view text) {
  Encoding bits = 0;
  for (const char c : text) {
    const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    bits = (bits << 4) | static_cast<Encoding>(digit);
  }
  return bits;
}

}  // namespace orbalta::hexcode
