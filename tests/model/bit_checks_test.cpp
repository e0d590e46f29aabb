// The pure parts of the bit-field codec: the special words of X, the character repair and the
// validation table.

#include <gtest/gtest.h>

#include <string>

#include "model/bit_checks.h"
#include "model/formats.h"

namespace orbalta {
namespace {

struct WordRow {
  const char* xText;
  bool isNaN;
  bool isInfinite;
  char nanSignBit;
  char infSignBit;  // '?' : kept from before
};

const WordRow kWords[] = {
    {"NaN", true, false, '0', '?'},       {"Nan", true, false, '0', '?'},
    {"nan", true, false, '0', '?'},       {"naN", true, false, '0', '?'},
    {"+Na", true, false, '0', '?'},       {"+na", true, false, '0', '?'},
    {"-Na", true, false, '1', '?'},       {"-na", true, false, '1', '?'},
    {"-nan(123)", true, false, '1', '?'}, {"+Nabc", true, false, '0', '?'},
    {"Inf", false, true, '0', '0'},       {"inf", false, true, '0', '0'},
    {"+In", false, true, '0', '0'},       {"+in", false, true, '0', '0'},
    {"-In", false, true, '1', '1'},       {"-in", false, true, '1', '1'},
    {"Infinity", false, true, '0', '0'},  {"-Infinity", false, true, '1', '1'},
    {"NAN", false, false, '0', '0'},      {"INF", false, false, '0', '0'},
    {"nAn", false, false, '0', '0'},      {" Infinity", false, false, '0', '0'},
    {"-NaN", true, false, '1', '?'},      {"-INF", false, false, '1', '1'},
    {"1.5", false, false, '0', '0'},      {"-1.5", false, false, '1', '1'},
    {"Na", false, false, '0', '0'},       {"", false, false, '0', '0'},
};

TEST(SpecialWordCheck, FirstThreeCharactersOnly) {
  for (const WordRow& row : kWords) {
    SCOPED_TRACE(std::string("xText \"") + row.xText + "\"");
    AppState state;
    state.xText.assign(row.xText);
    // Flags left by a previous input must be overwritten; infSignBit survives a NaN word.
    state.isNaN = !row.isNaN;
    state.isInfinite = true;
    state.infSignBit = '?';
    specialWordCheck(state);
    EXPECT_EQ(state.isNaN, row.isNaN);
    EXPECT_EQ(state.isInfinite, row.isInfinite);
    EXPECT_EQ(state.nanSignBit, row.nanSignBit);
    EXPECT_EQ(state.infSignBit, row.infSignBit);
  }
}

struct RepairRow {
  const char* before;
  int count;
  const char* after;
  bool replaced;
};

const RepairRow kRepairs[] = {
    {"01 10", 5, "01 10", false},  // blanks are allowed
    {"", 0, "", false},
    {"0x1", 3, "011", true},
    {"2222", 2, "1122", true},  // only the first `count` positions
    {"0\t1", 3, "011", true},   // a tab is not a blank
    {"100000002", 9, "100000001", true},
    {"100000002", 8, "100000002", false},
    {"0-", 1, "0-", false},
    {"ab", 5, "11", true},  // a count past the buffer stops at its end
};

TEST(RepairBitChars, ReplacesWhatIsNotABitByOne) {
  for (const RepairRow& row : kRepairs) {
    SCOPED_TRACE(std::string("\"") + row.before + "\" count " + std::to_string(row.count));
    FixedText buffer(std::string(row.before).size(), row.before);
    EXPECT_EQ(repairBitChars(row.count, buffer), row.replaced);
    EXPECT_EQ(buffer.view(), row.after);
  }
}

// The rows fit the formats: one per edit, widths as in the format, one excess character read,
// and never more characters inspected than read.
TEST(BitFieldCheckTable, RowsMatchTheirFormat) {
  for (const BitFieldCheck& row : kBitFieldChecks) {
    SCOPED_TRACE("edit " + std::to_string(row.edit));
    const FormatSpec& format = *formatSpec(row.formatBytes);
    int width = 0;
    if (row.edit == format.signEdit) width = format.signWidth;
    if (row.edit == format.exponentEdit) width = format.exponentWidth;
    if (row.edit == format.fractionEdit) width = format.fractionHighWidth;
    if (row.edit == format.fractionLowEdit) width = format.fractionLowWidth;
    EXPECT_EQ(row.width, width);
    EXPECT_EQ(row.readLength, row.width + 1);
    EXPECT_TRUE(row.inspected == row.width || row.inspected == row.readLength);
    EXPECT_EQ(row.order == ExcessOrder::RepairThenMessage, row.width == 1);
    EXPECT_EQ(bitFieldCheck(row.edit), &row);
  }
  EXPECT_EQ(bitFieldCheck(1007), nullptr);
  EXPECT_EQ(bitFieldCheck(1019), nullptr);
}

// Which edits see their excess character checked.
TEST(BitFieldCheckTable, ExcessPositionInspectedFor1027_1028_1035_1016) {
  for (const BitFieldCheck& row : kBitFieldChecks) {
    SCOPED_TRACE("edit " + std::to_string(row.edit));
    const bool excessInspected =
        row.edit == 1027 || row.edit == 1028 || row.edit == 1035 || row.edit == 1016;
    EXPECT_EQ(row.inspected, excessInspected ? row.width + 1 : row.width);
  }
}

}  // namespace
}  // namespace orbalta
