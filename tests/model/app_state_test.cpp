#include <gtest/gtest.h>

#include "model/app_state.h"
#include "model/formats.h"

namespace orbalta {
namespace {

TEST(FormatSpecTest, RowsFollowTheFormatRelations) {
  for (int bytes : {4, 8, 16}) {
    SCOPED_TRACE(bytes);
    const FormatSpec& spec = *formatSpec(bytes);
    EXPECT_EQ(spec.formatBytes, bytes);
    EXPECT_EQ(spec.bits, 8 * bytes);
    EXPECT_EQ(spec.signWidth + spec.exponentWidth + spec.fractionWidth, spec.bits);
    EXPECT_EQ(spec.bias, (1 << (spec.exponentWidth - 1)) - 1);
    EXPECT_EQ(spec.emin, 1 - spec.bias);
    EXPECT_EQ(spec.emax, spec.bias);
    EXPECT_EQ(spec.precision, spec.fractionWidth + 1);
    EXPECT_EQ(spec.fractionHighWidth + spec.fractionLowWidth, spec.fractionWidth);
    // The three masks split the encoding without overlap.
    EXPECT_EQ(spec.signMask() | spec.exponentMask() | spec.fractionMask(),
              bytes == 16 ? ~uint128{0} : (uint128{1} << spec.bits) - 1);
    EXPECT_EQ(spec.signMask() & (spec.exponentMask() | spec.fractionMask()), 0u);
    EXPECT_EQ(spec.exponentMask() & spec.fractionMask(), 0u);
  }
  EXPECT_EQ(formatSpec(0), nullptr);
  EXPECT_EQ(formatSpec(10), nullptr);
}

TEST(FieldLengthOfTest, WidthsFollowTheSelectedFormat) {
  struct Row {
    int formatBytes;
    int controlId;
    int width;
  };
  const Row rows[] = {
      // Sign edits give 1 whatever the format, even one that is not selected.
      {4, 1026, 1},   {4, 1032, 1},  {4, 1014, 1}, {8, 1026, 1}, {16, 1032, 1},  {0, 1014, 1},
      {4, 1027, 8},   {4, 1028, 23}, {4, 1033, 0}, {4, 1035, 0}, {4, 1015, 0},   {4, 1018, 0},
      {8, 1033, 11},  {8, 1035, 52}, {8, 1027, 0}, {8, 1016, 0}, {16, 1015, 15}, {16, 1016, 48},
      {16, 1018, 64}, {16, 1028, 0}, {4, 1007, 0}, {4, 1019, 0}, {0, 1027, 0},   {12, 1027, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.formatBytes << " / " << row.controlId);
    AppState state;
    state.formatBytes = row.formatBytes;
    state.currentFieldLength = 99;
    EXPECT_EQ(fieldLengthOf(state, row.controlId), row.width);
    EXPECT_EQ(state.currentFieldLength, row.width);
  }
}

TEST(AppStateTest, StartsBlankAndKeepsTheThreeValuesApart) {
  AppState state;
  EXPECT_EQ(state.formatBytes, 0);
  EXPECT_EQ(state.currentFieldLength, 0);
  EXPECT_EQ(state.xText.view(), std::string(42, ' '));
  EXPECT_EQ(state.dataTypeLabel.view(), std::string(30, ' '));
  EXPECT_EQ(state.summaryTexts[6].length(), 180u);

  state.formatBytes = 4;
  state.setCurrentValue(0x3F800000);
  state.formatBytes = 8;
  state.setCurrentValue(0x3FF0000000000000);
  state.formatBytes = 16;
  state.setCurrentValue(uint128{0x3FFF000000000000} << 64);
  EXPECT_EQ(state.value32, 0x3F800000u);
  EXPECT_EQ(state.value64, 0x3FF0000000000000u);
  EXPECT_EQ(state.currentValue(), uint128{0x3FFF000000000000} << 64);
  // A format switch neither converts nor clears.
  state.formatBytes = 4;
  EXPECT_EQ(state.currentValue(), 0x3F800000u);
}

}  // namespace
}  // namespace orbalta
