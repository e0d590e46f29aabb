// Bit texts read on arbitrary bytes. The first byte picks the format (or, from 0xF0, a width
// that is no format), the rest is the text. Both reads are compared with a digit count and a
// value taken here, and a value read is written back and read again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "textconv/layouts.h"

namespace orbalta::fuzz {
namespace {

struct Digits {
  bool clean = true;  // only '0', '1' and blanks
  int count = 0;
  Encoding low = 0;  // the last 128 digits
};

Digits digitsOf(std::string_view text) {
  Digits d;
  for (const char c : text) {
    if (c == ' ') continue;
    if (c != '0' && c != '1') {
      d.clean = false;
      continue;
    }
    ++d.count;
    d.low = (d.low << 1) | static_cast<Encoding>(c == '1');
  }
  return d;
}

std::string binary(Encoding value, int width) {
  std::string text(static_cast<std::size_t>(width), '0');
  for (int i = 0; i < width; ++i) {
    if ((value >> (width - 1 - i)) & 1) text[static_cast<std::size_t>(i)] = '1';
  }
  return text;
}

std::string shortly(std::string_view text) {
  std::string out = std::to_string(text.size()) + " bytes: ";
  for (const char c : text.substr(0, 160)) {
    out.push_back(c >= 0x20 && c < 0x7f ? c : '?');
  }
  return out;
}

void checkBitString(std::string_view text, int formatBytes, const Digits& d) {
  const int n = 8 * formatBytes;
  const auto value = BitStringLayout::read(text, formatBytes);
  const bool readable = d.clean && d.count <= n;
  require(value.has_value() == readable, "BitStringLayout::read success",
          [&] { return shortly(text); });
  if (!value) return;
  require(*value == d.low, "BitStringLayout::read value", [&] { return shortly(text); });
  require(n == 128 || (*value >> n) == 0, "BitStringLayout::read beyond N bits",
          [&] { return shortly(text); });

  const std::string written = BitStringLayout::write(*value, formatBytes);
  require(written.size() == static_cast<std::size_t>(n), "BitStringLayout::write width",
          [&] { return shortly(text); });
  require(written.find_first_not_of("01") == std::string::npos, "BitStringLayout::write characters",
          [&] { return written; });
  const auto again = BitStringLayout::read(written, formatBytes);
  require(again && *again == *value, "BitStringLayout write then read",
          [&] { return shortly(text); });
}

void checkBitField(std::string_view text, const Digits& d) {
  const auto value = BitFieldLayout::read(text);
  const bool readable = d.clean && d.count <= 64;
  require(value.has_value() == readable, "BitFieldLayout::read success",
          [&] { return shortly(text); });
  if (!value) return;
  require(*value == static_cast<std::uint64_t>(d.low), "BitFieldLayout::read value",
          [&] { return shortly(text); });
  require(d.count == 64 || (*value >> d.count) == 0, "BitFieldLayout::read beyond its digits",
          [&] { return shortly(text); });
  const auto again = BitFieldLayout::read(binary(*value, d.count));
  require(again && *again == *value, "BitFieldLayout write then read",
          [&] { return shortly(text); });
}

}  // namespace
}  // namespace orbalta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbalta;
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const fuzz::Digits digits = fuzz::digitsOf(text);
  if (data[0] >= 0xF0) {
    const int width = data[0] - 0xF0;
    if (width != 4 && width != 8) {
      fuzz::require(!BitStringLayout::read(text, width), "read in an unknown format");
      fuzz::require(BitStringLayout::write(1, width).empty(), "write in an unknown format");
    }
    fuzz::checkBitField(text, digits);
    return 0;
  }
  static constexpr int kFormats[] = {4, 8, 16};
  fuzz::checkBitString(text, kFormats[data[0] % 3], digits);
  fuzz::checkBitField(text, digits);
  return 0;
}
