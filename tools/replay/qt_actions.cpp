// Where on Qt's widgets a user's click lands, and a paste through the clipboard.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include "tools/replay/qt_driver.h"

namespace orbalta::replay {

namespace {

Point pointOf(QPoint p) {
  return Point{p.x(), p.y()};
}

// A check box or radio button reacts to clicks on its box and its caption; the box is the
// part that is always there, whatever the caption's width.
QPoint indicatorPoint(QAbstractButton& button, bool radio) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect box = button.style()->subElementRect(
      radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, &button);
  return box.isValid() && button.rect().contains(box.center()) ? box.center()
                                                               : button.rect().center();
}

}  // namespace

// Where to click in an edit so that the caret lands before character `position`: the middle
// of the stretch of x that the edit itself maps to that position (scrolling included).
std::optional<Point> QtDriver::caretPoint(platform::WindowHandle window, int id, int position) {
  auto* edit = qobject_cast<QLineEdit*>(qt_.controlWidget(window, id));
  if (edit == nullptr) return std::nullopt;
  const int y = edit->height() / 2;
  int first = -1;
  int last = -1;
  for (int x = 1; x < edit->width() - 1; ++x) {
    if (edit->cursorPositionAt(QPoint(x, y)) == position) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return std::nullopt;
  return Point{(first + last) / 2, y};
}

Point QtDriver::aimPoint(platform::WindowHandle window, int id) {
  QWidget* target = qt_.controlWidget(window, id);
  if (auto* view = qobject_cast<QAbstractItemView*>(target)) {
    return pointOf(view->viewport()->mapTo(view, view->viewport()->rect().center()));
  }
  if (auto* radio = qobject_cast<QRadioButton*>(target)) {
    return pointOf(indicatorPoint(*radio, true));
  }
  if (auto* check = qobject_cast<QCheckBox*>(target)) {
    return pointOf(indicatorPoint(*check, false));
  }
  return pointOf(target->rect().center());
}

std::optional<Point> QtDriver::itemPoint(platform::WindowHandle window, int id, int index) {
  auto* view = qobject_cast<QAbstractItemView*>(qt_.controlWidget(window, id));
  if (view == nullptr || view->model() == nullptr) return std::nullopt;
  const QModelIndex item = view->model()->index(index, 0, view->rootIndex());
  view->scrollTo(item);
  const QRect shown = view->visualRect(item).intersected(view->viewport()->rect());
  if (shown.isEmpty()) return std::nullopt;
  return pointOf(view->viewport()->mapTo(view, shown.center()));
}

std::optional<int> QtDriver::paste(const std::string& text) {
  QWindow* window = QGuiApplication::focusWindow();
  QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(platform::fromWindows1252(text)));
  int changes = 0;
  const auto counter = QObject::connect(edit, &QLineEdit::textEdited, [&changes] { ++changes; });
  QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
  QObject::disconnect(counter);
  return changes;
}

}  // namespace orbalta::replay
