// Classification of the bit-field texts and the data-type label.

#include <gtest/gtest.h>

#include <string>

#include "model/classify.h"

namespace orbalta {
namespace {

std::string repeat(char c, int n) {
  return std::string(static_cast<std::size_t>(n), c);
}

struct ClassRow {
  const char* name;
  int we, wt;
  std::string exponent, fraction;
  // zero, subnormal, infinite, nan, finite, atMin, atMax
  bool flags[7];
};

const ClassRow kClasses[] = {
    {"b32 zero", 8, 23, "00000000", repeat('0', 23), {1, 0, 0, 0, 1, 1, 0}},
    {"b32 smallest subnormal", 8, 23, "00000000", repeat('0', 22) + "1", {0, 1, 0, 0, 1, 1, 0}},
    {"b32 infinity", 8, 23, "11111111", repeat('0', 23), {0, 0, 1, 0, 0, 0, 1}},
    {"b32 NaN, top bit", 8, 23, "11111111", "1" + repeat('0', 22), {0, 0, 0, 1, 0, 0, 1}},
    {"b32 NaN, last bit", 8, 23, "11111111", repeat('0', 22) + "1", {0, 0, 0, 1, 0, 0, 1}},
    {"b32 largest binade", 8, 23, "11111110", repeat('1', 23), {0, 0, 0, 0, 1, 0, 1}},
    {"b32 smallest binade", 8, 23, "00000001", repeat('0', 23), {0, 0, 0, 0, 1, 1, 0}},
    {"b32 one", 8, 23, "01111111", repeat('0', 23), {0, 0, 0, 0, 1, 0, 0}},
    // A deleted exponent bit leaves a blank: neither all '0' nor all '1', so a normal number.
    {"b32 exponent of 7 bits", 8, 23, "1111111 ", repeat('0', 23), {0, 0, 0, 0, 1, 0, 1}},
    {"b32 exponent of 7 zeros", 8, 23, "0000000 ", repeat('0', 23), {0, 0, 0, 0, 1, 1, 0}},
    {"b32 short fraction", 8, 23, "00000000", repeat('0', 22) + " ", {0, 1, 0, 0, 1, 1, 0}},
    {"b32 texts too short", 8, 23, "0000000", repeat('0', 22), {0, 0, 0, 0, 1, 1, 0}},
    {"b32 blank exponent", 8, 23, repeat(' ', 8), repeat(' ', 23), {0, 0, 0, 0, 1, 0, 0}},
    {"b64 zero", 11, 52, repeat('0', 11), repeat('0', 52), {1, 0, 0, 0, 1, 1, 0}},
    {"b64 NaN", 11, 52, repeat('1', 11), "1" + repeat('0', 51), {0, 0, 0, 1, 0, 0, 1}},
    {"b64 largest binade", 11, 52, repeat('1', 10) + "0", repeat('0', 52), {0, 0, 0, 0, 1, 0, 1}},
    {"b128 subnormal, high part",
     15,
     112,
     repeat('0', 15),
     repeat('0', 47) + "1" + repeat('0', 64),
     {0, 1, 0, 0, 1, 1, 0}},
    {"b128 subnormal, low part",
     15,
     112,
     repeat('0', 15),
     repeat('0', 111) + "1",
     {0, 1, 0, 0, 1, 1, 0}},
    {"b128 zero", 15, 112, repeat('0', 15), repeat('0', 112), {1, 0, 0, 0, 1, 1, 0}},
    {"b128 infinity", 15, 112, repeat('1', 15), repeat('0', 112), {0, 0, 1, 0, 0, 0, 1}},
};

TEST(ClassifyBitFields, FlagsFromTheCharacters) {
  for (const ClassRow& row : kClasses) {
    SCOPED_TRACE(row.name);
    AppState state;
    // Every flag is rewritten, whatever the previous classification left.
    state.isZero = state.isSubnormal = state.isInfinite = state.isNaN = !row.flags[0];
    state.exponentAtMin = state.exponentAtMax = state.isFinite = true;
    classifyBitFields(state, row.we, row.wt, row.exponent, row.fraction);
    EXPECT_EQ(state.isZero, row.flags[0]);
    EXPECT_EQ(state.isSubnormal, row.flags[1]);
    EXPECT_EQ(state.isInfinite, row.flags[2]);
    EXPECT_EQ(state.isNaN, row.flags[3]);
    EXPECT_EQ(state.isFinite, row.flags[4]);
    EXPECT_EQ(state.exponentAtMin, row.flags[5]);
    EXPECT_EQ(state.exponentAtMax, row.flags[6]);
  }
}

struct LabelRow {
  const char* name;
  int formatBytes;
  bool zero, subnormal, infinite, nan;
  const char* label;
};

const LabelRow kLabels[] = {
    {"zero", 4, true, false, false, false, "Signed Zero"},
    {"subnormal", 8, false, true, false, false, "Denormalized Number"},
    {"infinity", 16, false, false, true, false, "Signed Infinity"},
    {"nan", 4, false, false, false, true, "Not-a-Number"},
    {"normal b32", 4, false, false, false, false, "Normalized Number: Real(4)"},
    {"normal b64", 8, false, false, false, false, "Normalized Number: Real(8)"},
    {"normal b128", 16, false, false, false, false, "Normalized Number: Real(16)"},
    // The first row that holds wins.
    {"zero before nan", 4, true, false, false, true, "Signed Zero"},
};

TEST(ComposeDataTypeLabel, FirstRowThatHolds) {
  for (const LabelRow& row : kLabels) {
    SCOPED_TRACE(row.name);
    AppState state;
    state.formatBytes = row.formatBytes;
    state.dataTypeLabel.assign("Normalized Number: Real(16) xx");
    state.isZero = row.zero;
    state.isSubnormal = row.subnormal;
    state.isInfinite = row.infinite;
    state.isNaN = row.nan;
    composeDataTypeLabel(state);
    EXPECT_EQ(state.dataTypeLabel.length(), 30u);
    EXPECT_EQ(state.dataTypeLabel.trimmed(), row.label);
  }
}

}  // namespace
}  // namespace orbalta
