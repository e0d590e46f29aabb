// Keyboard focus can be seen on every control that takes it: the control looks clearly
// different with the focus than without, in each of the four windows.

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "window_test_support.h"

namespace orbalta::testing {
namespace {

// How far a clear change runs across the picture: the larger share of its columns or of its
// rows that hold a pixel changed by at least a quarter of a colour channel. A faint tint, or a
// hint in the corners of a picture, stays well under a half.
double markedShare(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 1.0;
  std::vector<bool> columns(a.width()), rows(a.height());
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      const int most = std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                 std::abs(p.blue() - q.blue())});
      if (most >= 64) columns[x] = rows[y] = true;
    }
  }
  const auto share = [](const std::vector<bool>& marks) {
    return static_cast<double>(std::count(marks.begin(), marks.end(), true)) /
           static_cast<double>(marks.size());
  };
  return std::max(share(columns), share(rows));
}

class FocusCueTest : public QtWindowTest {
 protected:
  // Taking the focus by Tab changes `control` clearly across at least half its width or height.
  static void expectFocusSeen(QWidget* control, int inset = 0) {
    QWidget* window = control->window();
    // What a press of Tab or an arrow marks on the window; the style shows focus only then.
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    control->setEnabled(true);
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    const QRect placed(control->mapTo(window, QPoint(0, 0)), control->size());
    const QRect area = placed.adjusted(inset, inset, -inset, -inset);
    const QImage without = window->grab(area).toImage();
    control->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(control->hasFocus());
    const QImage with = window->grab(area).toImage();
    fprintf(stderr, "DBG %s %f\n", qPrintable(control->objectName()), markedShare(without, with));
    EXPECT_GE(markedShare(without, with), 0.5);
  }

  // Every control of `dialog` that Tab can reach, once enabled and shown.
  void expectEveryFocusSeen(Dialog& dialog, int expectedControls) {
    int checked = 0;
    for (QWidget* child : widget(dialog)->findChildren<QWidget*>()) {
      if (!child->property("orbaltaControl").isValid() || child->isHidden() ||
          child->focusPolicy() == Qt::NoFocus) {
        continue;
      }
      SCOPED_TRACE(child->objectName().toStdString());
      expectFocusSeen(child);
      ++checked;
    }
    EXPECT_EQ(checked, expectedControls);
  }

  void showWithPictures(Dialog& dialog) {
    show(dialog);
    if (&dialog != &main) return;
    qt.setButtonImage(main.window(), 1042, qt.loadIcon(110, 32));
    qt.setButtonImage(main.window(), 1034, qt.loadIcon(109, 32));
    qt.setButtonImage(main.window(), 1041, qt.loadIcon(115, 48));
  }

  Dialog main{toolkit};
};

TEST_F(FocusCueTest, MainWindowWithTheParameterList) {
  ASSERT_TRUE(DLGOPEN(101, main));
  for (const char* item : {"Exponent", "Semnificand", "ULP"}) {
    ASSERT_TRUE(DLGPUTTEXT(main, 1044, item, ATTR_APPEND_ITEM));
  }
  DLGPUTTEXT(main, 1036, "Signed Zero");
  showWithPictures(main);
  // Edits (read-only ones too), radios, the check box, text and picture buttons, the list.
  expectEveryFocusSeen(main, 30);
  // On the image itself: the frame the style lights up peeks out only at its edge.
  for (int picture : {1034, 1042}) {
    SCOPED_TRACE(picture);
    expectFocusSeen(control(main, picture), 3);
  }
}

TEST_F(FocusCueTest, EmptyList) {
  ASSERT_TRUE(DLGOPEN(101, main));
  show(main);
  expectFocusSeen(control(main, 1044));
}

TEST_F(FocusCueTest, SummaryInfoAndAboutWindows) {
  const struct {
    int templateId;
    int controls;
  } rows[] = {{111, 2}, {109, 1}, {103, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.templateId);
    Dialog dialog(toolkit);
    ASSERT_TRUE(DLGOPEN(row.templateId, dialog));
    showWithPictures(dialog);
    expectEveryFocusSeen(dialog, row.controls);
  }
}

}  // namespace
}  // namespace orbalta::testing
