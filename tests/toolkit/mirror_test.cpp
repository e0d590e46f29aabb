// The property operations on the mirror: texts, lengths, cursor, states, radio groups, lists,
// and the operations that do not apply.

#include <string>
#include <vector>

#include "toolkit_fixture.h"

namespace orbalta::testing {
namespace {

using MirrorTest = ToolkitTest;

TEST_F(MirrorTest, OpenBuildsRecordsFromTheTemplate) {
  EXPECT_EQ(readText(main, 30001, 8), "IESIRE  ");
  EXPECT_EQ(readText(main, 1040, 7), "Nearest");
  EXPECT_EQ(readText(main, 1007, 3), "   ");
  EXPECT_FALSE(readState(main, 1011));
  EXPECT_FALSE(readState(main, 1043));
  EXPECT_TRUE(readState(main, 1007, ATTR_ENABLED));
  EXPECT_EQ(readNumber(main, 1044, ATTR_ITEM_COUNT), 0);
  EXPECT_EQ(main.window(), 0u);
}

TEST_F(MirrorTest, OpenFailsForAMissingTemplate) {
  Dialog other(toolkit);
  EXPECT_FALSE(DLGOPEN(999, other));
  int value = 0;
  EXPECT_FALSE(DLGREADNUMBER(other, 1007, value));
  EXPECT_FALSE(DLGHANDLER(other, 999, [](Dialog&, int, int) {}));
}

TEST_F(MirrorTest, UnsupportedControlsAreReportedAndTheDialogStillOpens) {
  Dialog odd(toolkit);
  ASSERT_TRUE(DLGOPEN(202, odd));
  ASSERT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_EQ(fake.messageBoxes[0].title, "Error");
  EXPECT_NE(fake.messageBoxes[0].text.find("BS_OWNERDRAW"), std::string::npos);
  EXPECT_EQ(readText(odd, 1, 2), "OK");
}

TEST_F(MirrorTest, TextWritesDropTrailingBlanksAndReadsFillOrCut) {
  struct Row {
    const char* name;
    const char* written;
    std::size_t buffer;
    const char* read;
  };
  const Row rows[] = {
      {"blank-filled", "abc   ", 6, "abc   "},
      {"cut", "abc   ", 2, "ab"},
      {"longer buffer", "abc", 5, "abc  "},
      {"leading blanks stay", "   Exponent", 11, "   Exponent"},
      {"all blanks become empty", "    ", 2, "  "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(DLGPUTTEXT(main, 1007, row.written));
    EXPECT_EQ(readText(main, 1007, row.buffer), row.read);
  }
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "abc   "));
  EXPECT_EQ(readNumber(main, 1007, ATTR_TEXT_LENGTH), 3);
  ASSERT_TRUE(DLGPUTTEXT(main, 1040, "  caption  "));
  EXPECT_EQ(readText(main, 1040, 11), "  caption  ");
  EXPECT_EQ(readNumber(main, 1007, ATTR_DEFAULT), 3);
}

TEST_F(MirrorTest, TextLengthCutsOrFillsTheStoredText) {
  struct Row {
    const char* text;
    int length;
    const char* result;
  };
  const Row rows[] = {
      {"101", 8, "101     "},
      {"1010101011", 8, "10101010"},
      {"", 1, " "},
      {"0", 0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    ASSERT_TRUE(DLGPUTTEXT(main, 1028, row.text));
    ASSERT_TRUE(DLGPUTNUMBER(main, 1028, row.length, ATTR_TEXT_LENGTH));
    EXPECT_EQ(readNumber(main, 1028, ATTR_TEXT_LENGTH), row.length);
    EXPECT_EQ(readText(main, 1028, static_cast<std::size_t>(row.length) + 2),
              std::string(row.result) + "  ");
  }
  // The blanks are part of the text now: a read into a shorter buffer cuts them.
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "101"));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1028, 8));
  EXPECT_EQ(readNumber(main, 1028), 8);
}

TEST_F(MirrorTest, CursorIsCutDownToTheText) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "abcdef"));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1028, 5, ATTR_CURSOR));
  EXPECT_EQ(readNumber(main, 1028, ATTR_CURSOR), 5);
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "ab"));
  EXPECT_EQ(readNumber(main, 1028, ATTR_CURSOR), 2);
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "abcdef"));
  EXPECT_EQ(readNumber(main, 1028, ATTR_CURSOR), 2);
  ASSERT_TRUE(DLGPUTNUMBER(main, 1028, 1, ATTR_TEXT_LENGTH));
  EXPECT_EQ(readNumber(main, 1028, ATTR_CURSOR), 1);
}

TEST_F(MirrorTest, RadioGroupRules) {
  struct Row {
    const char* name;
    int id;
    bool value;
    bool expected[3];  // 1011, 1012, 1013
  };
  const Row rows[] = {
      {"true on 1012 checks it alone", 1012, true, {false, true, false}},
      {"false on the checked 1012 checks the first", 1012, false, {true, false, false}},
      {"true on 1013", 1013, true, {false, false, true}},
      {"false on 1013 again goes to the first", 1013, false, {true, false, false}},
      {"false on the first keeps the first", 1011, false, {true, false, false}},
      {"true on the last", 1013, true, {false, false, true}},
  };
  ASSERT_TRUE(DLGPUTSTATE(main, 1046, true));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(DLGPUTSTATE(main, row.id, row.value, ATTR_CHECKED));
    EXPECT_EQ(readState(main, 1011), row.expected[0]);
    EXPECT_EQ(readState(main, 1012), row.expected[1]);
    EXPECT_EQ(readState(main, 1013), row.expected[2]);
    // The second group is left alone.
    EXPECT_FALSE(readState(main, 1045));
    EXPECT_TRUE(readState(main, 1046));
  }
}

TEST_F(MirrorTest, CheckBoxAndEnabledStates) {
  ASSERT_TRUE(DLGPUTSTATE(main, 1043, true));
  EXPECT_TRUE(readState(main, 1043, ATTR_CHECKED));
  ASSERT_TRUE(DLGPUTSTATE(main, 1043, false, ATTR_ENABLED));
  EXPECT_TRUE(readState(main, 1043));
  EXPECT_FALSE(readState(main, 1043, ATTR_ENABLED));
  // The default logical property of the other types is the enabled state.
  for (int id : {1007, 1044, 1040, 1029}) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(DLGPUTSTATE(main, id, false));
    EXPECT_FALSE(readState(main, id, ATTR_ENABLED));
    EXPECT_FALSE(readState(main, id));
  }
}

TEST_F(MirrorTest, ListItemsAndSelection) {
  for (const char* item : {"Exponent", "Semnificand", "ULP   "}) {
    ASSERT_TRUE(DLGPUTTEXT(main, 1044, item, ATTR_APPEND_ITEM));
  }
  EXPECT_EQ(readNumber(main, 1044), 3);
  EXPECT_EQ(readNumber(main, 1044, 1), 0) << "nothing selected";
  EXPECT_EQ(readText(main, 1044, 4, ATTR_CHECKED), "    ") << "no selected item";
  EXPECT_EQ(readText(main, 1044, 5, 3), "ULP  ");

  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 2, 1));
  EXPECT_EQ(readNumber(main, 1044, 1), 2);
  EXPECT_EQ(readNumber(main, 1044, 2), 0) << "a single selection has no second entry";
  EXPECT_EQ(readText(main, 1044, 11, ATTR_CHECKED), "Semnificand");
  EXPECT_EQ(readText(main, 1044, 3), "Sem");

  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "Ulp", 3));
  EXPECT_EQ(readText(main, 1044, 3, 3), "Ulp");
  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 0, 1));
  EXPECT_EQ(readNumber(main, 1044, 1), 0);

  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 2, 1));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 4, ATTR_ITEM_COUNT));
  EXPECT_EQ(readNumber(main, 1044, ATTR_ITEM_COUNT), 4);
  EXPECT_EQ(readNumber(main, 1044, 1), 0) << "re-created without selection";
  EXPECT_EQ(readText(main, 1044, 2, 1), "  ");
}

TEST_F(MirrorTest, ListItemsAreCutAt256Characters) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, std::string(300, 'a'), ATTR_APPEND_ITEM));
  EXPECT_EQ(readText(main, 1044, 300, 1), std::string(256, 'a') + std::string(44, ' '));
}

// Every operation that does not apply gives false and changes nothing.
TEST_F(MirrorTest, OperationsThatDoNotApply) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "keep"));
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "one", ATTR_APPEND_ITEM));
  ASSERT_TRUE(DLGPUTSTATE(main, 1011, true));
  FixedText buffer(4);
  bool flag = false;
  int number = 0;
  struct Row {
    const char* name;
    bool result;
  };
  const Row rows[] = {
      {"text of an unknown id", DLGPUTTEXT(main, 4711, "x")},
      {"text of the dialog id", DLGPUTTEXT(main, 101, "x")},
      {"edit text with a cursor selector", DLGPUTTEXT(main, 1007, "x", ATTR_CURSOR)},
      {"edit text appended", DLGPUTTEXT(main, 1007, "x", ATTR_APPEND_ITEM)},
      {"caption with ATTR_CHECKED", DLGPUTTEXT(main, 1040, "x", ATTR_CHECKED)},
      {"list text without selector", DLGPUTTEXT(main, 1044, "x")},
      {"list item beyond the count", DLGPUTTEXT(main, 1044, "x", 2)},
      {"read list item beyond the count", DLGREADTEXT(main, 1044, buffer, 2)},
      {"read caption with ATTR_CHECKED", DLGREADTEXT(main, 1040, buffer, ATTR_CHECKED)},
      {"read unknown id", DLGREADTEXT(main, 4711, buffer)},
      {"checked state of an edit", DLGPUTSTATE(main, 1007, true, ATTR_CHECKED)},
      {"state with a cursor selector", DLGPUTSTATE(main, 1011, false, ATTR_CURSOR)},
      {"read checked of a list", DLGREADSTATE(main, 1044, flag, ATTR_CHECKED)},
      {"read state of unknown id", DLGREADSTATE(main, 4711, flag)},
      {"number of a static", DLGPUTNUMBER(main, 1040, 3)},
      {"cursor of a list", DLGPUTNUMBER(main, 1044, 3, ATTR_CURSOR)},
      {"item count of an edit", DLGPUTNUMBER(main, 1007, 3, ATTR_ITEM_COUNT)},
      {"negative text length", DLGPUTNUMBER(main, 1007, -1, ATTR_TEXT_LENGTH)},
      {"selection beyond the items", DLGPUTNUMBER(main, 1044, 2, 1)},
      {"second selection entry", DLGPUTNUMBER(main, 1044, 1, 2)},
      {"read number of a button", DLGREADNUMBER(main, 1029, number)},
      {"read enabled-as-number of an edit", DLGREADNUMBER(main, 1007, number, ATTR_ENABLED)},
      {"handler on a static", DLGHANDLER(main, 1040, [](Dialog&, int, int) {})},
      {"focus handler on a button", DLGHANDLER(
                                        main, 1029, [](Dialog&, int, int) {}, EVT_FOCUS_GAINED)},
      {"click handler on an edit", DLGHANDLER(
                                       main, 1007, [](Dialog&, int, int) {}, EVT_CLICKED)},
      {"changed handler on a list", DLGHANDLER(
                                        main, 1044, [](Dialog&, int, int) {}, EVT_CHANGED)},
      {"unknown event on the dialog", DLGHANDLER(
                                          main, 101, [](Dialog&, int, int) {}, EVT_CLICKED)},
      {"handler on an unknown id", DLGHANDLER(main, 4711, [](Dialog&, int, int) {})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(row.result);
  }
  EXPECT_EQ(readText(main, 1007, 4), "keep");
  EXPECT_EQ(readNumber(main, 1044), 1);
  EXPECT_TRUE(readState(main, 1011));
  EXPECT_TRUE(readState(main, 1007, ATTR_ENABLED));
}

TEST_F(MirrorTest, HandlersThatApply) {
  const Handler h = [](Dialog&, int, int) {};
  EXPECT_TRUE(DLGHANDLER(main, 101, h));
  EXPECT_TRUE(DLGHANDLER(main, 101, h, EVT_SIZE));
  EXPECT_TRUE(DLGHANDLER(main, 1007, h, EVT_FOCUS_GAINED));
  EXPECT_TRUE(DLGHANDLER(main, 1007, h, EVT_FOCUS_LOST));
  EXPECT_TRUE(DLGHANDLER(main, 1007, h, EVT_UPDATED));
  EXPECT_TRUE(DLGHANDLER(main, 1043, h));
  EXPECT_TRUE(DLGHANDLER(main, 1011, h));
  EXPECT_TRUE(DLGHANDLER(main, 1044, h, EVT_DOUBLE_CLICK));
}

TEST_F(MirrorTest, ReleaseForgetsEverythingAndTheObjectOpensAgain) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "changed"));
  DLGRELEASE(main);
  FixedText buffer(7);
  EXPECT_FALSE(DLGREADTEXT(main, 1007, buffer));
  ASSERT_TRUE(DLGOPEN(101, main));
  EXPECT_EQ(readText(main, 1007, 7), "       ");
}

}  // namespace
}  // namespace orbalta::testing
