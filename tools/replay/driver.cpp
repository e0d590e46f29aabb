#include "tools/replay/driver.h"

#include <cstdlib>

#include "platform/line_breaks.h"

namespace orbalta::replay {

using platform::WindowHandle;

std::string windowOpenText(int templateId, bool open) {
  return "window " + std::to_string(templateId) + (open ? " is open" : " is not open");
}

void Driver::fail(int line, const std::string& message) {
  host_->fail(line, message);
  std::abort();  // the host ends the harness; the compiler cannot see that through the call
}

void Driver::schedule(int delayMs, std::function<void()> run) {
  system_.schedule(delayMs, std::move(run));
}

void Driver::settle(int line) {
  system_.deliverQueued();
  if (system_.anyActive()) return;
  const WindowHandle next = system_.nextActive(modalWindow());
  if (next != 0) activate(line, next);
}

// --- Windows and controls ---

WindowHandle Driver::openWindow(int templateId) {
  const WindowHandle window = system_.windowOfTemplate(templateId);
  return window != 0 && system_.platform().isVisible(window) ? window : 0;
}

WindowHandle Driver::openWindow(int line, int templateId) {
  const WindowHandle window = openWindow(templateId);
  if (window == 0) fail(line, windowOpenText(templateId, false));
  return window;
}

ControlView Driver::control(int line, const ControlRef& ref, WindowHandle& window) {
  window = openWindow(line, ref.window);
  const std::optional<ControlView> view = system_.control(window, ref.id);
  if (!view) {
    fail(line,
         "window " + std::to_string(ref.window) + " has no control " + std::to_string(ref.id));
  }
  return *view;
}

std::u16string Driver::readText(const ControlView& view) const {
  return platform::oneLineBreak(view.text);
}

bool Driver::reads(const ControlView& view, std::string_view expected) {
  return readText(view) == platform::oneLineBreak(system_.shown(expected));
}

WindowHandle Driver::modalWindow() const {
  const std::vector<WindowHandle> modals = host_->modalWindows();
  for (auto window = modals.rbegin(); window != modals.rend(); ++window) {
    if (system_.platform().isVisible(*window)) return *window;
  }
  return 0;
}

int Driver::templateOf(WindowHandle window) const {
  for (const int id : kWindows) {
    if (window != 0 && system_.windowOfTemplate(id) == window) return id;
  }
  return 0;
}

void Driver::checkNotBlocked(int line, WindowHandle window, int templateId) {
  const WindowHandle modal = modalWindow();
  if (modal != 0 && modal != window) {
    fail(line, "window " + std::to_string(templateId) + " is blocked by the modal window " +
                   std::to_string(templateOf(modal)));
  }
}

// A click into a window that is not active activates it first, as the system does.
void Driver::activate(int line, WindowHandle window) {
  if (system_.isActive(window)) return;
  if (!system_.activate(window)) {
    fail(line, "window " + std::to_string(templateOf(window)) + " cannot be activated");
  }
}

// The keyboard goes to the modal window while there is one.
void Driver::toKeyboard(int line) {
  if (const WindowHandle modal = modalWindow(); modal != 0 && !system_.isActive(modal)) {
    activate(line, modal);
  }
  if (!system_.keyboardFocus()) fail(line, "no window has the keyboard focus");
}

// A real click: it reaches whatever is at that point.
void Driver::clickAt(int line, WindowHandle window, int id, Point point, const std::string& what) {
  const Hit hit = system_.click(window, id, point);
  if (!hit.reached) {
    fail(line, what + " is covered at the point clicked" +
                   (hit.coveredBy ? " by control " + std::to_string(*hit.coveredBy) : ""));
  }
}

// --- The user's actions ---

void Driver::click(int line, const ControlRef& ref, std::optional<int> caretWanted) {
  WindowHandle window = 0;
  const ControlView view = control(line, ref, window);
  const std::string name = "control " + controlText(ref);
  checkNotBlocked(line, window, ref.window);
  if (!view.visible) fail(line, name + " is hidden");
  activate(line, window);

  const bool edit = view.kind == ControlView::Kind::Edit;
  if (caretWanted && !edit) {
    fail(line, "a caret position needs an edit box; " + name + " is not one");
  }
  Point point;
  int caret = -1;
  if (edit) {
    caret = caretWanted.value_or(view.length);
    if (caret > view.length) {
      fail(line, name + " holds " + std::to_string(view.length) + " characters, fewer than " +
                     std::to_string(caret));
    }
    const std::optional<Point> at = system_.caretPoint(window, ref.id, caret);
    if (!at)
      fail(line, "position " + std::to_string(caret) + " of " + name + " is scrolled out of view");
    point = *at;
  } else {
    point = system_.aimPoint(window, ref.id);
  }
  const bool checkCaret = edit && view.enabled;
  clickAt(line, window, ref.id, point, name);
  if (!checkCaret || host_->quitPosted()) return;

  const std::optional<ControlView> after = system_.control(window, ref.id);
  if (!after) return;  // the click closed its window
  if (!after->focused) fail(line, name + " did not take the focus");
  if (after->caret != caret || after->selection) {
    fail(line, "the caret landed at " + std::to_string(after->caret) +
                   (after->selection ? " with a selection" : "") + ", not at " +
                   std::to_string(caret));
  }
}

void Driver::select(int line, const ControlRef& ref, int item) {
  WindowHandle window = 0;
  const ControlView view = control(line, ref, window);
  const std::string name = "control " + controlText(ref);
  if (view.kind != ControlView::Kind::List) fail(line, name + " is not a list box");
  checkNotBlocked(line, window, ref.window);
  if (!view.visible) fail(line, name + " is hidden");
  if (item > view.items) {
    fail(line, name + " has " + std::to_string(view.items) + " items, fewer than " +
                   std::to_string(item));
  }
  activate(line, window);
  Point point = system_.aimPoint(window, ref.id);
  if (view.enabled) {
    // The user scrolls the item into view first; scrolling selects nothing.
    const std::optional<Point> at = system_.itemPoint(window, ref.id, item - 1);
    if (!at) fail(line, "item " + std::to_string(item) + " of " + name + " cannot be shown");
    point = *at;
  }
  clickAt(line, window, ref.id, point, name);
}

void Driver::pressKey(int line, KeyName key) {
  toKeyboard(line);
  system_.pressKey(key);
}

void Driver::typeText(int line, const std::string& text) {
  // One key press per character, so that each is one change of the focused control.
  for (const char c : text) {
    if (host_->quitPosted()) fail(line, "the program ended before the whole text was typed");
    toKeyboard(line);
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n' || c == '\r') {
      system_.pressKey(KeyName::Enter);
    } else if (c == '\t') {
      system_.pressKey(KeyName::Tab);
    } else if (byte < 0x20 || byte == 0x7f) {
      fail(line, "cannot type the control character " + escapeText(std::string(1, c)));
    } else {
      system_.typeCharacter(c);
    }
  }
}

void Driver::paste(int line, const std::string& text) {
  toKeyboard(line);
  if (!system_.focusInEdit()) fail(line, "paste needs the keyboard focus in an edit box");
  const std::optional<int> changes = system_.paste(text);
  if (!changes) fail(line, "the clipboard cannot be written");
  if (*changes > 1) fail(line, "the paste made " + std::to_string(*changes) + " changes");
}

void Driver::closeWindow(int line, int templateId) {
  const WindowHandle window = openWindow(line, templateId);
  checkNotBlocked(line, window, templateId);
  activate(line, window);
  system_.closeBox(window);
}

bool Driver::closeModal() {
  const WindowHandle modal = modalWindow();
  if (modal == 0) return false;
  system_.closeBox(modal);
  return true;
}

void Driver::grab(int line, int templateId, const std::string& dir, const std::string& file) {
  const WindowHandle window = openWindow(line, templateId);
  const std::string path = dir.empty() ? file : dir + "/" + file;
  if (!system_.grab(window, path)) fail(line, "cannot write " + path);
}

}  // namespace orbalta::replay
