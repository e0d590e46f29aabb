#pragma once
// Start-up ends when a person sees the window: at its first painted frame. Both start-up
// programs end there, the same way, so that the comparison is of like with like.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

class FirstFrame : public QObject {
 public:
  // Calls `then` from the event loop once any widget of `window` has been painted.
  FirstFrame(QWidget* window, std::function<void()> then)
      : window_(window), then_(std::move(then)) {
    qApp->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !fired_ && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window_) {
      fired_ = true;
      // After the rest of this frame: the zero timer runs once the paint pass has ended.
      QTimer::singleShot(0, this, [this] { then_(); });
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> then_;
  bool fired_ = false;
};
