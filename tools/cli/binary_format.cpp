#include "tools/cli/binary_format.h"

#include <algorithm>
#include <charconv>

namespace orbalta::cli {

namespace {

BinaryFormat window(const char* name, int e, int p, int bytes) {
  return {name, e, p, false, bytes};
}

// The name of an interchange-style format of e exponent bits and precision p.
std::string nameOf(int e, int p) {
  const int width = e + p;
  // The interchange formats of IEEE 754 from 128 bits on: e = round(4 log2 k) - 13.
  const bool interchange = (width == 16 && e == 5) || (width == 32 && e == 8) ||
                           (width == 64 && e == 11) || (width == 128 && e == 15) ||
                           (width == 256 && e == 19);
  if (interchange) return "binary" + std::to_string(width);
  if (e == 8 && p == 8) return "bfloat16";
  return "e" + std::to_string(e) + "p" + std::to_string(p);
}

std::optional<int> smallNumber(std::string_view text) {
  int v = 0;
  if (text.empty() || text.size() > 3) return std::nullopt;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

BinaryFormat engine(int e, int p) {
  return {nameOf(e, p), e, p, false, 0};
}

}  // namespace

std::vector<BinaryFormat> windowFormats() {
  return {window("binary32", 8, 24, 4), window("binary64", 11, 53, 8),
          window("binary128", 15, 113, 16)};
}

std::optional<BinaryFormat> formatNamed(std::string_view which) {
  if (which == "bf16") return engine(8, 8);
  if (const std::size_t comma = which.find(','); comma != std::string_view::npos) {
    const std::optional<int> e = smallNumber(which.substr(0, comma));
    const std::optional<int> p = smallNumber(which.substr(comma + 1));
    // Two exponent bits and two significand bits at least, so that NaN and the subnormals
    // have encodings of their own.
    if (!e || !p || *e < 2 || *e > kMaxExponentWidth || *p < 2 || *e + *p > kMaxFormatWidth)
      return std::nullopt;
    return engine(*e, *p);
  }
  for (char c : which) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const std::optional<int> width = smallNumber(which);
  return width ? formatOfWidth(*width) : std::nullopt;
}

std::optional<BinaryFormat> formatOfWidth(int bits) {
  switch (bits) {
    case 16:
      return engine(5, 11);
    case 32:
      return windowFormats()[0];
    case 64:
      return windowFormats()[1];
    case 80:
      return BinaryFormat{"x87 extended", 15, 64, true, 0};
    case 128:
      return windowFormats()[2];
    case 256:
      return engine(19, 237);
    default:
      return std::nullopt;
  }
}

std::vector<std::vector<std::size_t>> fieldShapes(const BinaryFormat& format) {
  const auto e = static_cast<std::size_t>(format.exponentWidth);
  const auto t = static_cast<std::size_t>(format.fractionWidth());
  if (format.explicitInteger) return {{1, e, t + 1}, {1, e, 1, t}};
  if (format.windowBytes == 16) return {{1, e, t}, {1, e, 48, 64}};
  return {{1, e, t}};
}

std::vector<BinaryFormat> namedFormats() {
  std::vector<BinaryFormat> out = windowFormats();
  for (const int bits : {16, 80, 256}) out.push_back(*formatOfWidth(bits));
  out.push_back(engine(8, 8));
  return out;
}

}  // namespace orbalta::cli
