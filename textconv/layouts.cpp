#include "textconv/layouts.h"

#include <cstdint>

#include "textconv/format_descriptor.h"

namespace orbalta {

namespace {

// Reads the digits of a bit text into the low bits of an integer of `maxBits` bits. Blanks are
// skipped wherever they stand; any other character, or more digits than bits, fails.
template <typename Unsigned>
std::optional<Unsigned> readBits(std::string_view text, int maxBits) {
  Unsigned value = 0;
  int digits = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    if (c != '0' && c != '1') return std::nullopt;
    if (++digits > maxBits) return std::nullopt;
    value = static_cast<Unsigned>(value << 1) | static_cast<Unsigned>(c - '0');
  }
  return value;
}

bool isFormat(int formatBytes) {
  return formatDescriptor(formatBytes) != nullptr;
}

}  // namespace

int CharCount(std::int32_t v) {
  // Widened so that the most negative value has a magnitude.
  std::int64_t magnitude = v;
  int count = 1;
  if (magnitude < 0) {
    magnitude = -magnitude;
    ++count;
  }
  while (magnitude >= 10) {
    magnitude /= 10;
    ++count;
  }
  return count;
}

std::string IntegerLayout::write(std::int32_t v) {
  const int width = CharCount(v);
  std::string out(static_cast<std::size_t>(width), '0');
  std::uint32_t magnitude =
      v < 0 ? 0u - static_cast<std::uint32_t>(v) : static_cast<std::uint32_t>(v);
  for (int i = width - 1; i >= 0 && magnitude != 0; --i) {
    out[static_cast<std::size_t>(i)] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  if (v < 0) out[0] = '-';
  return out;
}

std::string BitStringLayout::write(Encoding bits, int formatBytes) {
  if (!isFormat(formatBytes)) return std::string();
  const int n = 8 * formatBytes;
  std::string out(static_cast<std::size_t>(n), '0');
  for (int i = 0; i < n; ++i) {
    if ((bits >> (n - 1 - i)) & 1) out[static_cast<std::size_t>(i)] = '1';
  }
  return out;
}

std::optional<Encoding> BitStringLayout::read(std::string_view text, int formatBytes) {
  if (!isFormat(formatBytes)) return std::nullopt;
  return readBits<Encoding>(text, 8 * formatBytes);
}

std::optional<std::uint64_t> BitFieldLayout::read(std::string_view text) {
  return readBits<std::uint64_t>(text, 64);
}

std::string FileLineLayout::write(std::string_view text) {
  return std::string(text);
}

}  // namespace orbalta
