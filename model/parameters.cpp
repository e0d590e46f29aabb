#include "model/parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "textconv/bit_cast.h"
#include "textconv/quad_math.h"

#include "model/bit_checks.h"
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
  return std::string(FixedText(length, trimBlanks(text)).trimmed());
}

// A field of `width` characters from `text`, a stray character counting as '1' as after repair.
std::uint64_t fieldValue(std::string_view text, std::size_t width) {
  FixedText field(width, text);
  repairBitChars(static_cast<int>(width), field);
  return BitFieldLayout::read(field.view()).value_or(0);
}

template <typename Real, typename Bits>
Encoding significandOf(std::uint64_t fraction, int fractionWidth, bool hiddenOne) {
  Real s = std::ldexp(static_cast<Real>(fraction), -fractionWidth);
  if (hiddenOne) s += 1;
  return orbalta::bit_cast<Bits>(s);
}

Encoding significandBits(const AppState& state, std::string_view fractionText) {
  const FormatSpec& format = state.format();
  const bool hiddenOne = !state.isZero && !state.isSubnormal;
  const auto wt = static_cast<std::size_t>(format.fractionWidth);
  switch (state.formatBytes) {
    case 4:
      return significandOf<float, std::uint32_t>(fieldValue(fractionText, wt), format.fractionWidth,
                                                 hiddenOne);
    case 8:
      return significandOf<double, std::uint64_t>(fieldValue(fractionText, wt),
                                                  format.fractionWidth, hiddenOne);
    default: {
      const FixedText fraction(wt, fractionText);
      const auto highWidth = static_cast<std::size_t>(format.fractionHighWidth);
      const auto lowWidth = static_cast<std::size_t>(format.fractionLowWidth);
      // Th * 2^Wl + Tl has at most Wt bits, so both steps are exact.
      const float128 high =
          static_cast<float128>(fieldValue(fraction.slice(1, highWidth), highWidth));
      const float128 low =
          static_cast<float128>(fieldValue(fraction.slice(highWidth + 1, wt), lowWidth));
      float128 s = ldexpq(ldexpq(high, format.fractionLowWidth) + low, -format.fractionWidth);
      if (hiddenOne) s += float128{1};
      return orbalta::bit_cast<uint128>(s);
    }
  }
}

// Sign, exponent and fraction apart; past binary32 only the fraction's last 16 bits.
std::string neighbourBitText(Encoding bits, const FormatSpec& format) {
  const auto n = static_cast<std::size_t>(format.bits);
  const auto exponentEnd = 1 + static_cast<std::size_t>(format.exponentWidth);
  const FixedText b(kNeighbourWorkLength, BitStringLayout::write(bits, format.formatBytes));
  const std::string head = std::string(1, b.at(1)) + "_" + std::string(b.slice(2, exponentEnd));
  if (format.formatBytes == 4) return head + "_" + std::string(b.slice(exponentEnd + 1, n));
  return head + "_..." + std::string(b.slice(n - 15, n));
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
  const FormatSpec& format = state.format();
  const auto biased =
      static_cast<int>(fieldValue(exponentText, static_cast<std::size_t>(format.exponentWidth)));
  const int exponent = state.isZero || state.isSubnormal ? format.emin : biased - format.bias;
  std::string caption = kExponentCaption;
  if (state.exponentAtMin) {
    caption += "  (Emin)";
  } else if (state.exponentAtMax) {
    caption += "  (Emax)";
  }
  return {leftJustified(IntegerLayout::write(exponent), kExponentValueLength), caption,
          std::nullopt};
}

ParameterText significandParameter(AppState& state, std::string_view fractionText) {
  if (!state.isFinite) return {state.lastSignificandText, kSignificandCaption, std::nullopt};
  const Encoding bits = significandBits(state, fractionText);
  state.lastSignificandText =
      leftJustified(SignificandLayout::write(bits, state.formatBytes), kNumberValueLength);
  return {state.lastSignificandText, kSignificandCaption, bits};
}

ParameterText ulpParameter(const AppState& state) {
  const Encoding ulp = ulpBits(state.currentValue(), state.formatBytes);
  return {leftJustified(SciLayout::write(ulp, state.formatBytes), kNumberValueLength), kUlpCaption,
          ulp};
}

ParameterText neighbourParameter(const AppState& state, bool up, bool bitStringMode) {
  const Encoding x = state.currentValue();
  const Encoding y = up ? nextUpBits(x, state.formatBytes) : nextDownBits(x, state.formatBytes);
  if (bitStringMode) {
    return {leftJustified(neighbourBitText(y, state.format()), kNeighbourValueLength),
            neighbourBitCaption(state.formatBytes, up), y};
  }
  const FixedText work(kNeighbourWorkLength, SciLayout::write(y, state.formatBytes));
  return {leftJustified(work.view(), kNeighbourValueLength),
          up ? "      Nearest, > X" : "      Nearest, < X", y};
}

ParameterText epsilonParameter(const AppState& state) {
  const FormatSpec& format = state.format();
  // ULP(1.0) = 2^(1 - P): the biased exponent of 1.0 less the fraction width.
  const Encoding epsilon = static_cast<Encoding>(format.bias - format.fractionWidth)
                           << format.fractionWidth;
  return {"Epsilon = ULP(1.0).", "Epsilon", epsilon};
}

}  // namespace orbalta
