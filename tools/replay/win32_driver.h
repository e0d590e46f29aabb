#pragma once
// The script engine's driver on Windows: the messages that a person's clicks and key presses
// produce, handed to the program's own message handling one after another, so that a line
// returns only once its input has been dealt with (or a modal window it opened has closed).

#include <windows.h>

#include <functional>
#include <map>

#include "platform/win32/win32_platform.h"
#include "tools/replay/driver.h"

namespace orbalta::replay {

class Win32Driver : public WindowSystem {
 public:
  explicit Win32Driver(platform::Win32Platform& win);
  ~Win32Driver() override;
  Win32Driver(const Win32Driver&) = delete;
  Win32Driver& operator=(const Win32Driver&) = delete;

  platform::Platform& platform() override { return win_; }
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
  struct Key {
    UINT vk = 0;
    bool shift = false;
    bool control = false;
    bool extended = false;
  };

  static LRESULT CALLBACK timerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void runScheduled(UINT_PTR id);
  HWND controlWindow(platform::WindowHandle window, int id) const;
  int templateOf(HWND top) const;
  void deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Key down, the characters it makes, key up. `typed`: the one character to type instead of
  // whatever the keyboard layout makes of the key.
  void press(HWND target, const Key& key, std::optional<wchar_t> typed);

  platform::Win32Platform& win_;
  HWND timers_ = nullptr;
  std::map<UINT_PTR, std::function<void()>> scheduled_;
  UINT_PTR nextId_ = 1;
};

// Writes the picture of `window` as the screen shows it, frame included, into a PNG file.
bool writeWindowPicture(HWND window, const std::string& path);

}  // namespace orbalta::replay
