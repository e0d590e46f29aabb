// Windows-1252 <-> UTF-16. The bytes 0x80-0x9F are the only ones that differ from Latin-1; the
// five the code page leaves undefined map to the C1 control of the same value, as the desktop's
// own conversion does, so every byte round-trips.

#include "platform/windows1252.h"

#include <array>

namespace orbalta::platform {

namespace {

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char toByte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string toWindows1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(toByte(c));
  return out;
}

std::u16string fromWindows1252(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    out.push_back(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80u] : static_cast<char16_t>(b));
  }
  return out;
}

}  // namespace orbalta::platform
