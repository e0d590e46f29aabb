#pragma once
// The three binary interchange formats, one constant row each, named by `formatBytes`: every
// width, limit and text shape that depends on the format is written here and nowhere else.

#include "textconv/number_types.h"

namespace orbalta {

// A scientific text: one digit, the point, `fractionDigits` digits, then the exponent.
struct SciShape {
  int width;  // of the whole field
  int fractionDigits;
  char letter;
  int minExponentDigits;  // 0: letter and two digits below 100, otherwise no letter
};

struct FormatDescriptor {
  int formatBytes;  // 4, 8, 16
  const char* name;
  int bits;  // N
  int signWidth;
  int exponentWidth;  // We
  int fractionWidth;  // Wt
  int bias;
  int emin;
  int emax;
  int precision;  // P
  SciShape sci;
  SciShape significand;
  // Decimal input is exact with at most `exactDigits` significant digits and a power of ten
  // up to `exactPowers`: both are then exact in the format, and one rounded operation joins them.
  int exactDigits;
  int exactPowers;

  Encoding signMask() const { return Encoding{1} << (bits - 1); }
  Encoding exponentMask() const { return ((Encoding{1} << exponentWidth) - 1) << fractionWidth; }
  Encoding fractionMask() const { return (Encoding{1} << fractionWidth) - 1; }
};

// 5^10 < 2^24, 5^22 < 2^53, 5^48 < 2^113; 10^7, 10^15 and 10^34 lie below the same powers of 2.
inline constexpr FormatDescriptor kBinary32Format{
    4, "binary32", 32, 1, 8, 23, 127, -126, 127, 24, {15, 7, 'E', 2}, {14, 7, 'E', 0}, 7, 10};
inline constexpr FormatDescriptor kBinary64Format{
    8,  "binary64", 64, 1, 11, 52, 1023, -1022, 1023, 53, {25, 16, 'D', 2}, {22, 15, 'E', 0},
    15, 22};
inline constexpr FormatDescriptor kBinary128Format{
    16, "binary128", 128, 1, 15, 112, 16383, -16382, 16383, 113, {42, 33, 'D', 3}, {41, 33, 'E', 0},
    34, 48};

// The row of `formatBytes`; nullptr for any value other than 4, 8, 16.
constexpr const FormatDescriptor* formatDescriptor(int formatBytes) {
  switch (formatBytes) {
    case 4:
      return &kBinary32Format;
    case 8:
      return &kBinary64Format;
    case 16:
      return &kBinary128Format;
    default:
      return nullptr;
  }
}

}  // namespace orbalta
