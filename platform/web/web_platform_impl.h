#pragma once
// The web platform's records of windows and controls and its event pump, shared by the files
// of the platform (window build, system dialogs, controls).

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/web/dom_imports.h"
#include "platform/web/web_platform.h"
#include "platform/window_table.h"

namespace orbalta::platform {

namespace web {
// Event kinds posted by dom_library.js.
enum EventKind {
  kClick = 1,
  kInput = 2,
  kFocusIn = 3,
  kFocusOut = 4,
  kSelect = 5,
  kDoubleClick = 6,
  kKey = 7,
  kClose = 8,
  kBoxClosed = 9,
  kWake = 10,
  kActivate = 11,  // a click into a window outside its controls (its title bar, its face)
  kTimer = 12,
};

constexpr DialogKey kKeys[] = {DialogKey::Tab,    DialogKey::BackTab, DialogKey::Enter,
                               DialogKey::Escape, DialogKey::Left,    DialogKey::Right,
                               DialogKey::Up,     DialogKey::Down};

struct Text16 {
  explicit Text16(std::string_view text) : units(fromWindows1252(text)) {}
  const char16_t* data() const { return units.data(); }
  int size() const { return static_cast<int>(units.size()); }
  std::u16string units;
};

// Line ends as one break: the DOM's text boxes keep "\n" only.
inline std::string withLineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out.push_back(c);
      continue;
    }
    out.push_back('\n');
    const char other = c == '\r' ? '\n' : '\r';
    if (i + 1 < text.size() && text[i + 1] == other) ++i;
  }
  return out;
}

struct Control {
  int id = -1;
  ControlKind kind = ControlKind::Static;
  std::uint32_t styles = 0;
  int imageId = 0;
  int group = 0;  // radio group number within the window
  bool enabled = true;
  bool visible = true;
  std::string caption;  // exactly what was set, for captions
  std::string toolTip;  // as the program set it
};

// `closing`: the window is going; its DOM element stands until its record is taken.
struct Window : WindowEntry {
  bool hasNativeWindow() const { return true; }
  std::vector<Control> controls;
  bool visible = false;
  bool modal = false;
  bool ended = false;
  int result = 0;

  int indexOf(int id) const {
    if (id == -1) return -1;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].id == id) return static_cast<int>(i);
    }
    return -1;
  }
};

struct Icon {
  int resourceId = 0;
  int size = 0;
};

}  // namespace web

// The platform's own files only; its records and event codes without the prefix.
using namespace web;

struct WebPlatform::Impl {
  WindowTable<Window> windows;
  WindowHandle active = 0;
  MessageRouter* router = nullptr;
  bool quitPending = false;
  int quitCode = 0;
  int boxesClosed = 0;
  std::vector<Icon> icons;
  std::map<int, std::function<void()>> timers;
  int nextTimer = 1;

  Window* live(WindowHandle handle) { return windows.open(handle); }
  // The window's record, also while it goes: its controls can still be read and set then.
  Window* record(WindowHandle handle) { return windows.find(handle); }

  void activate(WindowHandle handle) {
    if (handle == active) return;
    const WindowHandle previous = active;
    active = handle;
    if (Window* old = live(previous)) old->events->activated(previous, false);
    if (Window* now = live(handle)) {
      orbdom_restore_focus(handle);
      now->events->activated(handle, true);
    }
  }

  // After a window hides or goes: the topmost other visible window, its owner first.
  void activateAnother(const Window& leaving) {
    if (active != leaving.handle) return;
    Window* owner = live(leaving.owner);
    if (owner != nullptr && owner->visible) {
      activate(owner->handle);
      return;
    }
    WindowHandle next = 0;
    for (const auto& [handle, w] : windows) {
      if (handle != leaving.handle && !w->closing && w->visible) next = handle;
    }
    activate(next);
  }

  bool isTabStop(const Window& w, int index) {
    const Control& c = w.controls[static_cast<std::size_t>(index)];
    if (!c.enabled || !c.visible) return false;
    switch (c.kind) {
      case ControlKind::PushButton:
      case ControlKind::DefPushButton:
      case ControlKind::CheckBox:
      case ControlKind::Edit:
      case ControlKind::ListBox:
        return (c.styles & kTabStop) != 0;
      case ControlKind::RadioButton:
        // A radio group is one stop: its checked button, or its first when none is checked.
        return orbdom_get_checked(w.handle, index) != 0 || (c.styles & kTabStop) != 0;
      default:
        return false;
    }
  }

  void moveFocus(Window& w, int from, bool forward) {
    const int n = static_cast<int>(w.controls.size());
    if (n == 0) return;
    int start = from < 0 ? (forward ? -1 : n) : from;
    for (int step = 1; step <= n; ++step) {
      const int i = ((start + (forward ? step : -step)) % n + n) % n;
      if (isTabStop(w, i)) {
        orbdom_focus(w.handle, i);
        return;
      }
    }
  }

  void moveInRadioGroup(Window& w, int from, bool forward) {
    if (from < 0) return;
    const Control& current = w.controls[static_cast<std::size_t>(from)];
    if (current.kind != ControlKind::RadioButton) return;
    std::vector<int> members;
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
      const Control& c = w.controls[i];
      if (c.kind == ControlKind::RadioButton && c.group == current.group) {
        members.push_back(static_cast<int>(i));
      }
    }
    const auto self = std::find(members.begin(), members.end(), from) - members.begin();
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    for (std::ptrdiff_t step = 1; step < count; ++step) {
      const int candidate =
          members[static_cast<std::size_t>((self + (forward ? step : count - step)) % count)];
      const Control& c = w.controls[static_cast<std::size_t>(candidate)];
      if (!c.enabled || !c.visible) continue;
      // An auto radio button is checked as the focus arrives, which the user did.
      orbdom_focus(w.handle, candidate);
      for (const int m : members) orbdom_set_checked(w.handle, m, m == candidate ? 1 : 0);
      notify(w, candidate, Notification::Clicked);
      return;
    }
  }

  void notify(Window& w, int index, Notification what) {
    if (index < 0 || static_cast<std::size_t>(index) >= w.controls.size()) return;
    w.events->command(w.handle, w.controls[static_cast<std::size_t>(index)].id, what);
  }

  void key(Window& w, int index, DialogKey k) {
    const WindowHandle handle = w.handle;
    const bool navigate = w.modal || router == nullptr || router->route({handle, k});
    if (!navigate || live(handle) == nullptr) return;
    switch (k) {
      case DialogKey::Tab:
      case DialogKey::BackTab:
        moveFocus(w, index, k == DialogKey::Tab);
        if (const int now = orbdom_focused(handle); now >= 0) orbdom_select_all(handle, now);
        break;
      case DialogKey::Enter:
        w.events->defaultCommand(handle);
        break;
      case DialogKey::Escape:
        w.events->cancel(handle);
        break;
      case DialogKey::Left:
      case DialogKey::Up:
        moveInRadioGroup(w, index, false);
        break;
      case DialogKey::Right:
      case DialogKey::Down:
        moveInRadioGroup(w, index, true);
        break;
    }
  }

  // Waits for the next user event and hands it to its window.
  void pumpOne() {
    int e[4] = {0, 0, 0, 0};
    orbdom_wait(e);
    const int kind = e[0];
    if (kind == kBoxClosed) {
      ++boxesClosed;
      return;
    }
    if (kind == kTimer) {
      const auto timer = timers.find(e[3]);
      if (timer == timers.end()) return;
      const std::function<void()> run = std::move(timer->second);
      timers.erase(timer);
      run();
      return;
    }
    Window* w = live(static_cast<WindowHandle>(e[1]));
    if (w == nullptr) return;
    const int index = e[2];
    const bool known = index >= 0 && static_cast<std::size_t>(index) < w->controls.size();
    if (kind != kClose && kind != kKey && kind != kWake && kind != kActivate && !known) return;
    if (kind != kFocusOut) activate(w->handle);
    switch (kind) {
      case kClick:
        notify(*w, index, Notification::Clicked);
        break;
      case kInput:
        notify(*w, index, Notification::Updated);
        if (live(w->handle) != nullptr) notify(*w, index, Notification::Changed);
        break;
      case kFocusIn:
        notify(*w, index, Notification::FocusGained);
        break;
      case kFocusOut:
        notify(*w, index, Notification::FocusLost);
        break;
      case kSelect:
        notify(*w, index, Notification::SelectionChanged);
        break;
      case kDoubleClick:
        notify(*w, index, Notification::DoubleClick);
        break;
      case kKey:
        if (e[3] >= 0 && e[3] < 8) key(*w, index, kKeys[e[3]]);
        break;
      case kClose:
        w->events->cancel(w->handle);
        break;
      default:
        break;
    }
  }

  int indexFor(WindowHandle handle, int id) {
    Window* w = record(handle);
    return w == nullptr ? -1 : w->indexOf(id);
  }
};

}  // namespace orbalta::platform
