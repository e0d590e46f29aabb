// The value texts and captions of the derived parameters.

#include <gtest/gtest.h>

#include <string>

#include "model/formats.h"
#include "model/parameters.h"
#include "model_test_support.h"

namespace orbalta {
namespace {

using test::hex;
using test::stateHolding;
using test::u128;

std::string repeat(char c, int n) {
  return std::string(static_cast<std::size_t>(n), c);
}

std::string exponentTextOf(int formatBytes, Encoding bits) {
  const auto we = static_cast<std::size_t>(formatSpec(formatBytes)->exponentWidth);
  return BitStringLayout::write(bits, formatBytes).substr(1, we);
}

std::string fractionTextOf(int formatBytes, Encoding bits) {
  const auto we = static_cast<std::size_t>(formatSpec(formatBytes)->exponentWidth);
  return BitStringLayout::write(bits, formatBytes).substr(1 + we);
}

struct Row {
  const char* name;
  int formatBytes;
  Encoding x;
  const char* value;
  const char* caption;
};

const char* const kExponent = "Exponentul Reprezentarii";
const char* const kEmin = "Exponentul Reprezentarii  (Emin)";
const char* const kEmax = "Exponentul Reprezentarii  (Emax)";

const Row kExponents[] = {
    {"b32 one", 4, 0x3F800000, "0", kExponent},
    {"b32 +0", 4, 0x00000000, "-126", kEmin},
    {"b32 -0", 4, 0x80000000, "-126", kEmin},
    {"b32 smallest subnormal", 4, 0x00000001, "-126", kEmin},
    {"b32 largest subnormal", 4, 0x807FFFFF, "-126", kEmin},
    {"b32 smallest normal", 4, 0x00800000, "-126", kEmin},
    {"b32 second binade", 4, 0x01000000, "-125", kExponent},
    {"b32 largest finite", 4, 0x7F7FFFFF, "127", kEmax},
    {"b32 below the top binade", 4, 0x7E800000, "126", kExponent},
    {"b64 zero", 8, 0x0, "-1022", kEmin},
    {"b64 0.1", 8, 0x3FB999999999999A, "-4", kExponent},
    {"b64 largest finite", 8, 0x7FEFFFFFFFFFFFFF, "1023", kEmax},
    {"b128 one", 16, u128(0x3FFF000000000000, 0), "0", kExponent},
    {"b128 subnormal", 16, 1, "-16382", kEmin},
    {"b128 largest finite", 16, u128(0x7FFEFFFFFFFFFFFF, ~0ull), "16383", kEmax},
};

TEST(ExponentParameter, ExponentOfRepresentationAndItsMark) {
  for (const Row& row : kExponents) {
    SCOPED_TRACE(std::string(row.name) + " " + hex(row.x));
    const AppState state = stateHolding(row.formatBytes, row.x);
    const ParameterText text = exponentParameter(state, exponentTextOf(row.formatBytes, row.x));
    EXPECT_EQ(text.valueText, row.value);
    EXPECT_EQ(text.caption, row.caption);
  }
}

const char* const kSignificand = "     Semnificand";

const Row kSignificands[] = {
    {"b32 one", 4, 0x3F800000, "1.0000000E+00", kSignificand},
    {"b32 -1.5", 4, 0xBFC00000, "1.5000000E+00", kSignificand},
    {"b32 zero", 4, 0x80000000, "0.0000000E+00", kSignificand},
    {"b32 smallest subnormal", 4, 0x00000001, "1.1920929E-07", kSignificand},
    {"b64 0.1", 8, 0x3FB999999999999A, "1.600000000000000E+00", kSignificand},
    {"b64 subnormal T = 2^51", 8, 0x0008000000000000, "5.000000000000000E-01", kSignificand},
    {"b128 one", 16, u128(0x3FFF000000000000, 0), "1.000000000000000000000000000000000E+00",
     kSignificand},
    // The last bit of the high part weighs 2^-48: the two parts are joined high first.
    {"b128 1 + 2^-48", 16, u128(0x3FFF000000000001, 0), "1.000000000000003552713678800500929E+00",
     kSignificand},
    {"b128 subnormal, low part 1", 16, 1, "1.925929944387235853055977942584927E-34", kSignificand},
};

TEST(SignificandParameter, HiddenOneOnlyForNormalNumbers) {
  for (const Row& row : kSignificands) {
    SCOPED_TRACE(std::string(row.name) + " " + hex(row.x));
    AppState state = stateHolding(row.formatBytes, row.x);
    const ParameterText text = significandParameter(state, fractionTextOf(row.formatBytes, row.x));
    EXPECT_EQ(text.valueText, row.value);
    EXPECT_EQ(text.caption, row.caption);
  }
}

TEST(SignificandParameter, NotFiniteKeepsThePreviousText) {
  AppState state = stateHolding(4, 0x3FC00000);
  significandParameter(state, fractionTextOf(4, 0x3FC00000));
  const AppState nan = stateHolding(4, 0x7FC00000);
  state.isFinite = nan.isFinite;
  state.isNaN = nan.isNaN;
  const ParameterText text = significandParameter(state, fractionTextOf(4, 0x7FC00000));
  EXPECT_EQ(text.valueText, "1.5000000E+00");
  EXPECT_EQ(text.caption, kSignificand);
}

const char* const kUlp = "        ULP(X)";

const Row kUlps[] = {
    {"b32 one (epsilon)", 4, 0x3F800000, "1.1920929E-07", kUlp},
    {"b32 smallest normal", 4, 0x00800000, "1.4012985E-45", kUlp},
    {"b32 +0", 4, 0x00000000, "5.9604645E-08", kUlp},
    {"b32 -0", 4, 0x80000000, "5.9604645E-08", kUlp},
    {"b32 smallest subnormal", 4, 0x00000001, "0.0000000E+00", kUlp},
    {"b32 subnormal 2", 4, 0x00000002, "0.0000000E+00", kUlp},
    {"b32 subnormal 2^-127", 4, 0x00400000, "0.0000000E+00", kUlp},
    {"b32 largest subnormal", 4, 0x007FFFFF, "0.0000000E+00", kUlp},
    {"b32 negative subnormal", 4, 0x80000001, "0.0000000E+00", kUlp},
    {"b64 one", 8, 0x3FF0000000000000, "2.2204460492503131D-16", kUlp},
    {"b64 zero", 8, 0x0, "1.1102230246251565D-16", kUlp},
    {"b64 subnormal", 8, 0x000FFFFFFFFFFFFF, "0.0000000000000000D+00", kUlp},
    {"b128 zero", 16, 0, "9.629649721936179265279889712924637D-035", kUlp},
    {"b128 subnormal", 16, 1, "0.000000000000000000000000000000000D+000", kUlp},
};

TEST(UlpParameter, SpacingOfTheBinade) {
  for (const Row& row : kUlps) {
    SCOPED_TRACE(std::string(row.name) + " " + hex(row.x));
    const ParameterText text = ulpParameter(stateHolding(row.formatBytes, row.x));
    EXPECT_EQ(text.valueText, row.value);
    EXPECT_EQ(text.caption, row.caption);
  }
}

struct NeighbourRow {
  const char* name;
  int formatBytes;
  Encoding x;
  bool up;
  bool bitString;
  std::string value;
  const char* caption;
};

const char* const kUpDecimal = "      Nearest, > X";
const char* const kDownDecimal = "      Nearest, < X";
const char* const kUp32 = "      Nearest > X  (S_Exp_Sig)";
const char* const kDown32 = "      Nearest < X  (S_Exp_Sig)";
const char* const kUpWide = "Nearest > X; Semnificand: ultimii 16 biti";
const char* const kDown64 = "Nearest < X, Semnificand: ultimii 16 biti";
const char* const kDown128 = "Nearest < X; Semnificand: ultimii 16 biti";

const NeighbourRow kNeighbours[] = {
    {"b32 largest finite up", 4, 0x7F7FFFFF, true, false, "Infinity", kUpDecimal},
    {"b32 -largest finite down", 4, 0xFF7FFFFF, false, false, "-Infinity", kDownDecimal},
    {"b32 +0 up", 4, 0x00000000, true, false, "1.4012985E-45", kUpDecimal},
    {"b32 +0 down", 4, 0x00000000, false, false, "-1.4012985E-45", kDownDecimal},
    {"b32 -min subnormal up is -0", 4, 0x80000001, true, false, "0.0000000E+00", kUpDecimal},
    {"b64 one up", 8, 0x3FF0000000000000, true, false, "1.0000000000000002D+00", kUpDecimal},
    {"b64 -0 down", 8, 0x8000000000000000, false, false, "-4.9406564584124654D-324", kDownDecimal},
    {"b128 +0 up", 16, 0, true, false, "6.475175119438025110924438958227647D-4966", kUpDecimal},

    {"b32 largest finite up, bits", 4, 0x7F7FFFFF, true, true, "0_11111111_" + repeat('0', 23),
     kUp32},
    {"b32 +0 down, bits", 4, 0x00000000, false, true, "1_00000000_" + repeat('0', 22) + "1",
     kDown32},
    {"b32 -min subnormal up, bits", 4, 0x80000001, true, true, "1_00000000_" + repeat('0', 23),
     kUp32},
    {"b64 -0 up, bits", 8, 0x8000000000000000, true, true,
     "0_" + repeat('0', 11) + "_..." + repeat('0', 15) + "1", kUpWide},
    {"b64 one down, bits", 8, 0x3FF0000000000000, false, true,
     "0_01111111110_..." + repeat('1', 16), kDown64},
    {"b128 one up, bits", 16, u128(0x3FFF000000000000, 0), true, true,
     "0_011111111111111_..." + repeat('0', 15) + "1", kUpWide},
    {"b128 one down, bits", 16, u128(0x3FFF000000000000, 0), false, true,
     "0_011111111111110_..." + repeat('1', 16), kDown128},
};

TEST(NeighbourParameter, DecimalAndBitStringForms) {
  for (const NeighbourRow& row : kNeighbours) {
    SCOPED_TRACE(std::string(row.name) + " " + hex(row.x));
    const ParameterText text =
        neighbourParameter(stateHolding(row.formatBytes, row.x), row.up, row.bitString);
    EXPECT_EQ(text.valueText, row.value);
    EXPECT_EQ(text.caption, row.caption);
  }
}

TEST(NeighbourParameter, BitStringLengths) {
  const struct {
    int formatBytes;
    std::size_t length;
  } kLengths[] = {{4, 34}, {8, 33}, {16, 37}};
  for (const auto& row : kLengths) {
    SCOPED_TRACE(row.formatBytes);
    // A negative value keeps its sign bit at the front.
    const Encoding x = formatSpec(row.formatBytes)->signMask() | 12345;
    EXPECT_EQ(neighbourParameter(stateHolding(row.formatBytes, x), true, true).valueText.size(),
              row.length);
  }
}

TEST(EpsilonParameter, SameTextForEveryFormatAndUlpOfOneBehind) {
  for (const int formatBytes : {4, 8, 16}) {
    SCOPED_TRACE(formatBytes);
    const AppState state = stateHolding(formatBytes, 0);
    const ParameterText text = epsilonParameter(state);
    EXPECT_EQ(text.valueText, "Epsilon = ULP(1.0).");
    EXPECT_EQ(text.caption, "Epsilon");
    // The value it names is what the ULP entry shows for X = 1.
    const FormatSpec& spec = *formatSpec(formatBytes);
    const Encoding one = static_cast<Encoding>(spec.bias) << spec.fractionWidth;
    EXPECT_EQ(text.exactBits, ulpParameter(stateHolding(formatBytes, one)).exactBits);
  }
}

}  // namespace
}  // namespace orbalta
