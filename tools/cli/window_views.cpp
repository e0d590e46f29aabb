// binary32, binary64 and binary128 are shown exactly as the window shows them: its layouts,
// classification and parameters. Only exact values and errors are the CLI's, whose decimal
// exponents are unbounded.

#include <algorithm>

#include "model/app_state.h"
#include "model/classify.h"
#include "model/formats.h"
#include "model/parameters.h"
#include "textconv/layouts.h"
#include "tools/cli/views.h"

namespace orbalta::cli {

namespace {

std::string trimmed(std::string_view text) {
  return std::string(trimBlanks(text));
}

// An AppState classified from the encoding, as a refresh from these bits would leave it.
AppState classified(Encoding bits, const FormatSpec& f) {
  AppState state;
  state.formatBytes = f.formatBytes;
  state.setCurrentValue(bits);
  classifyStoredValue(state);
  return state;
}

// A finite encoding as sign * m * 2^q; nullopt for an infinity or a NaN.
std::optional<BinaryValue> binaryOf(Encoding bits, const FormatSpec& f) {
  if ((bits & f.exponentMask()) == f.exponentMask()) return std::nullopt;
  const auto biased = static_cast<long>((bits & f.exponentMask()) >> f.fractionWidth);
  Encoding m = bits & f.fractionMask();
  if (biased != 0) m |= Encoding{1} << f.fractionWidth;
  BinaryValue out;
  out.negative = (bits & f.signMask()) != 0;
  // 32 bits at a time: unsigned long is that narrow on WebAssembly.
  mpz_set_ui(out.m.get(), 0);
  for (int shift = 96; shift >= 0; shift -= 32) {
    mpz_mul_2exp(out.m.get(), out.m.get(), 32);
    mpz_add_ui(out.m.get(), out.m.get(), static_cast<unsigned long>((m >> shift) & 0xFFFFFFFFu));
  }
  out.q = std::max(biased, 1L) - f.bias - f.fractionWidth;
  return out;
}

std::string hexOf(Encoding bits, int width) {
  std::string hex = "0x";
  for (int shift = width - 4; shift >= 0; shift -= 4)
    hex += "0123456789ABCDEF"[(bits >> shift) & 0xF];
  return hex;
}

void addParameters(Views& fields, AppState& state, const std::string& exponentText,
                   const std::string& fractionText) {
  // The window offers the parameters for finite data only.
  std::optional<std::string> exponent, mark, significand, ulp, up, down, epsilon;
  if (state.isFinite) {
    const ParameterText e = exponentParameter(state, exponentText);
    exponent = e.valueText;
    if (e.caption.ends_with("(Emin)")) mark = "Emin";
    if (e.caption.ends_with("(Emax)")) mark = "Emax";
    significand = significandParameter(state, fractionText).valueText;
    ulp = ulpParameter(state).valueText;
    up = neighbourParameter(state, true, false).valueText;
    down = neighbourParameter(state, false, false).valueText;
    if (const std::optional<Encoding> eps = epsilonParameter(state).exactBits)
      epsilon = trimmed(SciLayout::write(*eps, state.formatBytes));
  }
  fields.push_back({"exponent", "exponent", exponent});
  fields.push_back({"exponent_mark", "exponent mark", mark});
  fields.push_back({"significand", "significand", significand});
  fields.push_back({"ulp", "ULP", ulp});
  fields.push_back({"x_plus", "X+", up});
  fields.push_back({"x_minus", "X-", down});
  fields.push_back({"epsilon", "epsilon", epsilon});
}

}  // namespace

void addErrorFields(Views& fields, const std::optional<Typed>& typed,
                    const std::optional<BinaryValue>& stored,
                    const std::optional<BinaryValue>& ulp) {
  if (!typed) return;
  std::optional<std::string> error, ratio;
  if (typed->isNumber && stored) {
    if (const std::optional<BigDecimal> e = conversionError(typed->value, *stored)) {
      error = sciText(*e);
      if (ulp) ratio = ratioText(*e, *ulp);
    }
  }
  fields.push_back({"error", "error", error});
  fields.push_back({"error_ulp", "error/ULP(X)", ratio});
}

Views windowViews(Encoding bits, int formatBytes, const std::optional<Typed>& typed) {
  const FormatSpec& f = *formatSpec(formatBytes);
  const std::string text = BitStringLayout::write(bits, formatBytes);
  AppState state = classified(bits, f);
  const auto we = static_cast<std::size_t>(f.exponentWidth);
  const std::string exponentText = text.substr(1, we);
  const std::string fractionText = text.substr(1 + we);

  const std::optional<BinaryValue> stored = binaryOf(bits, f);
  Views fields{
      {"format", "format", f.name},
      {"bits", "bits", text.substr(0, 1) + ":" + exponentText + ":" + fractionText},
      {"hex", "hex", hexOf(bits, f.bits)},
      {"class", "class", std::string(state.dataTypeLabel.trimmed())},
      {"exact", "exact", stored ? std::optional(sciText(decimalOf(*stored))) : std::nullopt},
  };
  std::optional<BinaryValue> ulp;
  if (const std::optional<Encoding> u = ulpParameter(state).exactBits) {
    ulp = binaryOf(*u, f);
    if (ulp && mpz_sgn(ulp->m.get()) == 0) ulp.reset();
  }
  addErrorFields(fields, typed, stored, ulp);
  fields.push_back({"x", "X", trimmed(SignedSciLayout::write(bits, formatBytes))});
  addParameters(fields, state, exponentText, fractionText);
  return fields;
}

}  // namespace orbalta::cli
