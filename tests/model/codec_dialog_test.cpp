// The codec and the refresh driven through the real toolkit, with the window played by an
// in-memory platform: what the user sees, in which order, and which messages appear.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/bit_codec.h"
#include "model/classify.h"
#include "model_test_support.h"
#include "platform/fake/fake_platform.h"
#include "toolkit/dialog.h"

namespace orbalta {
namespace {

using platform::MessageIcon;
using test::hex;
using test::u128;

std::string repeat(char c, int n) {
  return std::string(static_cast<std::size_t>(n), c);
}

// A long text as its length and beginning, so that a failure stays readable.
std::string brief(const std::string& text) {
  return std::to_string(text.size()) + " chars \"" + text.substr(0, 70) + "\"";
}

// The controls of the main window that the codec touches.
constexpr std::string_view kScript = R"(
101 DIALOGEX 0, 0, 430, 300
CAPTION "Main"
FONT 8, "MS Sans Serif"
BEGIN
    PUSHBUTTON "CANCEL",IDCANCEL,8,276,40,15
    EDITTEXT 1007,21,25,171,12,ES_AUTOHSCROLL
    EDITTEXT 1014,28,244,10,12,ES_AUTOHSCROLL
    EDITTEXT 1015,38,244,67,12,ES_AUTOHSCROLL
    EDITTEXT 1016,105,244,199,12,ES_AUTOHSCROLL
    EDITTEXT 1018,27,212,262,12,ES_AUTOHSCROLL
    EDITTEXT 1026,28,124,10,12,ES_AUTOHSCROLL
    EDITTEXT 1027,38,124,38,12,ES_AUTOHSCROLL
    EDITTEXT 1028,76,124,97,12,ES_AUTOHSCROLL
    EDITTEXT 1032,28,166,10,12,ES_AUTOHSCROLL
    EDITTEXT 1033,38,166,50,12,ES_AUTOHSCROLL
    EDITTEXT 1035,87,166,213,12,ES_AUTOHSCROLL
    EDITTEXT 1036,200,25,100,12,ES_AUTOHSCROLL | ES_READONLY
    LISTBOX 1044,200,63,91,18,LBS_NOTIFY | WS_VSCROLL | WS_DISABLED
END
)";

constexpr int kBitEdits[] = {1014, 1015, 1016, 1018, 1026, 1027, 1028, 1032, 1033, 1035};

class CodecWindow : public ::testing::Test {
 protected:
  testing::FakePlatform platform;
  Toolkit toolkit{platform, kScript};
  Dialog dialog{toolkit};
  AppState state;

  void SetUp() override {
    state.formatBytes = 4;
    ASSERT_TRUE(DLGOPEN(101, dialog));
    // As the main window's handlers do: a changed bit field is validated, then refreshed,
    // then X is rewritten; a focused one is refreshed.
    for (int edit : kBitEdits) {
      DLGHANDLER(dialog, edit, [this](Dialog& d, int id, int) {
        validateBitField(d, state, id);
        refreshFromBitFields(d, state);
        valueToXText(d, state);
      });
      DLGHANDLER(
          dialog, edit,
          [this](Dialog& d, int, int) {
            refreshFromBitFields(d, state);
            valueToXText(d, state);
          },
          EVT_FOCUS_GAINED);
    }
    DLGHANDLER(dialog, 1007, [this](Dialog& d, int, int) {
      DLGREADTEXT(d, 1007, state.xText);
      if (state.xText.trimmed().size() < 3) return;
      specialWordCheck(state);
      if (state.isInfinite || state.isNaN) {
        specialValueToBitFields(d, state);
      } else {
        decimalToBitFields(d, state);
      }
    });
    ASSERT_TRUE(DLGMODELESS(dialog));
  }

  void select(int formatBytes) { state.formatBytes = formatBytes; }
  // Outside any handler the write shows at once.
  void show(int id, const std::string& text) { DLGPUTTEXT(dialog, id, text); }
  void type(int id, const std::string& text) { platform.replaceText(dialog.window(), id, text); }
  void focus(int id) { platform.focus(dialog.window(), id); }
  const std::string& shown(int id) { return platform.control(dialog.window(), id).text; }
  bool listEnabled() { return platform.isEnabled(dialog.window(), 1044); }

  void showFields(int formatBytes, const std::vector<std::string>& texts) {
    const FormatSpec& format = *formatSpec(formatBytes);
    const int edits[] = {format.signEdit, format.exponentEdit, format.fractionEdit,
                         format.fractionLowEdit};
    for (std::size_t i = 0; i < texts.size(); ++i) show(edits[i], texts[i]);
  }
};

// --- validateBitField ---------------------------------------------------------------------

struct Expected {
  const char* text;
  MessageIcon icon;
  std::string screen;  // the edit's text while the box is open
};

struct ValidationRow {
  const char* name;
  int formatBytes;
  int edit;
  std::string typed;
  std::vector<Expected> messages;
  std::string result;
};

Expected invalid(std::string screen) {
  return {kInvalidBitMessage, MessageIcon::Warning, std::move(screen)};
}
Expected excess(std::string screen) {
  return {kExcessBitMessage, MessageIcon::Error, std::move(screen)};
}

const std::vector<ValidationRow>& validationRows() {
  // clang-format off
  static const std::vector<ValidationRow> rows = {
      // The ninth position is inspected for 1027: repaired and shown first, then cut.
      {"b32 exponent, ninth char 2", 4, 1027, "100000002",
       {invalid("10000000"), excess("10000000")}, "10000000"},
      // The twelfth position of 1033 is not inspected: only the excess, told before the cut.
      {"b64 exponent, twelfth char 2", 8, 1033, "100000000002",
       {excess("100000000002")}, "10000000000"},
      {"b64 exponent, eleventh invalid and twelfth", 8, 1033, "1000000000x2",
       {invalid("10000000001"), excess("10000000001")}, "10000000001"},
      {"b128 high part, 49th char", 16, 1016, repeat('0', 48) + "1",
       {excess(repeat('0', 48) + "1")}, repeat('0', 48)},
      {"b128 low part, 65th char not inspected", 16, 1018, repeat('0', 64) + "x",
       {excess(repeat('0', 64) + "x")}, repeat('0', 64)},
      {"b128 exponent, 16th char not inspected", 16, 1015, repeat('0', 15) + "7",
       {excess(repeat('0', 15) + "7")}, repeat('0', 15)},
      {"b32 fraction, 5 extra bits pasted", 4, 1028, repeat('1', 23) + "00000",
       {excess(repeat('1', 23) + "00000")}, repeat('1', 23)},
      {"b32 fraction, 100000 characters pasted", 4, 1028, repeat('0', 100000),
       {excess(repeat('0', 100000))}, repeat('0', 23)},
      {"b32 exponent, 100000 invalid characters", 4, 1027, repeat('x', 100000),
       {invalid("11111111"), excess("11111111")}, "11111111"},
      // The sign edits cut first and tell afterwards.
      {"b32 sign too long", 4, 1026, "01", {excess("0")}, "0"},
      {"b32 sign invalid", 4, 1026, "x", {invalid("1")}, "1"},
      {"b64 sign invalid and too long", 8, 1032, "x0", {invalid("1"), excess("1")}, "1"},
      {"b128 sign, second char not inspected", 16, 1014, "1x", {excess("1")}, "1"},
      {"b64 fraction, invalid inside", 8, 1035, "0a1", {invalid("011")}, "011"},
      {"b32 exponent with a blank", 4, 1027, "1000 000", {}, "1000 000"},
      {"b32 sign emptied", 4, 1026, "", {}, ""},
  };
  // clang-format on
  return rows;
}

TEST_F(CodecWindow, ValidateBitFieldMessagesInOrder) {
  for (const ValidationRow& row : validationRows()) {
    SCOPED_TRACE(row.name);
    platform.messageBoxes.clear();
    select(row.formatBytes);
    type(row.edit, row.typed);
    ASSERT_EQ(platform.messageBoxes.size(), row.messages.size());
    for (std::size_t i = 0; i < row.messages.size(); ++i) {
      SCOPED_TRACE("message " + std::to_string(i + 1));
      const auto& message = platform.messageBoxes[i];
      EXPECT_EQ(message.text, row.messages[i].text);
      EXPECT_EQ(message.title, "Eroare");
      EXPECT_EQ(message.icon, row.messages[i].icon);
      EXPECT_EQ(brief(message.screen.at(row.edit)), brief(row.messages[i].screen));
    }
    EXPECT_EQ(brief(shown(row.edit)), brief(row.result));
  }
}

TEST_F(CodecWindow, ValidateIgnoresOtherControls) {
  show(1007, "2x2x2x");
  validateBitField(dialog, state, 1007);
  validateBitField(dialog, state, 1036);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(shown(1007), "2x2x2x");
}

// --- bitFieldsToValue and refreshFromBitFields ----------------------------------------------

struct RefreshRow {
  const char* name;
  int formatBytes;
  std::vector<std::string> fields;  // sign, exponent, fraction (high), low
  int edit;                         // the field the user then types into
  Encoding value;
  const char* label;
  bool listEnabled;
};

const std::vector<RefreshRow>& refreshRows() {
  // clang-format off
  static const std::vector<RefreshRow> rows = {
      {"b32 one", 4, {"0", "01111111", repeat('0', 23)}, 1027,
       0x3F800000, "Normalized Number: Real(4)", true},
      {"b32 negative zero", 4, {"1", "00000000", repeat('0', 23)}, 1026,
       0x80000000, "Signed Zero", true},
      {"b32 smallest subnormal", 4, {"0", "00000000", repeat('0', 22) + "1"}, 1028,
       0x00000001, "Denormalized Number", true},
      {"b32 -infinity", 4, {"1", "11111111", repeat('0', 23)}, 1027,
       0xFF800000, "Signed Infinity", false},
      {"b32 NaN", 4, {"0", "11111111", repeat('0', 22) + "1"}, 1028,
       0x7F800001, "Not-a-Number", false},
      {"b32 largest binade", 4, {"0", "11111110", repeat('1', 23)}, 1027,
       0x7F7FFFFF, "Normalized Number: Real(4)", true},
      // Blanks are skipped: what stands left of the gap moves one place down.
      {"b32 blank inside exponent", 4, {"0", "1000 000", repeat('0', 23)}, 1027,
       0x20000000, "Normalized Number: Real(4)", true},
      {"b32 exponent of 7 bits", 4, {"0", "1111111", repeat('0', 23)}, 1027,
       0x3F800000, "Normalized Number: Real(4)", true},
      {"b32 sign emptied", 4, {"", "01111111", repeat('0', 23)}, 1026,
       0x3F800000, "Normalized Number: Real(4)", true},
      {"b32 exponent emptied", 4, {"1", "", repeat('0', 23)}, 1027,
       0x00800000, "Normalized Number: Real(4)", true},
      {"b64 one", 8, {"0", "01111111111", repeat('0', 52)}, 1035,
       0x3FF0000000000000, "Normalized Number: Real(8)", true},
      {"b128 one", 16, {"0", "011111111111111", repeat('0', 48), repeat('0', 64)}, 1018,
       u128(0x3FFF000000000000, 0), "Normalized Number: Real(16)", true},
      {"b128 subnormal in the low part", 16,
       {"0", repeat('0', 15), repeat('0', 48), repeat('0', 63) + "1"}, 1018,
       1, "Denormalized Number", true},
      {"b128 subnormal in the high part", 16,
       {"1", repeat('0', 15), repeat('0', 47) + "1", repeat('0', 64)}, 1016,
       u128(0x8000000000000001, 0), "Denormalized Number", true},
  };
  // clang-format on
  return rows;
}

TEST_F(CodecWindow, RefreshAfterAChange) {
  for (const RefreshRow& row : refreshRows()) {
    SCOPED_TRACE(row.name);
    select(row.formatBytes);
    showFields(row.formatBytes, row.fields);
    // The user types the field's own text again.
    const FormatSpec& format = *formatSpec(row.formatBytes);
    const int edits[] = {format.signEdit, format.exponentEdit, format.fractionEdit,
                         format.fractionLowEdit};
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
      if (edits[i] == row.edit) type(row.edit, row.fields[i]);
    }
    EXPECT_EQ(hex(state.currentValue()), hex(row.value));
    EXPECT_EQ(shown(1036), row.label);
    EXPECT_EQ(listEnabled(), row.listEnabled);
  }
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(CodecWindow, RefreshOnFocusTouchesOnlyTheSelectedFormat) {
  state.value32 = 0x12345678;
  state.value128 = 77;
  select(8);
  showFields(8, {"1", "10000000000", "1" + repeat('0', 51)});
  focus(1033);
  EXPECT_EQ(hex(state.value64), hex(0xC008000000000000));
  EXPECT_EQ(hex(state.value32), hex(0x12345678));
  EXPECT_EQ(hex(state.value128), hex(77));
  EXPECT_EQ(shown(1036), "Normalized Number: Real(8)");
  EXPECT_EQ(shown(1007), "-3.0000000000000000D+00");
}

// A field that was never validated (its change not seen) still holds a stray character when
// it gets the focus: it counts as the '1' that the validation would put there, for the class
// and the value alike, and the field itself is left for its own validation.
TEST_F(CodecWindow, RefreshOfAFieldNotYetValidated) {
  showFields(4, {"0", "0111111x", repeat('0', 23)});
  focus(1027);
  EXPECT_EQ(hex(state.value32), hex(0x3F800000));
  EXPECT_EQ(shown(1036), "Normalized Number: Real(4)");
  EXPECT_TRUE(listEnabled());
  EXPECT_EQ(shown(1027), "0111111x");

  showFields(4, {"0", "1111111?", repeat('0', 23)});
  focus(1027);
  EXPECT_EQ(hex(state.value32), hex(0x7F800000));
  EXPECT_EQ(shown(1036), "Signed Infinity");
  EXPECT_FALSE(listEnabled());
  EXPECT_TRUE(platform.messageBoxes.empty());
}

// --- X text to bit fields -----------------------------------------------------------------

struct XRow {
  const char* name;
  int formatBytes;
  const char* x;
  std::vector<std::string> fields;
  Encoding value;  // stored value afterwards
};

const std::vector<XRow>& xRows() {
  // clang-format off
  static const std::vector<XRow> rows = {
      {"b32 1.5", 4, "1.5", {"0", "01111111", "1" + repeat('0', 22)}, 0x3FC00000},
      {"b64 -Infinity", 8, "-Infinity", {"1", repeat('1', 11), repeat('0', 52)},
       0x4000000000000000},
      {"b64 nan", 8, "nan", {"0", repeat('1', 11), repeat('1', 52)}, 0x4000000000000000},
      // No special word: the decimal parse reads a NaN with its sign bit set.
      {"b64 NAN", 8, "NAN", {"1", repeat('1', 11), "1" + repeat('0', 51)}, 0xFFF8000000000000},
      {"b64 (1) reads nothing", 8, "(1)", {"0", "10000000000", repeat('0', 52)},
       0x4000000000000000},
      {"b128 1.0", 16, "1.0", {"0", "011111111111111", repeat('0', 48), repeat('0', 64)},
       u128(0x3FFF000000000000, 0)},
      {"b128 -Inf", 16, "-Inf", {"1", repeat('1', 15), repeat('0', 48), repeat('0', 64)}, 0},
      {"b32 +nan", 4, "+nan", {"0", repeat('1', 8), repeat('1', 23)}, 0},
  };
  // clang-format on
  return rows;
}

TEST_F(CodecWindow, XTextToBitFields) {
  for (const XRow& row : xRows()) {
    SCOPED_TRACE(row.name);
    select(row.formatBytes);
    state.value32 = 0;
    state.value64 = 0x4000000000000000;
    state.value128 = 0;
    showFields(row.formatBytes, {"-", "-", "-", "-"});
    type(1007, row.x);
    const FormatSpec& format = *formatSpec(row.formatBytes);
    const int edits[] = {format.signEdit, format.exponentEdit, format.fractionEdit,
                         format.fractionLowEdit};
    for (std::size_t i = 0; i < row.fields.size(); ++i) EXPECT_EQ(shown(edits[i]), row.fields[i]);
    EXPECT_EQ(hex(state.currentValue()), hex(row.value));
    // Typing X neither classifies nor rewrites X.
    EXPECT_EQ(shown(1007), row.x);
    EXPECT_EQ(shown(1036), "");
  }
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(CodecWindow, RejectedXKeepsValueAndFields) {
  for (const char* x : {"abc", "1e400", "1.5abc"}) {
    SCOPED_TRACE(x);
    platform.messageBoxes.clear();
    select(8);
    state.value64 = 0x3FF0000000000000;
    showFields(8, {"0", "01111111111", repeat('0', 52)});
    type(1007, x);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Invalid Value");
    EXPECT_EQ(platform.messageBoxes[0].title, "Error");
    EXPECT_EQ(platform.messageBoxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(hex(state.value64), hex(0x3FF0000000000000));
    EXPECT_EQ(shown(1033), "01111111111");
    EXPECT_EQ(shown(1035), repeat('0', 52));
  }
}

TEST_F(CodecWindow, XTypedLeavesOtherFormatsFields) {
  showFields(4, {"1", "00000001", repeat('1', 23)});
  select(8);
  type(1007, "2.5");
  EXPECT_EQ(shown(1026), "1");
  EXPECT_EQ(shown(1027), "00000001");
  EXPECT_EQ(shown(1033), "10000000000");
}

// --- stored value to X ----------------------------------------------------------------------

TEST_F(CodecWindow, ValueToXText) {
  const struct {
    int formatBytes;
    Encoding value;
    const char* x;
  } rows[] = {
      {4, 0x3FC00000, "+1.5000000E+00"},
      {4, 0x80000000, "+0.0000000E+00"},
      {4, 0xFF800000, "-Infinity"},
      {4, 0xFFC00000, "NaN"},
      {8, 0x3FB999999999999A, "+1.0000000000000001D-01"},
      {16, u128(0x3FFF000000000000, 0), "+1.000000000000000000000000000000000D+000"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(hex(row.value));
    select(row.formatBytes);
    state.setCurrentValue(row.value);
    valueToXText(dialog, state);
    EXPECT_EQ(shown(1007), row.x);
  }
}

}  // namespace
}  // namespace orbalta
