// The user's actions on Qt: each one a real click or key press that reaches whatever the
// window system would deliver it to.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include "tools/replay/qt_driver.h"

namespace orbalta::replay {

namespace {

// Where to click in an edit so that the caret lands before character `position`: the middle
// of the stretch of x that the edit itself maps to that position (scrolling included).
std::optional<QPoint> caretPoint(QLineEdit& edit, int position) {
  const int y = edit.height() / 2;
  int first = -1;
  int last = -1;
  for (int x = 1; x < edit.width() - 1; ++x) {
    if (edit.cursorPositionAt(QPoint(x, y)) == position) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return std::nullopt;
  return QPoint((first + last) / 2, y);
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

// The point of a control other than an edit that a click aims at, and the widget it reaches.
QPoint buttonPoint(QWidget*& target) {
  if (auto* view = qobject_cast<QAbstractItemView*>(target)) {
    target = view->viewport();
  } else if (auto* radio = qobject_cast<QRadioButton*>(target)) {
    return indicatorPoint(*radio, true);
  } else if (auto* check = qobject_cast<QCheckBox*>(target)) {
    return indicatorPoint(*check, false);
  }
  return target->rect().center();
}

}  // namespace

void QtDriver::click(int line, const ControlRef& control, std::optional<int> caretWanted) {
  const Found found = find(line, control);
  const std::string name = "control " + controlText(control);
  checkNotBlocked(line, found.top, control.window);
  if (!found.widget->isVisible()) fail(line, name + " is hidden");
  activate(line, found.top);

  QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(found.widget);
  if (caretWanted && edit == nullptr) {
    fail(line, "a caret position needs an edit box; " + name + " is not one");
  }
  QWidget* target = found.widget;
  QPoint point;
  int caret = -1;
  if (edit != nullptr) {
    const int length = static_cast<int>(edit->text().size());
    caret = caretWanted.value_or(length);
    if (caret > length) {
      fail(line, name + " holds " + std::to_string(length) + " characters, fewer than " +
                     std::to_string(caret));
    }
    const std::optional<QPoint> at = caretPoint(*edit, caret);
    if (!at)
      fail(line, "position " + std::to_string(caret) + " of " + name + " is scrolled out of view");
    point = *at;
  } else {
    point = buttonPoint(target);
  }
  const bool checkCaret = edit != nullptr && edit->isEnabled();
  mouseClick(line, target, point, name);

  if (checkCaret && edit != nullptr && !host_->quitPosted()) {
    if (!edit->hasFocus()) fail(line, name + " did not take the focus");
    if (edit->cursorPosition() != caret || edit->hasSelectedText()) {
      fail(line, "the caret landed at " + std::to_string(edit->cursorPosition()) +
                     (edit->hasSelectedText() ? " with a selection" : "") + ", not at " +
                     std::to_string(caret));
    }
  }
}

void QtDriver::select(int line, const ControlRef& control, int item) {
  const Found found = find(line, control);
  const std::string name = "control " + controlText(control);
  auto* view = qobject_cast<QAbstractItemView*>(found.widget);
  if (view == nullptr || view->model() == nullptr) fail(line, name + " is not a list box");
  checkNotBlocked(line, found.top, control.window);
  if (!view->isVisible()) fail(line, name + " is hidden");
  const int rows = view->model()->rowCount(view->rootIndex());
  if (item > rows) {
    fail(line,
         name + " has " + std::to_string(rows) + " items, fewer than " + std::to_string(item));
  }
  activate(line, found.top);
  QPoint point = view->viewport()->rect().center();
  if (view->isEnabled()) {
    // The user scrolls the item into view first; scrolling selects nothing.
    const QModelIndex index = view->model()->index(item - 1, 0, view->rootIndex());
    view->scrollTo(index);
    const QRect shown = view->visualRect(index).intersected(view->viewport()->rect());
    if (shown.isEmpty())
      fail(line, "item " + std::to_string(item) + " of " + name + " cannot be shown");
    point = shown.center();
  }
  mouseClick(line, view->viewport(), point, name);
}

void QtDriver::typeText(int line, const std::string& text) {
  // One key press per character, so that each is one change of the focused control.
  for (const char16_t c : platform::fromWindows1252(text)) {
    if (host_->quitPosted()) fail(line, "the program ended before the whole text was typed");
    QWindow* window = focusWindow(line);
    if (c == u'\n' || c == u'\r') {
      QTest::keyClick(window, Qt::Key_Return);
    } else if (c == u'\t') {
      QTest::keyClick(window, Qt::Key_Tab);
    } else if (c < 0x20 || c == 0x7f) {
      fail(line, "cannot type the control character " + escapeText(std::string(1, char(c))));
    } else if (c < 0x80) {
      QTest::keyClick(window, static_cast<char>(c));
    } else {
      const QChar character(c);
      const auto key =
          c <= 0xff ? static_cast<Qt::Key>(character.toUpper().unicode()) : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, window, key, QString(character), Qt::NoModifier);
    }
  }
}

void QtDriver::paste(int line, const std::string& text) {
  QWindow* window = focusWindow(line);
  QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (edit == nullptr) fail(line, "paste needs the keyboard focus in an edit box");
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(platform::fromWindows1252(text)));
  int changes = 0;
  const auto counter = QObject::connect(edit, &QLineEdit::textEdited, [&changes] { ++changes; });
  QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
  QObject::disconnect(counter);
  if (changes > 1) fail(line, "the paste made " + std::to_string(changes) + " changes");
}

void QtDriver::closeWindow(int line, int templateId) {
  QWidget* top = topOf(line, templateId);
  checkNotBlocked(line, top, templateId);
  activate(line, top);
  sendClose(top);
}

void QtDriver::grab(int line, int templateId, const std::string& dir, const std::string& file) {
  QWidget* top = topOf(line, templateId);
  const QString path = QDir(QString::fromStdString(dir)).filePath(QString::fromStdString(file));
  if (!top->grab().save(path, "PNG")) fail(line, "cannot write " + path.toStdString());
}

}  // namespace orbalta::replay
