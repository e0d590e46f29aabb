// A word for infinity or NaN is read by its first three characters and anything else by the
// decimal input of X, as the window reads them.

#include "tools/cli/reading.h"

#include <algorithm>
#include <vector>

#include "model/app_state.h"
#include "model/bit_checks.h"
#include "model/formats.h"
#include "textconv/layouts.h"
#include "tools/cli/engine_views.h"
#include "tools/cli/json_text.h"

namespace orbalta::cli {

namespace {

bool isHexDigit(char c) {
  return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

std::string shapeText(const std::vector<std::size_t>& widths) {
  std::string shape;
  for (const std::size_t w : widths) shape += (shape.empty() ? "" : ":") + std::to_string(w);
  return shape;
}

bool hasShape(const BinaryFormat& f, const std::vector<std::size_t>& widths) {
  const std::vector<std::vector<std::size_t>> shapes = fieldShapes(f);
  return std::find(shapes.begin(), shapes.end(), widths) != shapes.end();
}

}  // namespace

Failure beyondRange(const std::string& text, const std::string& formatName) {
  return Failure{quoted(text) + " is beyond the largest finite " + formatName};
}

std::optional<Failure> readHex(std::string_view digits, std::optional<BinaryFormat>& format,
                               BigInteger& bits) {
  if (digits.empty()) return Failure{"no hex digits after 0x"};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (!isHexDigit(digits[i])) {
      return Failure{quoted(digits.substr(i, 1), '\'') + " at position " + std::to_string(i + 3) +
                     " is not a hex digit"};
    }
  }
  if (!format) {
    format = formatOfWidth(static_cast<int>(std::min<std::size_t>(4 * digits.size(), 1024)));
    if (!format) {
      return Failure{std::to_string(digits.size()) +
                     " hex digits name no format: give 4, 8, 16, 20, 32 or 64, or --format"};
    }
  }
  if (digits.size() > static_cast<std::size_t>((format->width() + 3) / 4)) {
    return Failure{std::to_string(digits.size()) + " hex digits are too many for " + format->name};
  }
  mpz_set_str(bits.get(), std::string(digits).c_str(), 16);
  if (mpz_sizeinbase(bits.get(), 2) > static_cast<std::size_t>(format->width())) {
    return Failure{"0x" + std::string(digits) + " has more than the " +
                   std::to_string(format->width()) + " bits of " + format->name};
  }
  return std::nullopt;
}

std::optional<Failure> readFields(std::string_view text, std::optional<BinaryFormat>& format,
                                  BigInteger& bits) {
  std::string joined;
  std::vector<std::size_t> widths;
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    const std::string_view part = text.substr(start, colon - start);
    for (std::size_t i = 0; i < part.size(); ++i) {
      if (part[i] != '0' && part[i] != '1') {
        return Failure{"bit field " + std::to_string(widths.size() + 1) + " holds " +
                       quoted(part.substr(i, 1), '\'') + " at position " + std::to_string(i + 1)};
      }
    }
    joined += part;
    widths.push_back(part.size());
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (!format || !hasShape(*format, widths)) {
    std::optional<BinaryFormat> named;
    for (const BinaryFormat& f : namedFormats()) {
      if (!named && hasShape(f, widths)) named = f;
    }
    const std::string shape = shapeText(widths);
    if (!named) return Failure{"bit fields of widths " + shape + " are no format's"};
    if (format) {
      return Failure{"bit fields of widths " + shape + " are " + named->name + ", not " +
                     format->name};
    }
    format = named;
  }
  mpz_set_str(bits.get(), joined.c_str(), 2);
  return std::nullopt;
}

std::optional<Failure> readTyped(const std::string& text, const BinaryFormat& format, Typed& typed,
                                 std::optional<BigInteger>& word, DecimalInput::Result& rounded) {
  AppState state;
  state.xText.assign(text);
  specialWordCheck(state);
  typed = Typed{};
  word.reset();
  if (state.isInfinite || state.isNaN) {
    const char sign = state.isNaN ? state.nanSignBit : state.infSignBit;
    word = specialEncoding(format, state.isNaN, sign == '1');
    return std::nullopt;
  }
  TypedNumber number;
  // The token reads alike in every format; the other formats take the widest one's reading.
  rounded = DecimalInput::read(text, format.windowBytes != 0 ? format.windowBytes : 16, &number);
  if (rounded.outcome == InputOutcome::NothingRead) return Failure{"no number in " + quoted(text)};
  if (!number.isNumber) return Failure{quoted(text) + " is not a number (Invalid Value)"};
  typed.isNumber = true;
  typed.value = typedValue(number);
  return std::nullopt;
}

}  // namespace orbalta::cli
