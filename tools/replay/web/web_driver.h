#pragma once
// The scripted user's window system in the browser: what it sees is read from the page's DOM,
// and its input is the browser's own (mouse and keyboard events sent by the host through the
// browser's debugging protocol), so it reaches the page as a user's would.

#include "platform/web/web_platform.h"
#include "tools/replay/driver.h"

namespace orbalta::replay {

class WebDriver : public WindowSystem {
 public:
  explicit WebDriver(platform::WebPlatform& web) : web_(web) {}

  platform::Platform& platform() override { return web_; }
  platform::WindowHandle windowOfTemplate(int templateId) override {
    return web_.windowOfTemplate(templateId);
  }
  void schedule(int delayMs, std::function<void()> run) override;
  void deliverQueued() override { web_.deliverQueued(); }
  std::u16string shown(std::string_view windows1252) override {
    return platform::fromWindows1252(windows1252);
  }

  bool isActive(platform::WindowHandle window) override;
  bool anyActive() override { return web_.activeWindow() != 0; }
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
  int templateOf(platform::WindowHandle window);

  platform::WebPlatform& web_;
};

}  // namespace orbalta::replay
