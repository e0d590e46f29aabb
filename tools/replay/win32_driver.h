#pragma once
// The script engine's driver on Windows: the messages that a person's clicks and key presses
// produce, handed to the program's own message handling one after another, so that a line
// returns only once its input has been dealt with (or a modal window it opened has closed).

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <map>

#include "platform/win32/win32_platform.h"
#include "tools/replay/driver.h"

namespace orbalta::replay {

class Win32Driver : public Driver {
 public:
  explicit Win32Driver(platform::Win32Platform& win);
  ~Win32Driver() override;
  Win32Driver(const Win32Driver&) = delete;
  Win32Driver& operator=(const Win32Driver&) = delete;

  platform::Platform& platform() override { return win_; }
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
  struct Key {
    UINT vk = 0;
    bool shift = false;
    bool control = false;
    bool extended = false;
  };

  static LRESULT CALLBACK timerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void runScheduled(UINT_PTR id);

  [[noreturn]] void fail(int line, const std::string& message) {
    host_->fail(line, message);
    std::abort();  // the host ends the harness; the compiler cannot see that through the call
  }
  HWND topOf(int line, int templateId);
  HWND find(int line, const ControlRef& ref, HWND& top);
  HWND modalWindow() const;
  int templateOf(HWND top) const;
  void checkNotBlocked(int line, HWND top, int templateId);
  void activate(int line, HWND top);
  void mouseClick(int line, HWND target, POINT point, const std::string& what);
  HWND focusTarget(int line);
  void deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Key down, the characters it makes, key up. `typed`: the one character to type instead of
  // whatever the keyboard layout makes of the key.
  void press(HWND target, const Key& key, std::optional<wchar_t> typed);

  platform::Win32Platform& win_;
  DriverHost* host_ = nullptr;
  HWND timers_ = nullptr;
  std::map<UINT_PTR, std::function<void()>> scheduled_;
  UINT_PTR nextId_ = 1;
};

// Writes the picture of `window` as the screen shows it, frame included, into a PNG file.
bool writeWindowPicture(HWND window, const std::string& path);

}  // namespace orbalta::replay
