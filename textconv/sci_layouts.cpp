// Scientific layouts. The digits come from the C library's and libquadmath's "%.Ne" conversions,
// which are exact (the binary value is expanded in full and rounded once, ties to even); only
// their digits and exponent are used, so the locale's decimal point never reaches the field.

#include "textconv/bit_cast.h"
#include "textconv/quad_math.h"

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "textconv/format_descriptor.h"
#include "textconv/layouts.h"

namespace orbalta {

namespace {

// Longest assembled number: sign, 34 digits, point, letter, exponent sign, 4 digits.
constexpr int kMaxField = 48;

enum class Kind { Zero, Finite, Infinite, NaN };

struct Fields {
  bool negative;
  Kind kind;
  Encoding magnitude;  // the encoding with its sign bit cleared
};

Fields splitEncoding(Encoding bits, const FormatDescriptor& format) {
  const int n = format.bits;
  const int exponentWidth = format.exponentWidth;
  const int fractionWidth = format.fractionWidth;
  const Encoding fractionMask = (Encoding{1} << fractionWidth) - 1;
  const Encoding exponentMask = (Encoding{1} << exponentWidth) - 1;
  const Encoding exponent = (bits >> fractionWidth) & exponentMask;
  const Encoding fraction = bits & fractionMask;
  Fields f{};
  f.negative = ((bits >> (n - 1)) & 1) != 0;
  f.magnitude = bits & ((Encoding{1} << (n - 1)) - 1);
  if (exponent == exponentMask) {
    f.kind = fraction == 0 ? Kind::Infinite : Kind::NaN;
  } else {
    f.kind = (exponent == 0 && fraction == 0) ? Kind::Zero : Kind::Finite;
  }
  return f;
}

// The fractionDigits + 1 significant digits of a positive finite magnitude and its decimal
// exponent. Returns false only if the library's text is not the expected shape.
bool exactDigits(Encoding magnitude, int formatBytes, int fractionDigits, char* digits,
                 int& exponent) {
  char text[80];
  int length = 0;
  switch (formatBytes) {
    case 4:
      // binary32 to double is exact, so these are the digits of the binary32 value.
      length = std::snprintf(
          text, sizeof text, "%.*e", fractionDigits,
          static_cast<double>(orbalta::bit_cast<float>(static_cast<std::uint32_t>(magnitude))));
      break;
    case 8:
      length = std::snprintf(text, sizeof text, "%.*e", fractionDigits,
                             orbalta::bit_cast<double>(static_cast<std::uint64_t>(magnitude)));
      break;
    default:
      length = quadmath_snprintf(text, sizeof text, "%.*Qe", fractionDigits,
                                 orbalta::bit_cast<float128>(magnitude));
      break;
  }
  if (length <= 0 || length >= static_cast<int>(sizeof text)) return false;

  // Digits up to the exponent mark, stepping over whatever the decimal point is.
  int count = 0;
  int i = 0;
  for (; i < length && text[i] != 'e'; ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      if (count > fractionDigits) return false;
      digits[count++] = text[i];
    }
  }
  if (count != fractionDigits + 1 || i + 2 >= length) return false;
  const bool negativeExponent = text[++i] == '-';
  int value = 0;
  for (++i; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  exponent = negativeExponent ? -value : value;
  return true;
}

int decimalWidth(unsigned v) {
  int width = 1;
  for (; v >= 10; v /= 10) ++width;
  return width;
}

// Letter, sign and padded digits, or the significand rule's forms.
void appendExponent(char* out, int& n, int exponent, const SciShape& row) {
  const unsigned magnitude =
      exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
  const int needed = decimalWidth(magnitude);
  int width = needed;
  if (row.minExponentDigits > 0) {
    out[n++] = row.letter;
    if (width < row.minExponentDigits) width = row.minExponentDigits;
  } else if (magnitude <= 99) {
    out[n++] = row.letter;
    width = 2;
  }
  out[n++] = exponent < 0 ? '-' : '+';
  unsigned rest = magnitude;
  for (int i = width - 1; i >= 0; --i) {
    out[n + i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  n += width;
}

std::string writeScientific(Encoding bits, const FormatDescriptor& format, const SciShape& row,
                            bool plusSign) {
  const std::size_t width = static_cast<std::size_t>(row.width);
  std::string field(width, ' ');
  const Fields f = splitEncoding(bits, format);

  if (f.kind == Kind::NaN || f.kind == Kind::Infinite) {
    const std::string_view word = f.kind == Kind::NaN ? "NaN"
                                  : f.negative        ? "-Infinity"
                                                      : "Infinity";
    if (word.size() + 1 > width) return std::string(width, '*');
    field.replace(1, word.size(), word);
    return field;
  }

  char digits[40];
  int exponent = 0;
  if (f.kind == Kind::Zero) {
    std::memset(digits, '0', static_cast<std::size_t>(row.fractionDigits + 1));
  } else if (!exactDigits(f.magnitude, format.formatBytes, row.fractionDigits, digits, exponent)) {
    assert(false && "unexpected text from the decimal conversion");
    return std::string(width, '*');
  }

  char out[kMaxField];
  int n = 0;
  if (f.negative && f.kind != Kind::Zero) {
    out[n++] = '-';
  } else if (plusSign) {
    out[n++] = '+';
  }
  out[n++] = digits[0];
  out[n++] = '.';
  std::memcpy(out + n, digits + 1, static_cast<std::size_t>(row.fractionDigits));
  n += row.fractionDigits;
  appendExponent(out, n, exponent, row);

  if (static_cast<std::size_t>(n) > width) return std::string(width, '*');
  field.replace(width - static_cast<std::size_t>(n), static_cast<std::size_t>(n), out,
                static_cast<std::size_t>(n));
  return field;
}

}  // namespace

std::string SignedSciLayout::write(Encoding bits, int formatBytes) {
  const FormatDescriptor* format = formatDescriptor(formatBytes);
  return format ? writeScientific(bits, *format, format->sci, true) : std::string();
}

std::string SciLayout::write(Encoding bits, int formatBytes) {
  const FormatDescriptor* format = formatDescriptor(formatBytes);
  return format ? writeScientific(bits, *format, format->sci, false) : std::string();
}

std::string SignificandLayout::write(Encoding bits, int formatBytes) {
  const FormatDescriptor* format = formatDescriptor(formatBytes);
  return format ? writeScientific(bits, *format, format->significand, false) : std::string();
}

}  // namespace orbalta
