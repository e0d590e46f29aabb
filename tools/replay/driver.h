#pragma once
// The scripted user: what each line does and when it cannot be played, written once for every
// window system. A window system supplies only what the rules cannot know: where things are,
// how input reaches them, what they show. The engine knows no window system; a line that
// cannot be played is reported to the host, which names the script line and ends the harness.

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
};

// A control as the user sees it.
struct ControlView {
  enum class Kind { Edit, List, Other };
  Kind kind = Kind::Other;
  bool visible = true;  // on screen: neither it nor its window hidden
  bool shown = true;    // not hidden inside its window
  bool enabled = true;
  bool focused = false;
  int items = -1;  // rows of a list box, -1 for any other control
  int length = 0;  // characters in an edit
  int caret = 0;   // an edit's caret
  bool selection = false;
  std::string toolTip;  // as the program set it, Windows-1252; empty for none
  std::u16string text;  // the characters on screen: an edit's text or a caption
};

// A point in a control, in whatever coordinates its window system clicks it at.
struct Point {
  int x = 0;
  int y = 0;
};

// Where a click at a point of a control went: to the control, or to what covers it there.
struct Hit {
  bool reached = true;
  std::optional<int> coveredBy;  // the control on top, when it is one
};

// One window system's part of the scripted user.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The real platform that the program runs on.
  virtual platform::Platform& platform() = 0;
  // The window built from template `templateId`, 0 when none exists.
  virtual platform::WindowHandle windowOfTemplate(int templateId) = 0;
  // Calls `run` from the event loop after `delayMs`.
  virtual void schedule(int delayMs, std::function<void()> run) = 0;
  // Lets the window system deliver what it has queued.
  virtual void deliverQueued() = 0;
  // The characters shown for a Windows-1252 text of the program.
  virtual std::u16string shown(std::string_view windows1252) = 0;

  virtual bool isActive(platform::WindowHandle window) = 0;
  virtual bool anyActive() = 0;
  // The window the system activates when the active one has gone (0 for none); while a modal
  // window runs, only that one.
  virtual platform::WindowHandle nextActive(platform::WindowHandle modal) = 0;
  // Activates a window as a click into it would; false when it does not become active.
  virtual bool activate(platform::WindowHandle window) = 0;
  virtual void closeBox(platform::WindowHandle window) = 0;
  // A picture of the window as the screen shows it, written as a PNG file.
  virtual bool grab(platform::WindowHandle window, const std::string& path) = 0;

  // A control of a window (nullopt when it has none), and where the keyboard focus is.
  virtual std::optional<ControlView> control(platform::WindowHandle window, int id) = 0;
  virtual std::optional<ControlRef> focusedControl() = 0;
  // Where a click puts the caret of an edit before character `position`; nullopt when that
  // place is scrolled out of view.
  virtual std::optional<Point> caretPoint(platform::WindowHandle window, int id, int position) = 0;
  // The point of any other control that a click aims at.
  virtual Point aimPoint(platform::WindowHandle window, int id) = 0;
  // Scrolls item `index` (0-based) of a list box into view, as the user would, and gives a
  // point on it; nullopt when it cannot be shown.
  virtual std::optional<Point> itemPoint(platform::WindowHandle window, int id, int index) = 0;
  // A left click at `point` of a control, unless something else is on top there.
  virtual Hit click(platform::WindowHandle window, int id, Point point) = 0;

  // The keyboard, to whatever has the focus.
  virtual bool keyboardFocus() = 0;
  virtual bool focusInEdit() = 0;
  virtual void pressKey(KeyName key) = 0;
  // The key press that types one Windows-1252 character (no control character).
  virtual void typeCharacter(char character) = 0;
  // One paste of `text`: the changes the focused edit reported; nullopt when the clipboard
  // cannot be written.
  virtual std::optional<int> paste(const std::string& text) = 0;
};

class Driver {
 public:
  explicit Driver(WindowSystem& system) : system_(system) {}

  platform::Platform& platform() { return system_.platform(); }
  WindowSystem& system() { return system_; }
  void attach(DriverHost* host) { host_ = host; }
  void schedule(int delayMs, std::function<void()> run);
  // Lets the window system deliver what it has queued, and activates the window that the
  // system would when none is active.
  void settle(int line);

  // User actions. `caret`: where in an edit the click puts the caret (its end when absent).
  void click(int line, const ControlRef& control, std::optional<int> caret);
  void select(int line, const ControlRef& control, int item);
  void pressKey(int line, KeyName key);
  void typeText(int line, const std::string& text);
  void paste(int line, const std::string& text);
  void closeWindow(int line, int templateId);
  // Closes the innermost modal window as its close box would; false when there is none.
  bool closeModal();
  void grab(int line, int templateId, const std::string& dir, const std::string& file);

  // What the user sees: the open window of a template (0 when not open), one of its
  // controls (nullopt when it has none), and where the keyboard focus is.
  platform::WindowHandle openWindow(int templateId);
  std::optional<ControlView> control(platform::WindowHandle window, int id) {
    return system_.control(window, id);
  }
  std::optional<ControlRef> focusedControl() { return system_.focusedControl(); }
  // A control's text as the user reads it (one "\n" per line break), and whether it reads as
  // the Windows-1252 text `expected` would when the program shows it.
  std::u16string readText(const ControlView& view) const;
  bool reads(const ControlView& view, std::string_view expected);
  // The same, failing line `line` when the window is not open or has no such control.
  platform::WindowHandle openWindow(int line, int templateId);
  ControlView control(int line, const ControlRef& ref, platform::WindowHandle& window);

 private:
  [[noreturn]] void fail(int line, const std::string& message);
  platform::WindowHandle modalWindow() const;
  int templateOf(platform::WindowHandle window) const;
  void checkNotBlocked(int line, platform::WindowHandle window, int templateId);
  void activate(int line, platform::WindowHandle window);
  void toKeyboard(int line);
  void clickAt(int line, platform::WindowHandle window, int id, Point point,
               const std::string& what);

  WindowSystem& system_;
  DriverHost* host_ = nullptr;
};

// "window N is open" / "window N is not open".
std::string windowOpenText(int templateId, bool open);

}  // namespace orbalta::replay
