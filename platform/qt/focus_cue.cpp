#include "platform/qt/focus_cue.h"

#include <QPainter>

namespace orbalta::platform::qt {

namespace {

// Dark dots between light ones, so that they show on any image. Each dot is a square of the
// logical pixel, so that the dots stay apart when the window is scaled.
void drawFocusMark(QWidget* surface, const QPalette& palette, const QRect& mark) {
  QPainter painter(surface);
  const QColor light = palette.color(QPalette::Base);
  const QColor dark = palette.color(QPalette::WindowText);
  const auto dot = [&](int x, int y) {
    painter.fillRect(x, y, 1, 1, (x + y) % 2 == 0 ? dark : light);
  };
  for (int x = mark.left(); x <= mark.right(); ++x) {
    dot(x, mark.top());
    dot(x, mark.bottom());
  }
  for (int y = mark.top() + 1; y < mark.bottom(); ++y) {
    dot(mark.left(), y);
    dot(mark.right(), y);
  }
}

}  // namespace

void FocusButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (hasFocus()) drawFocusMark(this, palette(), rect().adjusted(3, 3, -4, -4));
}

void FocusList::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  if (!hasFocus()) return;
  const QRect inside = viewport()->rect().adjusted(0, 0, -1, -1);
  // The current item's row when it is in view, else the whole list.
  QRect mark = inside;
  if (const QModelIndex current = currentIndex(); current.isValid()) {
    const QRect row = visualRect(current).adjusted(0, 0, -1, -1).intersected(inside);
    if (!row.isEmpty()) mark = row;
  }
  drawFocusMark(viewport(), palette(), mark);
}

}  // namespace orbalta::platform::qt
