// A word for infinity or NaN is read by its first three characters and anything else by the
// decimal input of X, as the window reads them.

#include "tools/cli/reading.h"

#include <vector>

#include "model/app_state.h"
#include "model/bit_checks.h"
#include "model/formats.h"
#include "textconv/layouts.h"
#include "tools/cli/json_text.h"

namespace orbalta::cli {

namespace {

const FormatSpec& spec(int formatBytes) {
  return *formatSpec(formatBytes);
}

}  // namespace

std::optional<int> formatOfWidth(int bits) {
  switch (bits) {
    case 32:
      return 4;
    case 64:
      return 8;
    case 128:
      return 16;
    default:
      return std::nullopt;
  }
}

std::optional<Failure> readHex(std::string_view digits, std::optional<int>& formatBytes,
                               Encoding& bits) {
  if (digits.empty()) return Failure{"no hex digits after 0x"};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const char c = digits[i];
    const bool hex = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
    if (!hex) {
      return Failure{quoted(std::string_view(&c, 1), '\'') + " at position " +
                     std::to_string(i + 3) + " is not a hex digit"};
    }
  }
  if (!formatBytes) {
    formatBytes = formatOfWidth(static_cast<int>(4 * digits.size()));
    if (!formatBytes) {
      return Failure{std::to_string(digits.size()) +
                     " hex digits name no format: give 8, 16 or 32, or --format"};
    }
  }
  if (digits.size() > static_cast<std::size_t>(2 * *formatBytes)) {
    return Failure{std::to_string(digits.size()) + " hex digits are too many for " +
                   spec(*formatBytes).name};
  }
  bits = 0;
  for (const char c : digits) {
    const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    bits = (bits << 4) | static_cast<Encoding>(d);
  }
  return std::nullopt;
}

std::optional<Failure> readFields(std::string_view text, std::optional<int>& formatBytes,
                                  Encoding& bits) {
  std::string joined;
  std::vector<std::size_t> widths;
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    const std::string_view field = text.substr(start, colon - start);
    for (std::size_t i = 0; i < field.size(); ++i) {
      if (field[i] != '0' && field[i] != '1') {
        return Failure{"bit field " + std::to_string(widths.size() + 1) + " holds " +
                       quoted(field.substr(i, 1), '\'') + " at position " + std::to_string(i + 1)};
      }
    }
    joined += field;
    widths.push_back(field.size());
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  std::optional<int> named;
  for (const int fb : {4, 8, 16}) {
    const FormatSpec& f = spec(fb);
    const auto we = static_cast<std::size_t>(f.exponentWidth);
    const auto wt = static_cast<std::size_t>(f.fractionWidth);
    if (widths == std::vector<std::size_t>{1, we, wt}) named = fb;
    if (f.fractionLowEdit != 0 &&
        widths == std::vector<std::size_t>{1, we, static_cast<std::size_t>(f.fractionHighWidth),
                                           static_cast<std::size_t>(f.fractionLowWidth)}) {
      named = fb;
    }
  }
  std::string shape;
  for (const std::size_t w : widths) shape += (shape.empty() ? "" : ":") + std::to_string(w);
  if (!named) return Failure{"bit fields of widths " + shape + " are no format's"};
  if (formatBytes && *formatBytes != *named) {
    return Failure{"bit fields of widths " + shape + " are " + spec(*named).name + ", not " +
                   spec(*formatBytes).name};
  }
  formatBytes = named;
  bits = BitStringLayout::read(joined, *named).value_or(0);
  return std::nullopt;
}

std::optional<Failure> readDecimal(const std::string& text, int formatBytes, Encoding& bits,
                                   Typed& typed) {
  AppState state;
  state.formatBytes = formatBytes;
  state.xText.assign(text);
  specialWordCheck(state);
  typed = Typed{};
  if (state.isInfinite || state.isNaN) {
    bits = specialValueEncoding(state);
    return std::nullopt;
  }
  TypedNumber number;
  const DecimalInput::Result result = DecimalInput::read(text, formatBytes, &number);
  typed.isNumber = number.isNumber;
  if (number.isNumber) typed.value = typedValue(number);
  switch (result.outcome) {
    case InputOutcome::Parsed:
      bits = result.bits;
      return std::nullopt;
    case InputOutcome::NothingRead:
      return Failure{"no number in " + quoted(text)};
    case InputOutcome::Rejected:
    default:
      if (number.isNumber) {
        return Failure{quoted(text) + " is beyond the largest finite " + spec(formatBytes).name};
      }
      return Failure{quoted(text) + " is not a number (Invalid Value)"};
  }
}

}  // namespace orbalta::cli
