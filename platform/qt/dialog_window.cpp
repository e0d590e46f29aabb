#include "platform/qt/dialog_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

#include "platform/line_breaks.h"
#include "platform/qt/qt_platform.h"
#include "platform/windows1252.h"

namespace orbalta::platform::qt {

namespace {

const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// a * b / c rounded half away from zero, as the desktop's MulDiv.
int mulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

QStringList familiesFor(const std::string& face) {
  QString lower = QString::fromLatin1(face.c_str()).toLower();
  if (lower == "ms sans serif" || lower == "microsoft sans serif" || lower == "ms shell dlg" ||
      lower == "ms shell dlg 2" || lower == "tahoma" || lower == "arial") {
    return {"Liberation Sans", "Arimo", "DejaVu Sans"};
  }
  if (lower == "times new roman" || lower == "times") {
    return {"Liberation Serif", "Tinos", "DejaVu Serif"};
  }
  if (lower == "courier new" || lower == "courier") {
    return {"Liberation Mono", "Cousine", "DejaVu Sans Mono"};
  }
  return {QString::fromLatin1(face.c_str()), "Liberation Sans", "DejaVu Sans"};
}

}  // namespace

QFont templateFont(const FontSpec& spec) {
  QFont font;
  font.setFamilies(familiesFor(spec.face));
  // The desktop sizes a point font in whole pixels of the screen's logical resolution.
  qreal dpi = 96;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) dpi = screen->logicalDotsPerInchY();
  font.setPixelSize(std::max(1, mulDiv(spec.pointSize, static_cast<int>(std::lround(dpi)), 72)));
  const int weight = spec.weight <= 0 ? 400 : std::clamp(spec.weight, 100, 900);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(spec.italic);
  return font;
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetricsF metrics(font);
  const int letters = static_cast<int>(metrics.horizontalAdvance(kLetters));
  baseX_ = std::max(1, (letters / 26 + 1) / 2);
  baseY_ =
      std::max(1, static_cast<int>(std::ceil(metrics.ascent()) + std::ceil(metrics.descent())));
}

QFont fittedFont(const QFont& font, int baseWidth) {
  QFont fitted = font;
  const int limit = 52 * baseWidth;
  for (int size = font.pixelSize(); size > std::max(1, font.pixelSize() - 3); --size) {
    fitted.setPixelSize(size);
    if (QFontMetricsF(fitted).horizontalAdvance(kLetters) <= limit) return fitted;
  }
  return fitted;
}

int DialogUnits::x(int units) const {
  return mulDiv(units, baseX_, 4);
}
int DialogUnits::y(int units) const {
  return mulDiv(units, baseY_, 8);
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
  return QRect(x(left), y(top), x(width), y(height));
}

QString displayText(std::string_view text) {
  const std::u16string shown = platform::oneLineBreak(fromWindows1252(text));
  return QString::fromUtf16(shown.data(), static_cast<qsizetype>(shown.size()));
}

// --- DialogWindow ---

DialogWindow::DialogWindow(QWidget* owner) : QDialog(owner) {}

void DialogWindow::reject() {
  if (onCancel) onCancel();
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (onCancel) onCancel();
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
      // Dialog keys that were not routed to the dialog manager do nothing.
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

bool DialogWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && onActivated) onActivated(true);
  if (event->type() == QEvent::WindowDeactivate && onActivated) onActivated(false);
  // The size is fixed, so only minimizing and restoring change it; a spontaneous event comes
  // from the user, not from the program's own showWindow.
  if (event->type() == QEvent::WindowStateChange && event->spontaneous() && onResized) onResized();
  return QDialog::event(event);
}

// --- GroupFrame ---

// Clicks on the frame itself go on to the window; those on its controls reach them.
GroupFrame::GroupFrame(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
}

void GroupFrame::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int top = metrics.height() / 2;
  const QRect frame(0, top, width() - 1, height() - top - 1);
  // Etched: a shadow line with a light line inside it, one pixel down and right.
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, 0, 0));
  if (caption_.isEmpty()) return;
  const int left = metrics.averageCharWidth();
  const int textWidth = metrics.horizontalAdvance(caption_);
  const QRect textRect(left, 0, std::min(textWidth + 2, width() - left - 2), metrics.height());
  painter.fillRect(textRect, palette().color(QPalette::Window));
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(textRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   caption_);
}

}  // namespace orbalta::platform::qt
