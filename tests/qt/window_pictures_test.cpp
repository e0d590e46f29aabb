// The four windows rendered offscreen: geometry from dialog units, nothing clipped out of its
// window, and, with ORBALTA_SCREENSHOT_DIR set, a PNG of each window to look at.

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QPixmap>
#include <string>

#include "window_test_support.h"

namespace orbalta::testing {
namespace {

class WindowPicturesTest : public QtWindowTest {
 protected:
  void save(const Dialog& dialog, const char* name) {
    QWidget* window = widget(dialog);
    ASSERT_NE(window, nullptr);
    const QPixmap picture = window->grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), window->size());
    const QString dir = qEnvironmentVariable("ORBALTA_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(picture.save(dir + "/" + name + ".png"));
  }

  // Every control lies inside its window.
  void expectInside(const Dialog& dialog) {
    QWidget* window = widget(dialog);
    for (QWidget* child : window->findChildren<QWidget*>()) {
      if (!child->property("orbaltaControl").isValid()) continue;
      const QRect placed(child->mapTo(window, QPoint(0, 0)), child->size());
      EXPECT_TRUE(window->rect().contains(placed))
          << child->objectName().toStdString() << " leaves its window";
    }
  }
};

TEST_F(WindowPicturesTest, MainWindow) {
  Dialog main(toolkit);
  ASSERT_TRUE(DLGOPEN(101, main));
  DLGPUTSTATE(main, 1011, true);
  DLGPUTSTATE(main, 1045, true);
  DLGPUTTEXT(main, 1007, "0");
  DLGPUTTEXT(main, 1040, "");
  const int widths[][2] = {{1026, 1},  {1027, 8}, {1028, 23}, {1032, 1},  {1033, 11},
                           {1035, 52}, {1014, 1}, {1015, 15}, {1016, 48}, {1018, 64}};
  for (const auto& field : widths) DLGPUTNUMBER(main, field[0], field[1], ATTR_TEXT_LENGTH);
  for (int id : {1032, 1033, 1035, 1014, 1015, 1016, 1018, 1043, 1044}) {
    DLGPUTSTATE(main, id, false, ATTR_ENABLED);
  }
  DLGPUTTEXT(main, 1026, "0");
  DLGPUTTEXT(main, 1027, "00000000");
  DLGPUTTEXT(main, 1028, std::string(23, '0'));
  DLGPUTTEXT(main, 1032, "S");
  DLGPUTTEXT(main, 1033, "   Exponent");
  DLGPUTTEXT(main, 1035, "                         Fractie Semnificand (T)");
  for (const char* name : {"Exponent", "Semnificand", "ULP", "X+ = Nearest(x,+1.0)",
                           "X- = Nearest(x,-1.0)", "Epsilon"}) {
    DLGPUTTEXT(main, 1044, name, ATTR_APPEND_ITEM);
  }
  show(main);
  qt.setWindowIcon(main.window(), qt.loadIcon(104, qt.smallIconSize()));
  qt.setButtonImage(main.window(), 1042, qt.loadIcon(110, 32));
  qt.setButtonImage(main.window(), 1034, qt.loadIcon(109, 32));
  qt.setButtonImage(main.window(), 1041, qt.loadIcon(115, 48));
  expectInside(main);
  save(main, "main-101");
}

TEST_F(WindowPicturesTest, AuxiliaryWindows) {
  struct Row {
    int templateId;
    const char* name;
  };
  for (const Row& row : {Row{103, "about-103"}, Row{109, "info-109"}, Row{111, "summary-111"}}) {
    SCOPED_TRACE(row.name);
    Dialog dialog(toolkit);
    ASSERT_TRUE(DLGOPEN(row.templateId, dialog));
    if (row.templateId == 109) {
      DLGPUTTEXT(dialog, 1049,
                 "X = 2^E * b0.b1 ... bP-1\n\r\n\rulp(X) = 2^(E+1-P)\n\r\n\rX  +ulp(X)  = X+"
                 "\n\r\n\rX-  +ulp(X-) = X");
    }
    if (row.templateId == 111) {
      DLGPUTTEXT(dialog, 1052,
                 "- Not-a-Number (NaN):\r\n    E = Emax+1, T \x85 0\r\n- Signed infinity:\r\n"
                 "    E = Emax+1, T = 0");
    }
    show(dialog);
    expectInside(dialog);
    save(dialog, row.name);
    DLGEXIT(dialog);
  }
}

// On the desktop "MS Sans Serif" 8 gives dialog base units of 6 x 13 pixels at 96 dpi; its
// stand-in gives the same, so the main window keeps its size of 642 x 486 pixels.
TEST_F(WindowPicturesTest, MainWindowSizeFollowsTheFontsDialogUnits) {
  Dialog main(toolkit);
  ASSERT_TRUE(DLGOPEN(101, main));
  show(main);
  if (QFontInfo(widget(main)->font()).family() != "Liberation Sans") {
    GTEST_SKIP() << "Liberation Sans is not installed";
  }
  EXPECT_EQ(widget(main)->size(), QSize(642, 486));
  // Where the window shows them, whichever group box holds them.
  for (const auto& [id, placed] :
       {std::pair{1007, QRect(32, 41, 257, 20)}, std::pair{1044, QRect(300, 102, 137, 29)}}) {
    QWidget* c = control(main, id);
    EXPECT_EQ(QRect(c->mapTo(widget(main), QPoint(0, 0)), c->size()), placed) << id;
  }
}

}  // namespace
}  // namespace orbalta::testing
