// Dialog keys on real windows: the tab order of the main window, Esc and Enter in every
// window, modal runs, and the routing of keys through the message loop.

#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "window_test_support.h"

namespace orbalta::testing {
namespace {

class QtKeyboardTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    ASSERT_TRUE(DLGOPEN(101, main));
  }

  // The control id that has the focus in `dialog`, 0 when none of its controls has it.
  int focusedId(const Dialog& dialog) const {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != widget(dialog)) return 0;
    const QVariant id = focus->property("orbaltaControl");
    return id.isValid() ? id.toInt() : 0;
  }

  std::vector<int> tabFrom(int start, int presses, Qt::KeyboardModifiers modifiers = {}) {
    control(main, start)->setFocus(Qt::OtherFocusReason);
    std::vector<int> order{focusedId(main)};
    for (int i = 0; i < presses; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
      order.push_back(focusedId(main));
    }
    return order;
  }

  // Runs `user` once the modal window of `templateId` is up, then DLGMODAL returns.
  int runModal(Dialog& dialog, int templateId, std::function<void(QWidget*)> user) {
    QTimer::singleShot(0, [this, templateId, user] {
      QWidget* window = qt.windowWidget(qt.windowOfTemplate(templateId));
      if (window == nullptr || !QTest::qWaitForWindowActive(window)) {
        ADD_FAILURE() << "modal window " << templateId << " did not come up";
        return;
      }
      user(window);
    });
    return DLGMODAL(dialog);
  }

  Dialog main{toolkit};
};

TEST_F(QtKeyboardTest, TabOrderOfTheMainWindow) {
  show(main);
  const std::vector<int> all = {1007, 1014, 1015, 1016, 1018, 1026,  1027, 1028, 1032,
                                1033, 1035, 1029, 1030, 1031, 1036,  1008, 1041, 1042,
                                1019, 1020, 1043, 1044, 1034, 30001, 2,    1007};
  EXPECT_EQ(tabFrom(1007, static_cast<int>(all.size()) - 1), all);

  std::vector<int> backwards(all.rbegin(), all.rend());
  EXPECT_EQ(tabFrom(1007, static_cast<int>(all.size()) - 1, Qt::ShiftModifier), backwards);
}

TEST_F(QtKeyboardTest, TabSkipsDisabledControlsAsAtStartUp) {
  // Start-up: binary32 selected, the other formats' fields, 1043 and 1044 disabled.
  for (int id : {1032, 1033, 1035, 1014, 1015, 1016, 1018, 1043, 1044}) {
    ASSERT_TRUE(DLGPUTSTATE(main, id, false, ATTR_ENABLED));
  }
  show(main);
  const std::vector<int> expected = {1007, 1026, 1027, 1028, 1029, 1030,  1031, 1036, 1008,
                                     1041, 1042, 1019, 1020, 1034, 30001, 2,    1007};
  EXPECT_EQ(tabFrom(1007, static_cast<int>(expected.size()) - 1), expected);
}

TEST_F(QtKeyboardTest, TabIntoAnEditRaisesFocusGained) {
  std::vector<int> focused;
  for (int id : {1026, 1027, 1028}) {
    ASSERT_TRUE(DLGHANDLER(
        main, id, [&](Dialog&, int c, int) { focused.push_back(c); }, EVT_FOCUS_GAINED));
  }
  show(main);
  tabFrom(1018, 3);
  EXPECT_EQ(focused, (std::vector<int>{1026, 1027, 1028}));
}

TEST_F(QtKeyboardTest, EscClosesTheMainWindowAndEndsTheLoop) {
  std::vector<int> events;
  ASSERT_TRUE(DLGHANDLER(main, 101, [&](Dialog& d, int, int event) {
    events.push_back(event);
    if (event == EVT_DESTROY) d.toolkit().platform().postQuit(0);
  }));
  show(main);
  QTimer::singleShot(0, [this] {
    control(main, 1007)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  EXPECT_EQ(toolkit.runMessageLoop(), 0);
  EXPECT_EQ(main.window(), 0u);
  EXPECT_EQ(main.returnValue(), 2);
  EXPECT_EQ(events, (std::vector<int>{EVT_INIT, EVT_DESTROY}));
}

TEST_F(QtKeyboardTest, CloseBoxAndButtonsCloseTheMainWindow) {
  struct Row {
    const char* name;
    std::function<void()> act;
    int result;
  };
  const Row rows[] = {
      {"close box", [this] { widget(main)->close(); }, 2},
      {"IESIRE", [this] { QTest::mouseClick(control(main, 30001), Qt::LeftButton); }, 30001},
      {"CANCEL", [this] { QTest::mouseClick(control(main, 2), Qt::LeftButton); }, 2},
      {"Space on IESIRE",
       [this] {
         control(main, 30001)->setFocus();
         QTest::keyClick(control(main, 30001), Qt::Key_Space);
       },
       30001},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    show(main);
    row.act();
    EXPECT_EQ(main.window(), 0u);
    EXPECT_EQ(main.returnValue(), row.result);
  }
}

TEST_F(QtKeyboardTest, EnterInTheMainWindowDoesNothing) {
  int handlerCalls = 0;
  for (int id : {30001, 2, 1029}) {
    ASSERT_TRUE(DLGHANDLER(main, id, [&](Dialog&, int, int) { ++handlerCalls; }));
  }
  show(main);
  for (int id : {1007, 1029, 30001}) {
    SCOPED_TRACE(id);
    control(main, id)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  }
  EXPECT_NE(main.window(), 0u);
  EXPECT_TRUE(widget(main)->isVisible());
  EXPECT_EQ(handlerCalls, 0);
}

TEST_F(QtKeyboardTest, EnterAndEscCloseTheModalWindows) {
  struct Row {
    int templateId;
    Qt::Key key;
    int result;
  };
  const Row rows[] = {
      {103, Qt::Key_Return, 1}, {109, Qt::Key_Return, 1}, {103, Qt::Key_Escape, 2},
      {109, Qt::Key_Escape, 2}, {109, Qt::Key_Enter, 1},
  };
  show(main);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.templateId);
    Dialog dialog(toolkit);
    ASSERT_TRUE(DLGOPEN(row.templateId, dialog));
    const int result = runModal(dialog, row.templateId, [&](QWidget* window) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
      QTest::keyClick(target, row.key);
    });
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(dialog.window(), 0u);
    EXPECT_EQ(qt.windowOfTemplate(row.templateId), 0u);
  }
}

TEST_F(QtKeyboardTest, ModalWindowBlocksItsOwnerAndIsOwnedByTheRunningDialog) {
  show(main);
  Dialog info(toolkit);
  bool ownerBlocked = false;
  int result = -2;
  ASSERT_TRUE(DLGHANDLER(main, 1042, [&](Dialog&, int, int) {
    DLGOPEN(109, info);
    result = runModal(info, 109, [&](QWidget* window) {
      ownerBlocked =
          window->parentWidget() == widget(main) && QApplication::activeModalWidget() == window;
      QTest::mouseClick(control(info, 1), Qt::LeftButton);
    });
  }));
  QTest::mouseClick(control(main, 1042), Qt::LeftButton);
  EXPECT_TRUE(ownerBlocked);
  EXPECT_EQ(result, 1);
  EXPECT_NE(main.window(), 0u);
}

TEST_F(QtKeyboardTest, EnterClosesTheSummaryWindowWithItsDefaultButton) {
  show(main);
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  show(summary);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(summary.window(), 0u);
  EXPECT_EQ(summary.returnValue(), 1);
  EXPECT_NE(main.window(), 0u);
}

TEST_F(QtKeyboardTest, ModelessSecondShowBringsTheSameWindowForward) {
  show(main);
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  show(summary);
  const platform::WindowHandle first = summary.window();
  widget(main)->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(widget(main)));
  ASSERT_TRUE(DLGMODELESS(summary));
  EXPECT_EQ(summary.window(), first);
  EXPECT_TRUE(QTest::qWaitForWindowActive(widget(summary)));
}

TEST_F(QtKeyboardTest, KeysAreRoutedToTheActiveModelessWindowInTheLoop) {
  show(main);
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  std::vector<bool> routed;
  std::vector<int> focus;
  QTimer::singleShot(0, [&] {
    routed.push_back(DLGROUTEMESSAGE(toolkit, {main.window(), platform::DialogKey::Tab}));
    control(main, 1007)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    focus.push_back(focusedId(main));
    show(summary);
    routed.push_back(DLGROUTEMESSAGE(toolkit, {main.window(), platform::DialogKey::Tab}));
    routed.push_back(DLGROUTEMESSAGE(toolkit, {summary.window(), platform::DialogKey::Tab}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    routed.push_back(summary.window() == 0);
    qt.postQuit(7);
  });
  EXPECT_EQ(toolkit.runMessageLoop(), 7);
  EXPECT_EQ(routed, (std::vector<bool>{true, false, true, true}));
  EXPECT_EQ(focus, std::vector<int>{1014});
}

TEST_F(QtKeyboardTest, QuitPostedBeforeTheLoopEndsItAtOnce) {
  qt.postQuit(3);
  EXPECT_EQ(toolkit.runMessageLoop(), 3);
}

}  // namespace
}  // namespace orbalta::testing
