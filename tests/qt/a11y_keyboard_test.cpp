// The keyboard alone: radio groups are reached by Tab at their checked button, and the
// parameter list reports every selection the arrows make.

#include <vector>

#include "window_test_support.h"

namespace orbalta::testing {
namespace {

class A11yKeyboardTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    ASSERT_TRUE(DLGOPEN(101, main));
  }

  int focusedId() const {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != widget(main)) return 0;
    return focus->property("orbaltaControl").toInt();
  }

  std::vector<int> keysFrom(int start, Qt::Key key, int presses) {
    control(main, start)->setFocus(Qt::OtherFocusReason);
    std::vector<int> order{focusedId()};
    for (int i = 0; i < presses; ++i) {
      QTest::keyClick(QApplication::focusWidget(), key);
      order.push_back(focusedId());
    }
    return order;
  }

  Dialog main{toolkit};
};

TEST_F(A11yKeyboardTest, TabReachesEachRadioGroupAtItsCheckedButton) {
  struct Row {
    const char* name;
    std::vector<int> checked;
    int start;
    std::vector<int> order;
  };
  const Row rows[] = {
      {"start-up checks", {1011, 1045}, 1007, {1007, 1011, 1014, 1015}},
      {"binary128", {1013, 1045}, 1007, {1007, 1013, 1014}},
      {"scope at the end of the order", {1011, 1045}, 1034, {1034, 1045, 30001, 2, 1007, 1011}},
      {"current field", {1011, 1046}, 1034, {1034, 1046, 30001}},
  };
  show(main);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (int radio : {1011, 1012, 1013, 1045, 1046}) ASSERT_TRUE(DLGPUTSTATE(main, radio, false));
    for (int radio : row.checked) ASSERT_TRUE(DLGPUTSTATE(main, radio, true));
    EXPECT_EQ(keysFrom(row.start, Qt::Key_Tab, static_cast<int>(row.order.size()) - 1), row.order);
  }
}

TEST_F(A11yKeyboardTest, ArrowsCarryTheTabStopWithTheCheck) {
  std::vector<int> clicked;
  for (int radio : {1011, 1012, 1013}) {
    ASSERT_TRUE(DLGHANDLER(main, radio, [&](Dialog&, int c, int) { clicked.push_back(c); }));
  }
  ASSERT_TRUE(DLGPUTSTATE(main, 1011, true));
  show(main);
  // Down wraps from the last radio of the group to its first.
  EXPECT_EQ(keysFrom(1011, Qt::Key_Down, 3), (std::vector<int>{1011, 1012, 1013, 1011}));
  EXPECT_EQ(clicked, (std::vector<int>{1012, 1013, 1011}));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  bool checked = false;
  ASSERT_TRUE(DLGREADSTATE(main, 1013, checked));
  EXPECT_TRUE(checked);
  EXPECT_EQ(keysFrom(1007, Qt::Key_Tab, 2), (std::vector<int>{1007, 1013, 1014}));
  EXPECT_EQ(keysFrom(1014, Qt::Key_Backtab, 2), (std::vector<int>{1014, 1013, 1007}));
}

TEST_F(A11yKeyboardTest, ListReportsEverySelectionTheKeysMake) {
  for (const char* item : {"Exponent", "Semnificand", "ULP", "X+ = Nearest(x,+1.0)",
                           "X- = Nearest(x,-1.0)", "Epsilon"}) {
    ASSERT_TRUE(DLGPUTTEXT(main, 1044, item, ATTR_APPEND_ITEM));
  }
  std::vector<int> reported;
  ASSERT_TRUE(DLGHANDLER(main, 1044, [&](Dialog& d, int, int event) {
    int selection = 0;
    DLGREADNUMBER(d, 1044, selection, 1);
    reported.push_back(event == EVT_SELECTION ? selection : -100);
  }));
  show(main);
  control(main, 1044)->setFocus(Qt::TabFocusReason);
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Up, Qt::Key_Home,
                      Qt::Key_Up}) {
    QTest::keyClick(control(main, 1044), key);
  }
  // The first Down leaves the item the focus rests on, the first; Up at the top changes nothing.
  EXPECT_EQ(reported, (std::vector<int>{2, 3, 2, 6, 5, 1}));
}

}  // namespace
}  // namespace orbalta::testing
