// The Qt widgets behind the toolkit, driven as a user would: which actions reach handlers,
// what the program's writes do not raise, edit rules, radio groups, lists and texts.

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include "support/outside_code_page.h"
#include "window_test_support.h"

namespace orbalta::testing {
namespace {

struct Call {
  int id;
  int event;
  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Call& call) {
  return out << "{" << call.id << ", " << call.event << "}";
}

class QtControlsTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    ASSERT_TRUE(DLGOPEN(101, main));
  }

  Handler record() {
    return [this](Dialog&, int id, int event) { calls.push_back({id, event}); };
  }
  QLineEdit* edit(int id) { return qobject_cast<QLineEdit*>(control(main, id)); }
  std::string text(int id, std::size_t length) {
    FixedText buffer(length);
    EXPECT_TRUE(DLGREADTEXT(main, id, buffer));
    return std::string(buffer.view());
  }
  int number(int id, int attr) {
    int value = -1;
    EXPECT_TRUE(DLGREADNUMBER(main, id, value, attr));
    return value;
  }
  bool checked(int id) {
    bool value = false;
    EXPECT_TRUE(DLGREADSTATE(main, id, value, ATTR_CHECKED));
    return value;
  }
  // Clicks into an edit so that the caret lands before character `position`.
  void clickAt(QLineEdit* line, int position) {
    // The middle of the strip of points that put the caret there.
    const int y = line->height() / 2;
    int first = -1;
    int last = -1;
    for (int x = 0; x < line->width(); ++x) {
      if (line->cursorPositionAt(QPoint(x, y)) != position) continue;
      if (first < 0) first = x;
      last = x;
    }
    ASSERT_GE(first, 0) << "no point puts the caret at " << position;
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint((first + last) / 2, y));
  }

  Dialog main{toolkit};
  std::vector<Call> calls;
};

TEST_F(QtControlsTest, TypingRaisesOneChangePerKeystroke) {
  std::vector<std::string> seen;
  ASSERT_TRUE(DLGHANDLER(main, 1007, [&](Dialog&, int, int event) {
    if (event == EVT_CHANGED) seen.push_back(text(1007, 4));
  }));
  show(main);
  QTest::mouseClick(edit(1007), Qt::LeftButton);
  QTest::keyClicks(edit(1007), "2.5");
  EXPECT_EQ(seen, (std::vector<std::string>{"2   ", "2.  ", "2.5 "}));
  QTest::keyClick(edit(1007), Qt::Key_Backspace);
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen.back(), "2.  ");
  QTest::keyClick(edit(1007), Qt::Key_Left);  // moves the caret, changes nothing
  EXPECT_EQ(seen.size(), 4u);
}

TEST_F(QtControlsTest, ProgramWritesRaiseNothing) {
  for (int id : {1007, 1028}) ASSERT_TRUE(DLGHANDLER(main, id, record()));
  for (int id : {1026, 1027, 1028}) ASSERT_TRUE(DLGHANDLER(main, id, record(), EVT_FOCUS_GAINED));
  for (int id : {1011, 1012, 1013, 1043}) ASSERT_TRUE(DLGHANDLER(main, id, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1044, record()));
  show(main);
  QTest::mouseClick(edit(1028), Qt::LeftButton);
  ASSERT_EQ(calls, (std::vector<Call>{{1028, EVT_FOCUS_GAINED}}));
  calls.clear();

  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "1.5"));
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "101"));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1028, 23, ATTR_TEXT_LENGTH));
  ASSERT_TRUE(DLGPUTSTATE(main, 1012, true));
  ASSERT_TRUE(DLGPUTSTATE(main, 1012, false));
  ASSERT_TRUE(DLGPUTSTATE(main, 1043, true));
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "Exponent", ATTR_APPEND_ITEM));
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "ULP", ATTR_APPEND_ITEM));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 2, 1));
  // Disabling the focused edit moves the focus on: no focus event either.
  ASSERT_TRUE(DLGPUTSTATE(main, 1028, false, ATTR_ENABLED));
  EXPECT_TRUE(calls.empty()) << calls.size() << " events, first " << calls.front();

  EXPECT_EQ(edit(1007)->text(), "1.5");
  EXPECT_EQ(edit(1028)->text(), QString("101") + QString(20, ' '));
  EXPECT_TRUE(qobject_cast<QRadioButton*>(control(main, 1011))->isChecked());
  EXPECT_EQ(qobject_cast<QListWidget*>(control(main, 1044))->currentRow(), 1);
}

TEST_F(QtControlsTest, DeferredWriteInsideTheHandlerShowsWhenItReturns) {
  std::vector<QString> live;
  ASSERT_TRUE(DLGHANDLER(main, 1007, [&](Dialog& d, int, int event) {
    calls.push_back({1007, event});
    DLGPUTTEXT(d, 1007, "0");
    live.push_back(edit(1007)->text());
  }));
  show(main);
  QTest::mouseClick(edit(1007), Qt::LeftButton);
  QTest::keyClick(edit(1007), Qt::Key_7);
  EXPECT_EQ(live, (std::vector<QString>{"7"}));
  EXPECT_EQ(edit(1007)->text(), "0");
  EXPECT_EQ(calls, (std::vector<Call>{{1007, EVT_CHANGED}}));
}

TEST_F(QtControlsTest, CaretAfterAClickBetweenSecondAndThirdCharacter) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "10110011"));
  show(main);
  clickAt(edit(1028), 2);
  EXPECT_EQ(number(1028, ATTR_CURSOR), 2);
  // With a selection, the end of the selection.
  edit(1028)->setSelection(1, 4);
  EXPECT_EQ(number(1028, ATTR_CURSOR), 5);
  edit(1028)->setSelection(6, -4);
  EXPECT_EQ(number(1028, ATTR_CURSOR), 6);
}

TEST_F(QtControlsTest, CursorWrittenByTheProgramIsShown) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "10110011"));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1028, 3, ATTR_CURSOR));
  show(main);
  EXPECT_EQ(edit(1028)->cursorPosition(), 3);
  EXPECT_FALSE(edit(1028)->hasSelectedText());
}

TEST_F(QtControlsTest, DigitsOnlyEditsRefuseOtherTypedCharacters) {
  struct Row {
    int id;
    const char* typed;
    const char* shown;
  };
  const Row rows[] = {
      {1027, "1a0 -9", "109"}, {1033, "x01.", "01"}, {1015, "11+1", "111"},
      {1028, "1a0", "1a0"},  // a fraction edit takes anything; the program checks it
      {1026, "-", "-"},
  };
  show(main);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    int changes = 0;
    ASSERT_TRUE(DLGHANDLER(main, row.id, [&](Dialog&, int, int) { ++changes; }));
    QTest::mouseClick(edit(row.id), Qt::LeftButton);
    QTest::keyClicks(edit(row.id), row.typed);
    EXPECT_EQ(text(row.id, 8), FixedText(8, row.shown).view());
    EXPECT_EQ(changes, static_cast<int>(std::string(row.shown).size()));
  }
}

TEST_F(QtControlsTest, DigitsOnlyEditsStillTakeEditingKeysAndPaste) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1027, "0101"));
  show(main);
  QTest::mouseClick(edit(1027), Qt::LeftButton);
  QTest::keyClick(edit(1027), Qt::Key_End);
  QTest::keyClick(edit(1027), Qt::Key_Backspace);
  EXPECT_EQ(edit(1027)->text(), "010");
  QGuiApplication::clipboard()->setText("1x");
  QTest::keyClick(edit(1027), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit(1027)->text(), "0101x") << "only typing is refused, as on the desktop";
}

TEST_F(QtControlsTest, ReadOnlyEditsTakeNoTyping) {
  ASSERT_TRUE(DLGHANDLER(main, 1019, record()));
  show(main);
  QTest::mouseClick(edit(1019), Qt::LeftButton);
  QTest::keyClicks(edit(1019), "12");
  EXPECT_EQ(edit(1019)->text(), "");
  EXPECT_TRUE(calls.empty());
}

TEST_F(QtControlsTest, RadioGroupsAreIndependentAndArrowsMoveWithinAGroup) {
  for (int id : {1011, 1012, 1013, 1045, 1046}) ASSERT_TRUE(DLGHANDLER(main, id, record()));
  ASSERT_TRUE(DLGPUTSTATE(main, 1011, true));
  ASSERT_TRUE(DLGPUTSTATE(main, 1045, true));
  show(main);
  auto* r1012 = qobject_cast<QRadioButton*>(control(main, 1012));
  QTest::mouseClick(r1012, Qt::LeftButton);
  EXPECT_FALSE(checked(1011));
  EXPECT_TRUE(checked(1012));
  EXPECT_FALSE(checked(1013));
  EXPECT_TRUE(checked(1045)) << "the other group is left alone";
  ASSERT_TRUE(r1012->hasFocus());

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_TRUE(checked(1013));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_TRUE(checked(1011)) << "wraps to the first of the group";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_TRUE(checked(1013));
  EXPECT_FALSE(checked(1011));
  EXPECT_FALSE(checked(1012));
  EXPECT_TRUE(checked(1045));
  EXPECT_EQ(
      calls,
      (std::vector<Call>{
          {1012, EVT_CLICKED}, {1013, EVT_CLICKED}, {1011, EVT_CLICKED}, {1013, EVT_CLICKED}}));

  QTest::mouseClick(control(main, 1046), Qt::LeftButton);
  EXPECT_TRUE(checked(1046));
  EXPECT_FALSE(checked(1045));
  EXPECT_TRUE(checked(1013));
}

TEST_F(QtControlsTest, ListClicksReportEverySelectionAndProgramSelectionsNone) {
  for (const char* item : {"Exponent", "Semnificand", "ULP"}) {
    ASSERT_TRUE(DLGPUTTEXT(main, 1044, item, ATTR_APPEND_ITEM));
  }
  ASSERT_TRUE(DLGHANDLER(main, 1044, record()));
  show(main);
  auto* list = qobject_cast<QListWidget*>(control(main, 1044));
  EXPECT_EQ(number(1044, 1), 0);
  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 3, 1));
  EXPECT_TRUE(calls.empty());
  list->scrollToItem(list->item(1));
  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
  EXPECT_EQ(number(1044, 1), 2);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
  EXPECT_EQ(calls, (std::vector<Call>{{1044, EVT_SELECTION}, {1044, EVT_SELECTION}}))
      << "a click on the selected item is reported again";
  FixedText item(11);
  ASSERT_TRUE(DLGREADTEXT(main, 1044, item, ATTR_CHECKED));
  EXPECT_EQ(item.view(), "Semnificand");
}

TEST_F(QtControlsTest, PushButtonsReportClicksOnlyWhileEnabled) {
  ASSERT_TRUE(DLGHANDLER(main, 1029, record()));
  show(main);
  QTest::mouseClick(control(main, 1029), Qt::LeftButton);
  ASSERT_TRUE(DLGPUTSTATE(main, 1029, false, ATTR_ENABLED));
  QTest::mouseClick(control(main, 1029), Qt::LeftButton);
  EXPECT_EQ(calls, (std::vector<Call>{{1029, EVT_CLICKED}}));
}

TEST_F(QtControlsTest, TextsRoundTripAsWindows1252) {
  const std::string ellipsis = "Not-a-Number\x85 (NaN)\r\nline 2";
  const std::string info = "X = 2^E\n\r\n\rulp(X) = 2^(E+1-P)";
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  ASSERT_TRUE(DLGPUTTEXT(summary, 1052, ellipsis));
  ASSERT_TRUE(DLGPUTTEXT(summary, 1053, info));
  show(summary);
  EXPECT_EQ(qt.text(summary.window(), 1052), ellipsis);
  EXPECT_EQ(qt.text(summary.window(), 1053), info);
  auto* label = qobject_cast<QLabel*>(control(summary, 1052));
  EXPECT_EQ(label->text(), QString::fromUtf8("Not-a-Number\u2026 (NaN)\nline 2"));
  EXPECT_EQ(qobject_cast<QLabel*>(control(summary, 1053))->text(), "X = 2^E\n\nulp(X) = 2^(E+1-P)");
  FixedText buffer(ellipsis.size());
  ASSERT_TRUE(DLGREADTEXT(summary, 1052, buffer));
  EXPECT_EQ(buffer.view(), ellipsis);

  show(main);
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "\x80\x85\xE9"));
  EXPECT_EQ(edit(1007)->text(), QString::fromUtf8("\u20AC\u2026\u00E9"));
  EXPECT_EQ(text(1007, 3), "\x80\x85\xE9");
  DLGEXIT(summary);
}

// The same bytes as on every platform: '?' for each unit outside the code page.
TEST_F(QtControlsTest, TypedCharactersOutsideTheCodePageReadAsQuestionMarks) {
  show(main);
  for (const test::OutsideCodePage& row : test::kOutsideCodePage) {
    SCOPED_TRACE(row.name);
    edit(1007)->setText(QString::fromStdU16String(row.typed));
    EXPECT_EQ(qt.text(main.window(), 1007), row.read);
  }
}

TEST_F(QtControlsTest, TheWindowOfATemplateIsTheNewestOpenOne) {
  show(main);
  const platform::WindowHandle older = main.window();
  Dialog second(toolkit);
  ASSERT_TRUE(DLGOPEN(101, second));
  ASSERT_TRUE(DLGMODELESS(second, 1));
  EXPECT_EQ(qt.windowOfTemplate(101), second.window());
  DLGEXIT(second);
  EXPECT_EQ(qt.windowOfTemplate(101), older);
}

TEST_F(QtControlsTest, WindowsOfTheTemplatesShowTheirTitlesAndHideTheirCancelButtons) {
  struct Row {
    int templateId;
    const char* title;
  };
  const Row rows[] = {
      {103, "About Program"},
      {109, "Info"},
      {111, "Date in Virgula Flotanta - Sumar"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.templateId);
    Dialog dialog(toolkit);
    ASSERT_TRUE(DLGOPEN(row.templateId, dialog));
    show(dialog);
    EXPECT_EQ(widget(dialog)->windowTitle(), row.title);
    EXPECT_FALSE(control(dialog, 2)->isVisible());
    EXPECT_TRUE(control(dialog, 1)->isVisible());
    EXPECT_TRUE(qobject_cast<QPushButton*>(control(dialog, 1))->isDefault());
    DLGEXIT(dialog);
  }
  show(main);
  EXPECT_EQ(widget(main)->windowTitle(), "Orbalta (Format Binar)");
  EXPECT_TRUE(control(main, 2)->isVisible());
  EXPECT_EQ(qobject_cast<QPushButton*>(control(main, 2))->text(), "CANCEL");
  EXPECT_EQ(widget(main)->objectName(), "dlg101");
  EXPECT_EQ(control(main, 1007)->objectName(), "ctl1007");
}

TEST_F(QtControlsTest, ImageButtonsShowTheirIconInsteadOfTheCaption) {
  show(main);
  auto* about = qobject_cast<QPushButton*>(control(main, 1041));
  EXPECT_TRUE(about->text().isEmpty());
  EXPECT_EQ(qt.text(main.window(), 1041), "ABOUT");
  const platform::IconHandle icon = qt.loadIcon(115, 48);
  if (icon == 0) GTEST_SKIP() << "icon 115 not available yet";
  qt.setButtonImage(main.window(), 1041, icon);
  EXPECT_EQ(about->iconSize(), QSize(48, 48));
  EXPECT_FALSE(about->icon().isNull());
}

TEST_F(QtControlsTest, IconsLoadAtTheRequestedSize) {
  struct Row {
    int id;
    int size;
  };
  for (const Row& row : {Row{104, 16}, Row{109, 32}, Row{110, 32}, Row{115, 48}}) {
    SCOPED_TRACE(row.id);
    if (resources::icon(row.id).empty()) GTEST_SKIP() << "icons not available yet";
    EXPECT_NE(qt.loadIcon(row.id, row.size), 0u);
  }
  EXPECT_EQ(qt.loadIcon(4711, 32), 0u);
}

TEST_F(QtControlsTest, TheTapTakesTheMessageBox) {
  expectMessages = true;
  tap.messageBox("Invalid Value", "Error", platform::MessageIcon::Error);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Invalid Value");
  EXPECT_EQ(messages[0].title, "Error");
  EXPECT_EQ(messages[0].icon, platform::MessageIcon::Error);
}

TEST_F(QtControlsTest, UnsupportedControlsAreReportedInAMessageBox) {
  expectMessages = true;
  const char* script = R"rc(
300 DIALOGEX 0, 0, 100, 60
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "Odd"
FONT 8, "MS Sans Serif", 400, 0, 0x0
BEGIN
    CONTROL         "user",9,"Button",BS_USERBUTTON,10,10,30,12
    PUSHBUTTON      "OK",1,10,40,30,12
END
)rc";
  Toolkit other(tap, script);
  Dialog odd(other);
  ASSERT_TRUE(DLGOPEN(300, odd));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Error");
  EXPECT_NE(messages[0].text.find("BS_USERBUTTON"), std::string::npos);
  show(odd);
  EXPECT_EQ(control(odd, 9), nullptr);
  EXPECT_NE(control(odd, 1), nullptr);
  DLGEXIT(odd);
}

}  // namespace
}  // namespace orbalta::testing
