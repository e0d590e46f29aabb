#pragma once
// What the script engine needs from a window system: a way back into its event loop, the
// user's actions, and what a user can see. The engine knows no window system; each driver
// reports a failed action to its host, which names the script line and ends the harness.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tools/replay/script.h"

namespace orbalta::replay {

class DriverHost {
 public:
  virtual ~DriverHost() = default;
  [[noreturn]] virtual void fail(int line, const std::string& message) = 0;
  // The modal windows whose loops run and that are not closing, innermost last.
  virtual std::vector<platform::WindowHandle> modalWindows() const = 0;
  // The program has asked to quit: what the user does from now on reaches nothing.
  virtual bool quitPosted() const = 0;
  virtual void messageBoxShown(const std::string& text, const std::string& title,
                               platform::MessageIcon icon) = 0;
  // The answer queued for an open-file dialog; nullopt cancels it.
  virtual std::optional<std::string> openFileAnswer() = 0;
};

// A control as the user sees it.
struct ControlView {
  bool shown = true;  // not hidden inside its window
  bool focused = false;
  int items = -1;       // rows of a list box, -1 for any other control
  std::string toolTip;  // as the program set it, Windows-1252; empty for none
};

class Driver {
 public:
  virtual ~Driver() = default;

  // The real platform that the program runs on.
  virtual platform::Platform& platform() = 0;
  // Message boxes and open-file dialogs go to `host` until it is replaced; nullptr detaches.
  virtual void attach(DriverHost* host) = 0;
  // Calls `run` from the event loop after `delayMs`.
  virtual void schedule(int delayMs, std::function<void()> run) = 0;
  // Lets the window system deliver what it has queued, and activates the window used last
  // when none has the keyboard.
  virtual void settle(int line) = 0;

  // User actions. `caret`: where in an edit the click puts the caret (its end when absent).
  virtual void click(int line, const ControlRef& control, std::optional<int> caret) = 0;
  virtual void select(int line, const ControlRef& control, int item) = 0;
  virtual void pressKey(int line, KeyName key) = 0;
  virtual void typeText(int line, const std::string& text) = 0;
  virtual void paste(int line, const std::string& text) = 0;
  virtual void closeWindow(int line, int templateId) = 0;
  // Closes the innermost modal window as its close box would; false when there is none.
  virtual bool closeModal() = 0;
  virtual void grab(int line, int templateId, const std::string& dir, const std::string& file) = 0;

  // What the user sees: the open window of a template (0 when not open), one of its
  // controls (nullopt when it has none), and where the keyboard focus is.
  virtual platform::WindowHandle openWindow(int templateId) = 0;
  virtual std::optional<ControlView> control(platform::WindowHandle window, int id) = 0;
  virtual std::optional<ControlRef> focusedControl() = 0;
};

// Message boxes and open-file dialogs of `platform` answered by `host` (nullptr: shown again).
template <class HookedPlatform>
void answerThrough(HookedPlatform& target, DriverHost* host) {
  if (host == nullptr) {
    target.setMessageBoxHook({});
    target.setOpenFileHook({});
    return;
  }
  target.setMessageBoxHook(
      [host](const std::string& text, const std::string& title, platform::MessageIcon icon) {
        host->messageBoxShown(text, title, icon);
      });
  target.setOpenFileHook(
      [host](const platform::OpenFileRequest&) { return host->openFileAnswer(); });
}

}  // namespace orbalta::replay
