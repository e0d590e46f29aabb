#pragma once
// The widgets of a template window: the dialog itself, the group frame, and the mapping from
// dialog units to pixels.

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>
#include <functional>

#include "platform/dialog_template.h"

namespace orbalta::platform::qt {

// The template font on this system: the template faces map to metric-compatible free fonts,
// at the pixel size the desktop gives the point size.
QFont templateFont(const FontSpec& spec);

// The font the controls draw with: the template font, made a pixel or two smaller when its
// letters are wider on average than the dialog's horizontal unit allows. The desktop's own
// font is narrower than its stand-in, and the templates' captions are laid out to its width.
QFont fittedFont(const QFont& font, int baseWidth);

// Dialog units of a font: a horizontal unit is a quarter of the average width of the 52 Latin
// letters, a vertical unit an eighth of the character cell height (ascent and descent each
// rounded up to whole pixels, as the desktop sizes a cell).
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  int x(int units) const;
  int y(int units) const;
  QRect rect(int x, int y, int width, int height) const;
  int baseWidth() const { return baseX_; }
  int baseHeight() const { return baseY_; }

 private:
  int baseX_ = 6;
  int baseY_ = 13;
};

// Text as shown: CR LF, LF CR, and a lone CR or LF each make one line break.
QString displayText(std::string_view text);

// A dialog window that never closes or presses buttons by itself: Esc, Enter and the close box
// are reported and the toolkit decides.
class DialogWindow : public QDialog {
 public:
  explicit DialogWindow(QWidget* owner);

  std::function<void()> onCancel;
  std::function<void(bool active)> onActivated;
  std::function<void()> onResized;

  // Tab / Shift+Tab of the dialog manager.
  void moveFocus(bool forward) { focusNextPrevChild(forward); }

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
};

// A group box as the desktop draws it: an etched frame whose top runs through the middle of
// the caption. It takes no input; the controls it frames are its children.
class GroupFrame : public QWidget {
 public:
  explicit GroupFrame(QWidget* parent);
  void setCaption(const QString& caption);
  const QString& caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

}  // namespace orbalta::platform::qt
