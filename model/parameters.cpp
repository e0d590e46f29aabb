#include "model/parameters.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

extern "C" {
#include <quadmath.h>
}

#include "model/bit_codec.h"
#include "model/formats.h"
#include "model/ieee_arith.h"
#include "textconv/fixed_text.h"
#include "textconv/layouts.h"

namespace orbalta {

namespace {

constexpr std::size_t kExponentValueLength = 7;
constexpr std::size_t kNumberValueLength = 42;
constexpr std::size_t kNeighbourWorkLength = 128;
constexpr std::size_t kNeighbourValueLength = 64;

constexpr const char* kExponentCaption = "Exponentul Reprezentarii";
constexpr const char* kSignificandCaption = "     Semnificand";
constexpr const char* kUlpCaption = "        ULP(X)";

// `text` without leading and trailing blanks, cut to `length` characters.
std::string leftJustified(std::string_view text, std::size_t length) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  return std::string(FixedText(length, text).trimmed());
}

// A field of `width` characters from `text`, a stray character counting as '1' as after repair.
std::uint64_t fieldValue(std::string_view text, std::size_t width) {
  FixedText field(width, text);
  repairBitChars(static_cast<int>(width), field);
  return BitFieldLayout::read(field.view()).value_or(0);
}

Encoding significandBits(const AppState& state, std::string_view fractionText) {
  const bool hiddenOne = !state.isZero && !state.isSubnormal;
  switch (state.formatBytes) {
    case 4: {
      float s = std::ldexp(static_cast<float>(fieldValue(fractionText, 23)), -23);
      if (hiddenOne) s += 1.0f;
      return std::bit_cast<std::uint32_t>(s);
    }
    case 8: {
      double s = std::ldexp(static_cast<double>(fieldValue(fractionText, 52)), -52);
      if (hiddenOne) s += 1.0;
      return std::bit_cast<std::uint64_t>(s);
    }
    case 16: {
      const FixedText fraction(112, fractionText);
      // Th * 2^64 + Tl has at most 112 bits, so both steps are exact.
      const float128 high = static_cast<float128>(fieldValue(fraction.slice(1, 48), 48));
      const float128 low = static_cast<float128>(fieldValue(fraction.slice(49, 112), 64));
      float128 s = ldexpq(ldexpq(high, 64) + low, -112);
      if (hiddenOne) s += 1.0Q;
      return std::bit_cast<uint128>(s);
    }
    default:
      return 0;
  }
}

std::string neighbourBitText(Encoding bits, int formatBytes) {
  const FixedText b(kNeighbourWorkLength, BitStringLayout::write(bits, formatBytes));
  const std::string sign = std::string(1, b.at(1)) + "_";
  switch (formatBytes) {
    case 4:
      return sign + std::string(b.slice(2, 9)) + "_" + std::string(b.slice(10, 32));
    case 8:
      return sign + std::string(b.slice(2, 12)) + "_..." + std::string(b.slice(49, 64));
    case 16:
      return sign + std::string(b.slice(2, 16)) + "_..." + std::string(b.slice(113, 128));
    default:
      return {};
  }
}

std::string neighbourBitCaption(int formatBytes, bool up) {
  if (formatBytes == 4) {
    return up ? "      Nearest > X  (S_Exp_Sig)" : "      Nearest < X  (S_Exp_Sig)";
  }
  if (up) return "Nearest > X; Semnificand: ultimii 16 biti";
  // binary64 alone writes a comma here.
  return formatBytes == 8 ? "Nearest < X, Semnificand: ultimii 16 biti"
                          : "Nearest < X; Semnificand: ultimii 16 biti";
}

}  // namespace

ParameterText exponentParameter(const AppState& state, std::string_view exponentText) {
  const FormatSpec* format = formatSpec(state.formatBytes);
  if (format == nullptr) return {};
  const auto biased =
      static_cast<int>(fieldValue(exponentText, static_cast<std::size_t>(format->exponentWidth)));
  const int exponent = state.isZero || state.isSubnormal ? format->emin : biased - format->bias;
  std::string caption = kExponentCaption;
  if (state.exponentAtMin) {
    caption += "  (Emin)";
  } else if (state.exponentAtMax) {
    caption += "  (Emax)";
  }
  return {leftJustified(IntegerLayout::write(exponent), kExponentValueLength), caption};
}

ParameterText significandParameter(AppState& state, std::string_view fractionText) {
  if (formatSpec(state.formatBytes) == nullptr) return {};
  if (state.isFinite) {
    state.lastSignificandText = leftJustified(
        SignificandLayout::write(significandBits(state, fractionText), state.formatBytes),
        kNumberValueLength);
  }
  return {state.lastSignificandText, kSignificandCaption};
}

ParameterText ulpParameter(const AppState& state) {
  if (formatSpec(state.formatBytes) == nullptr) return {};
  const Encoding ulp = ulpBits(state.currentValue(), state.formatBytes);
  return {leftJustified(SciLayout::write(ulp, state.formatBytes), kNumberValueLength), kUlpCaption};
}

ParameterText neighbourParameter(const AppState& state, bool up, bool bitStringMode) {
  if (formatSpec(state.formatBytes) == nullptr) return {};
  const Encoding x = state.currentValue();
  const Encoding y = up ? nextUpBits(x, state.formatBytes) : nextDownBits(x, state.formatBytes);
  if (bitStringMode) {
    return {leftJustified(neighbourBitText(y, state.formatBytes), kNeighbourValueLength),
            neighbourBitCaption(state.formatBytes, up)};
  }
  const FixedText work(kNeighbourWorkLength, SciLayout::write(y, state.formatBytes));
  return {leftJustified(work.view(), kNeighbourValueLength),
          up ? "      Nearest, > X" : "      Nearest, < X"};
}

ParameterText epsilonParameter() {
  return {"Epsilon = ULP(1.0).", "Epsilon"};
}

}  // namespace orbalta
