#include "platform/qt/focus_cue.h"

#include <QPainter>

namespace orbalta::platform::qt {

namespace {

// Dark dots over light ones, so that they show on any image.
void drawFocusMark(QWidget* surface, const QPalette& palette, const QRect& mark) {
  QPainter painter(surface);
  painter.setPen(QPen(palette.color(QPalette::Base), 1));
  painter.drawRect(mark);
  QPen dots(palette.color(QPalette::WindowText), 1);
  dots.setDashPattern({1, 1});
  painter.setPen(dots);
  painter.drawRect(mark);
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
