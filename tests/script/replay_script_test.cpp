// The replay script language: every line form, the string escapes and the errors that name
// their line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/replay/script.h"

namespace orbalta::replay {
namespace {

struct GoodLine {
  const char* name;
  const char* source;
  StepKind kind;
  ControlRef control;
  int window;
  int number;  // -1: no number
  std::string text;
};

const std::vector<GoodLine> kGoodLines = {
    {"click main", "click 30001", StepKind::Click, {101, 30001}, 101, -1, ""},
    {"click caret", "click 1007 3", StepKind::Click, {101, 1007}, 101, 3, ""},
    {"click caret zero", "click 1027 0", StepKind::Click, {101, 1027}, 101, 0, ""},
    {"click other window", "click 111:1041", StepKind::Click, {111, 1041}, 101, -1, ""},
    {"click main spelled", "click 101:2", StepKind::Click, {101, 2}, 101, -1, ""},
    {"type", "type \"2.5\"", StepKind::Type, {}, 101, -1, "2.5"},
    {"type empty", "type \"\"", StepKind::Type, {}, 101, -1, ""},
    {"paste with blank", "paste \"1 0\"", StepKind::Paste, {}, 101, -1, "1 0"},
    {"select", "select 1044 3", StepKind::Select, {101, 1044}, 101, 3, ""},
    {"close", "close 109", StepKind::Close, {}, 109, -1, ""},
    {"file path", "file \"/tmp/a b.txt\"", StepKind::File, {}, 101, -1, "/tmp/a b.txt"},
    {"dump main", "dump", StepKind::Dump, {}, 101, -1, ""},
    {"dump summary", "dump 111", StepKind::Dump, {}, 111, -1, ""},
    {"expect text",
     "expect 1007 text \"+1.5000000E+00\"",
     StepKind::ExpectText,
     {101, 1007},
     101,
     -1,
     "+1.5000000E+00"},
    {"expect empty text",
     "expect 111:1047 text \"\"",
     StepKind::ExpectText,
     {111, 1047},
     101,
     -1,
     ""},
    {"expect enabled", "expect 1044 enabled 0", StepKind::ExpectEnabled, {101, 1044}, 101, 0, ""},
    {"expect checked", "expect 1011 checked 1", StepKind::ExpectChecked, {101, 1011}, 101, 1, ""},
    {"expect selected none",
     "expect 1044 selected 0",
     StepKind::ExpectSelected,
     {101, 1044},
     101,
     0,
     ""},
    {"expect focus", "expect 103:1 focus", StepKind::ExpectFocus, {103, 1}, 101, -1, ""},
    {"expect tool tip",
     "expect 1008 tooltip \"a\\nb\"",
     StepKind::ExpectToolTip,
     {101, 1008},
     101,
     -1,
     "a\nb"},
    {"expect any tool tip",
     "expect 1007 tooltip *",
     StepKind::ExpectToolTip,
     {101, 1007},
     101,
     -1,
     ""},
    {"expect window", "expect window 111 open 1", StepKind::ExpectWindowOpen, {}, 111, 1, ""},
    {"expect no msgbox", "expect no msgbox", StepKind::ExpectNoMsgbox, {}, 101, -1, ""},
    {"expect exit", "expect exit 0", StepKind::ExpectExit, {}, 101, 0, ""},
    {"expect exit negative", "expect exit -1", StepKind::ExpectExit, {}, 101, -1, ""},
    {"leading blanks and comment",
     "   click 1012   # binary64",
     StepKind::Click,
     {101, 1012},
     101,
     -1,
     ""},
    {"hash inside a string", "type \"#1\" # typed", StepKind::Type, {}, 101, -1, "#1"},
    {"tabs between words", "select\t1044\t6", StepKind::Select, {101, 1044}, 101, 6, ""},
    {"carriage return at the end", "key Esc\r", StepKind::Key, {}, 101, -1, ""},
};

TEST(ReplayScript, ParsesEveryLineForm) {
  for (const GoodLine& row : kGoodLines) {
    SCOPED_TRACE(row.name);
    const Script script = parseScript(row.source);
    ASSERT_TRUE(script.errors.empty()) << script.errors.front().message;
    ASSERT_EQ(script.steps.size(), 1u);
    const Step& step = script.steps.front();
    EXPECT_EQ(step.line, 1);
    EXPECT_EQ(step.kind, row.kind);
    EXPECT_EQ(step.control.window, row.control.window);
    EXPECT_EQ(step.control.id, row.control.id);
    EXPECT_EQ(step.window, row.window);
    if (row.kind == StepKind::ExpectExit || row.number >= 0) {
      ASSERT_TRUE(step.number.has_value());
      EXPECT_EQ(*step.number, row.number);
    } else {
      EXPECT_FALSE(step.number.has_value());
    }
    EXPECT_EQ(step.text, row.text);
  }
}

struct KeyRow {
  const char* source;
  KeyName key;
};

TEST(ReplayScript, KnowsEveryKeyName) {
  const std::vector<KeyRow> rows = {
      {"Tab", KeyName::Tab},     {"Shift+Tab", KeyName::ShiftTab},  {"Enter", KeyName::Enter},
      {"Esc", KeyName::Esc},     {"Left", KeyName::Left},           {"Right", KeyName::Right},
      {"Up", KeyName::Up},       {"Down", KeyName::Down},           {"Home", KeyName::Home},
      {"End", KeyName::End},     {"Backspace", KeyName::Backspace}, {"Delete", KeyName::Delete},
      {"Space", KeyName::Space}, {"Ctrl+A", KeyName::CtrlA},        {"ctrl+a", KeyName::CtrlA},
      {"ESC", KeyName::Esc},
  };
  for (const KeyRow& row : rows) {
    SCOPED_TRACE(row.source);
    const Script script = parseScript(std::string("key ") + row.source);
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.steps.size(), 1u);
    EXPECT_EQ(script.steps[0].kind, StepKind::Key);
    EXPECT_EQ(script.steps[0].key, row.key);
    EXPECT_TRUE(script.steps[0].number == std::nullopt);
  }
}

struct MsgboxRow {
  const char* source;
  std::string title;
  std::string text;
  bool anyText;
  BoxIcon icon;
};

TEST(ReplayScript, ParsesMessageBoxChecks) {
  const std::vector<MsgboxRow> rows = {
      {R"(expect msgbox "Error" "Invalid Value" none)", "Error", "Invalid Value", false,
       BoxIcon::None},
      {R"(expect msgbox "Eroare" * error)", "Eroare", "", true, BoxIcon::Error},
      {R"(expect msgbox "" "" information)", "", "", false, BoxIcon::Information},
      {R"(expect msgbox "T" "a\r\nb" warning)", "T", "a\r\nb", false, BoxIcon::Warning},
  };
  for (const MsgboxRow& row : rows) {
    SCOPED_TRACE(row.source);
    const Script script = parseScript(row.source);
    ASSERT_TRUE(script.errors.empty()) << script.errors.front().message;
    ASSERT_EQ(script.steps.size(), 1u);
    const Step& step = script.steps[0];
    EXPECT_EQ(step.kind, StepKind::ExpectMsgbox);
    EXPECT_EQ(step.title, row.title);
    EXPECT_EQ(step.text, row.text);
    EXPECT_EQ(step.anyText, row.anyText);
    EXPECT_EQ(step.icon, row.icon);
  }
}

TEST(ReplayScript, FileCancelHasNoPath) {
  const Script script = parseScript("file cancel");
  ASSERT_EQ(script.steps.size(), 1u);
  EXPECT_TRUE(script.steps[0].cancel);
  const Script quoted = parseScript("file \"cancel\"");
  ASSERT_EQ(quoted.steps.size(), 1u);
  EXPECT_FALSE(quoted.steps[0].cancel);
  EXPECT_EQ(quoted.steps[0].text, "cancel");
}

struct EscapeRow {
  const char* name;
  const char* source;  // the quoted string as written in a script
  std::string bytes;
};

TEST(ReplayScript, UnescapesStringsToWindows1252Bytes) {
  const std::vector<EscapeRow> rows = {
      {"line breaks", R"("a\r\nb")", "a\r\nb"},
      {"info window order", R"("a\n\rb")", "a\n\rb"},
      {"tab", R"("\t")", "\t"},
      {"quote and backslash", R"("\"\\")", "\"\\"},
      {"ellipsis", R"("0\x85")", "0\x85"},
      {"lower-case hex", R"("\xe9")", "\xe9"},
      {"nul byte", R"("\x00")", std::string(1, '\0')},
      {"blanks kept", R"("   Exponent  ")", "   Exponent  "},
  };
  for (const EscapeRow& row : rows) {
    SCOPED_TRACE(row.name);
    const Script script = parseScript(std::string("type ") + row.source);
    ASSERT_TRUE(script.errors.empty()) << script.errors.front().message;
    ASSERT_EQ(script.steps.size(), 1u);
    EXPECT_EQ(script.steps[0].text, row.bytes);
    // Printing and reading back must give the same bytes.
    const Script again = parseScript("type \"" + escapeText(row.bytes) + "\"");
    ASSERT_EQ(again.steps.size(), 1u);
    EXPECT_EQ(again.steps[0].text, row.bytes);
  }
}

TEST(ReplayScript, EscapesWhatIsNotPrintableAscii) {
  EXPECT_EQ(escapeText("X = 2^E\n\r"), "X = 2^E\\n\\r");
  EXPECT_EQ(escapeText("\x85\x7f\x01"), "\\x85\\x7F\\x01");
  EXPECT_EQ(escapeText("say \"hi\" \\ \t"), "say \\\"hi\\\" \\\\ \\t");
}

struct BadLine {
  const char* source;
  const char* messagePart;
};

TEST(ReplayScript, RejectsMalformedLines) {
  const std::vector<BadLine> rows = {
      {"clik 1007", "unknown action"},
      {"click", "missing a control"},
      {"click abc", "bad control"},
      {"click 102:1007", "unknown window"},
      {"click 1007 -1", "at least 0"},
      {"click 1007 2 3", "unexpected"},
      {"type 2.5", "quoted string"},
      {"type \"2.5", "unterminated"},
      {"type \"a\\q\"", "unknown escape"},
      {"type \"\\x4\"", "two hexadecimal digits"},
      {"type \"\\xG0\"", "two hexadecimal digits"},
      {"type \"\xc3\xa9\"", "above 0x7F"},
      {"type \"a\tb\"", "control character"},
      {"type \"a\"b", "followed by a blank"},
      {"key F1", "unknown key"},
      {"key", "missing a key name"},
      {"select 1044 0", "at least 1"},
      {"select 1044", "missing an item number"},
      {"close 1007", "unknown window"},
      {"file", "missing"},
      {"file later", "expected \"cancel\""},
      {"dump 100", "unknown window"},
      {"expect 1007 text 5", "quoted string"},
      {"expect 1007 enabled 2", "0 or 1"},
      {"expect 1007 shown 1", "unknown check"},
      {"expect 1044 selected -1", "at least 0"},
      {"expect window 111 open", "0 or 1"},
      {"expect window 111 shown 1", "\"open\""},
      {"expect msgbox \"Error\" \"x\" fatal", "unknown icon"},
      {"expect msgbox \"Error\" none", "quoted string"},
      {"expect no box", "\"msgbox\""},
      {"expect exit", "missing an exit code"},
      {"expect exit 0x1", "exit code"},
      {"expect exit +1", "exit code"},
      {"\"click\" 1007", "found a string"},
      {"on macos click 1007", "linux or windows"},
      {"on windows", "missing a line"},
      {"on linux clik 1007", "unknown action"},
      {"on windows clik 1007", "unknown action"},
  };
  for (const BadLine& row : rows) {
    SCOPED_TRACE(row.source);
    const Script script = parseScript(row.source);
    EXPECT_TRUE(script.steps.empty());
    ASSERT_EQ(script.errors.size(), 1u);
    EXPECT_EQ(script.errors[0].line, 1);
    EXPECT_NE(script.errors[0].message.find(row.messagePart), std::string::npos)
        << script.errors[0].message;
  }
}

TEST(ReplayScript, NumbersLinesAcrossBlanksAndComments) {
  const Script script = parseScript(
      "# start\n"
      "\n"
      "click 1007\r\n"
      "type \"2.5\"\n"
      "bogus\n"
      "   \n"
      "expect exit 0");
  ASSERT_EQ(script.steps.size(), 3u);
  EXPECT_EQ(script.steps[0].line, 3);
  EXPECT_EQ(script.steps[1].line, 4);
  EXPECT_EQ(script.steps[2].line, 7);
  ASSERT_EQ(script.errors.size(), 1u);
  EXPECT_EQ(script.errors[0].line, 5);
}

// A line for the other system is still checked, then left out.
TEST(ReplayScript, PlaysTheLinesOfOneSystem) {
  constexpr std::string_view source =
      "click 1034\n"
      "on linux expect msgbox \"Error\" \"Is a directory\" error\n"
      "on windows expect msgbox \"Error\" \"The directory name is invalid.\" error\n"
      "  on windows   click 1007 2 # a comment\n";
  const Script onLinux = parseScript(source, System::Linux);
  ASSERT_TRUE(onLinux.errors.empty());
  ASSERT_EQ(onLinux.steps.size(), 2u);
  EXPECT_EQ(onLinux.steps[1].line, 2);
  EXPECT_EQ(onLinux.steps[1].text, "Is a directory");

  const Script onWindows = parseScript(source, System::Windows);
  ASSERT_TRUE(onWindows.errors.empty());
  ASSERT_EQ(onWindows.steps.size(), 3u);
  EXPECT_EQ(onWindows.steps[1].line, 3);
  EXPECT_EQ(onWindows.steps[1].text, "The directory name is invalid.");
  EXPECT_EQ(onWindows.steps[2].kind, StepKind::Click);
  EXPECT_EQ(*onWindows.steps[2].number, 2);
}

TEST(ReplayScript, WritesControlsAsTheScriptDoes) {
  EXPECT_EQ(controlText({101, 1007}), "1007");
  EXPECT_EQ(controlText({111, 1041}), "111:1041");
  EXPECT_EQ(keyNameText(KeyName::ShiftTab), "Shift+Tab");
  EXPECT_EQ(boxIconText(BoxIcon::Information), "information");
}

}  // namespace
}  // namespace orbalta::replay
