#pragma once
// The scripted user's window system on Qt: real clicks and key presses through the window
// system of the offscreen platform, and the window manager's part, which that platform lacks.

#include <QPointer>
#include <memory>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "tools/replay/driver.h"

class QObject;
class QWidget;
class QWindow;

namespace orbalta::replay {

class QtDriver : public WindowSystem {
 public:
  explicit QtDriver(platform::QtPlatform& qt);
  ~QtDriver() override;

  platform::Platform& platform() override { return qt_; }
  platform::WindowHandle windowOfTemplate(int templateId) override;
  void schedule(int delayMs, std::function<void()> run) override;
  void deliverQueued() override;
  std::u16string shown(std::string_view windows1252) override;

  bool isActive(platform::WindowHandle window) override;
  bool anyActive() override;
  platform::WindowHandle nextActive(platform::WindowHandle modal) override;
  bool activate(platform::WindowHandle window) override;
  void closeBox(platform::WindowHandle window) override;
  bool grab(platform::WindowHandle window, const std::string& path) override;

  std::optional<ControlView> control(platform::WindowHandle window, int id) override;
  std::optional<ControlRef> focusedControl() override;
  std::optional<Point> caretPoint(platform::WindowHandle window, int id, int position) override;
  Point aimPoint(platform::WindowHandle window, int id) override;
  std::optional<Point> itemPoint(platform::WindowHandle window, int id, int index) override;
  Hit click(platform::WindowHandle window, int id, Point point) override;

  bool keyboardFocus() override;
  bool focusInEdit() override;
  void pressKey(KeyName key) override;
  void typeCharacter(char character) override;
  std::optional<int> paste(const std::string& text) override;

 private:
  int templateOf(const QWidget* top) const;

  platform::QtPlatform& qt_;
  std::unique_ptr<QObject> context_;
  std::vector<QPointer<QWindow>> activeHistory_;  // most recently active last
};

// Sends what the window manager sends when the user clicks the close box.
void sendClose(QWidget* top);

// The control id carried by a widget of a template window ("ctl<id>"), if it is one.
std::optional<int> controlIdOf(const QWidget* widget);

}  // namespace orbalta::replay
