#pragma once
// The script engine's driver on Qt: real clicks and key presses through the window system of
// the offscreen platform, and the window manager's part, which that platform lacks.

#include <QPointer>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "tools/replay/driver.h"

class QObject;
class QPoint;
class QWidget;
class QWindow;

namespace orbalta::replay {

class QtDriver : public Driver {
 public:
  explicit QtDriver(platform::QtPlatform& qt);
  ~QtDriver() override;

  platform::Platform& platform() override { return qt_; }
  void attach(DriverHost* host) override;
  void schedule(int delayMs, std::function<void()> run) override;
  void settle(int line) override;

  void click(int line, const ControlRef& control, std::optional<int> caret) override;
  void select(int line, const ControlRef& control, int item) override;
  void pressKey(int line, KeyName key) override;
  void typeText(int line, const std::string& text) override;
  void paste(int line, const std::string& text) override;
  void closeWindow(int line, int templateId) override;
  bool closeModal() override;
  void grab(int line, int templateId, const std::string& dir, const std::string& file) override;

  platform::WindowHandle openWindow(int templateId) override;
  std::optional<ControlView> control(platform::WindowHandle window, int id) override;
  std::optional<ControlRef> focusedControl() override;

 private:
  struct Found {
    QWidget* top = nullptr;
    QWidget* widget = nullptr;
  };

  [[noreturn]] void fail(int line, const std::string& message) {
    host_->fail(line, message);
    std::abort();  // the host ends the harness; the compiler cannot see that through the call
  }
  QWidget* topOf(int line, int templateId);
  Found find(int line, const ControlRef& ref);
  QWidget* modalWindow() const;
  int templateOf(const QWidget* top) const;
  void checkNotBlocked(int line, QWidget* top, int templateId);
  void activate(int line, QWidget* top);
  void reactivate(int line);
  void mouseClick(int line, QWidget* target, QPoint point, const std::string& what);
  QWindow* focusWindow(int line);

  platform::QtPlatform& qt_;
  DriverHost* host_ = nullptr;
  std::unique_ptr<QObject> context_;
  std::vector<QPointer<QWindow>> activeHistory_;  // most recently active last
};

// Sends what the window manager sends when the user clicks the close box.
void sendClose(QWidget* top);

// The control id carried by a widget of a template window ("ctl<id>"), if it is one.
std::optional<int> controlIdOf(const QWidget* widget);

}  // namespace orbalta::replay
