#pragma once
// The formats the CLI takes: the window's three, shown with its own views, and any binary
// format of the interchange kind up to 256 bits (sign, e exponent bits, precision p), which
// the CLI's own engine shows. The x87 extended format stores its integer bit.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbalta::cli {

struct BinaryFormat {
  std::string name;
  int exponentWidth = 0;  // e
  int precision = 0;      // p, the integer bit included
  bool explicitInteger = false;
  int windowBytes = 0;  // 4, 8, 16 for the window's formats, 0 for the CLI's engine

  int fractionWidth() const { return precision - 1; }
  // The significand field: the fraction, and the integer bit where it is stored.
  int significandWidth() const { return explicitInteger ? precision : precision - 1; }
  int width() const { return 1 + exponentWidth + significandWidth(); }
  long emax() const { return (1L << (exponentWidth - 1)) - 1; }
  long emin() const { return 1 - emax(); }
  long bias() const { return emax(); }
  // The power of two of the last significand bit of a subnormal.
  long quantumMin() const { return emin() - precision + 1; }
};

inline constexpr int kMaxExponentWidth = 19;
inline constexpr int kMaxFormatWidth = 256;

// --format WHICH: "16", "bf16", "32", "64", "80", "128", "256" or "E,P"; nullopt otherwise.
std::optional<BinaryFormat> formatNamed(std::string_view which);

// The window's binary32, binary64 and binary128.
std::vector<BinaryFormat> windowFormats();

// The format a hex encoding of `bits` bits names: 16, 32, 64, 80, 128 or 256.
std::optional<BinaryFormat> formatOfWidth(int bits);

// The field widths an encoding of `format` may be written in: sign, exponent, significand
// (x87: also sign, exponent, integer bit, fraction; binary128: also its fraction as 48:64).
std::vector<std::vector<std::size_t>> fieldShapes(const BinaryFormat& format);

// The formats that bit fields name without --format.
std::vector<BinaryFormat> namedFormats();

}  // namespace orbalta::cli
