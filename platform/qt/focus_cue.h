#pragma once
// Push buttons and lists that show where the keyboard focus is. The style's own cue is lost on
// them: a picture button's image covers the frame the style lights up, a default button wears
// that frame all the time, and a list marks its current item too faintly to be seen.

#include <QListWidget>
#include <QPushButton>

namespace orbalta::platform::qt {

// A dotted rectangle inside the button while it has the focus.
class FocusButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A dotted rectangle around the current item (the whole list when it has none) while the list
// has the focus.
class FocusList : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orbalta::platform::qt
