// The window's formats keep the window's own conversion under its rounding, nearest with
// ties to even; every other format and direction is rounded by MPFR.

#include "tools/cli/evaluate.h"

#include <array>

#include "tools/cli/engine_views.h"

namespace orbalta::cli {

namespace {

Encoding windowEncoding(const BigInteger& bits) {
  std::array<std::uint64_t, 2> words{0, 0};
  mpz_export(words.data(), nullptr, -1, sizeof words[0], 0, 0, bits.get());
  return (Encoding{words[1]} << 64) | words[0];
}

Views viewsOf(const BigInteger& bits, const BinaryFormat& f, const std::optional<Typed>& typed) {
  if (f.windowBytes != 0) return windowViews(windowEncoding(bits), f.windowBytes, typed);
  return engineViews(bits, f, typed);
}

Outcome evaluateEncoding(const std::string& text, const Request& request) {
  Outcome outcome;
  if (request.all) {
    outcome.failure = Failure{"an encoding belongs to one format: --format 32, 64 or 128"};
    return outcome;
  }
  std::optional<BinaryFormat> format = request.format;
  BigInteger bits;
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  outcome.failure = hex ? readHex(std::string_view(text).substr(2), format, bits)
                        : readFields(text, format, bits);
  if (!outcome.failure) outcome.results.push_back(viewsOf(bits, *format, std::nullopt));
  return outcome;
}

// The views of a typed decimal in one format; `typed` says whether it was a number.
std::optional<Failure> decimalIn(const std::string& text, const BinaryFormat& f, Rounding rounding,
                                 Typed& typed, Views& views) {
  std::optional<BigInteger> word;
  DecimalInput::Result windowRounded{};
  if (std::optional<Failure> failure = readTyped(text, f, typed, word, windowRounded))
    return failure;
  if (word) {
    views = viewsOf(*word, f, typed);
    return std::nullopt;
  }
  // Beyond the largest finite, nearest-even rejects the value, as the window does.
  if (f.windowBytes != 0 && rounding == Rounding::NearestEven) {
    if (windowRounded.outcome != InputOutcome::Parsed) return beyondRange(text, f.name);
    views = windowViews(windowRounded.bits, f.windowBytes, typed);
    return std::nullopt;
  }
  const Rounded rounded = roundDecimal(typed.value, f, rounding);
  if (rounded.infinite && rounding == Rounding::NearestEven) return beyondRange(text, f.name);
  views = viewsOf(encodingOf(rounded, f), f, typed);
  return std::nullopt;
}

Outcome evaluateDecimal(const std::string& text, const Request& request) {
  Outcome outcome;
  const std::vector<BinaryFormat> formats =
      request.format ? std::vector<BinaryFormat>{*request.format} : windowFormats();
  bool anyValue = false;
  for (const BinaryFormat& f : formats) {
    Typed typed;
    Views views;
    const std::optional<Failure> failure = decimalIn(text, f, request.rounding, typed, views);
    if (!failure) {
      outcome.results.push_back(std::move(views));
      anyValue = true;
      continue;
    }
    if (!outcome.failure) outcome.failure = failure;
    // Beyond one format's range is no failure while another format holds the value.
    if (typed.isNumber && formats.size() > 1) {
      outcome.results.push_back(
          {{"format", "format", f.name}, {"rejected", "rejected", failure->message}});
    }
  }
  if (anyValue) outcome.failure.reset();
  if (outcome.failure) outcome.results.clear();
  return outcome;
}

}  // namespace

Outcome evaluate(const std::string& text, const Request& request) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  if (hex || text.find(':') != std::string::npos) return evaluateEncoding(text, request);
  return evaluateDecimal(text, request);
}

}  // namespace orbalta::cli
