#include "tools/replay/web/web_driver.h"

#include <array>

extern "C" {
int orbrep_rect(unsigned handle, int index, int* out);
int orbrep_focus(int* out);
int orbrep_edit(unsigned handle, int index, int* out);
int orbrep_caret_x(unsigned handle, int index, int position);
int orbrep_item(unsigned handle, int index, int item, int* out);
int orbrep_items(unsigned handle, int index);
void orbrep_aim(unsigned handle, int index, int* out);
int orbrep_hit(unsigned handle, int index, int x, int y, int* covering);
unsigned orbrep_topmost();
int orbrep_in_edit();
int orbrep_input(int op, int a, int b, const char16_t* text, int length);
}

namespace orbalta::replay {

using platform::WindowHandle;

namespace {

enum Op { kClick = 1, kKey = 2, kChar = 3, kPaste = 4, kGrab = 5, kCloseBox = 6, kActivate = 7 };

int input(int op, int a, int b = 0, std::u16string_view text = {}) {
  return orbrep_input(op, a, b, text.data(), static_cast<int>(text.size()));
}

// The script's keys in the order replay_library.js names them.
constexpr std::array<KeyName, 14> kKeys{
    KeyName::Tab,       KeyName::ShiftTab, KeyName::Enter, KeyName::Esc,  KeyName::Left,
    KeyName::Right,     KeyName::Up,       KeyName::Down,  KeyName::Home, KeyName::End,
    KeyName::Backspace, KeyName::Delete,   KeyName::Space, KeyName::CtrlA};

}  // namespace

void WebDriver::schedule(int delayMs, std::function<void()> run) {
  web_.schedule(delayMs, std::move(run));
}

int WebDriver::templateOf(WindowHandle window) {
  for (const int id : kWindows) {
    if (window != 0 && web_.windowOfTemplate(id) == window) return id;
  }
  return 0;
}

// --- Windows ---

bool WebDriver::isActive(WindowHandle window) {
  return window != 0 && web_.activeWindow() == window;
}

WindowHandle WebDriver::nextActive(WindowHandle modal) {
  if (modal != 0) return modal;
  const WindowHandle top = orbrep_topmost();
  return templateOf(top) != 0 ? top : 0;
}

bool WebDriver::activate(WindowHandle window) {
  input(kActivate, static_cast<int>(window));
  web_.deliverQueued();
  return isActive(window);
}

void WebDriver::closeBox(WindowHandle window) {
  input(kCloseBox, static_cast<int>(window));
  web_.deliverQueued();
}

bool WebDriver::grab(WindowHandle window, const std::string& path) {
  return input(kGrab, static_cast<int>(window), 0, platform::fromWindows1252(path)) == 1;
}

// --- Controls ---

std::optional<ControlView> WebDriver::control(WindowHandle window, int id) {
  const int index = web_.controlIndex(window, id);
  if (index < 0) return std::nullopt;
  ControlView view;
  int rect[4] = {0, 0, 0, 0};
  view.visible = orbrep_rect(window, index, rect) != 0 && web_.isVisible(window);
  view.shown = web_.controlShown(window, id);
  view.enabled = web_.isEnabled(window, id);
  int focus[2] = {0, -1};
  view.focused = orbrep_focus(focus) != 0 && static_cast<WindowHandle>(focus[0]) == window &&
                 focus[1] == index;
  view.toolTip = web_.toolTip(window, id);
  const int items = orbrep_items(window, index);
  // The characters on screen: none for a list box, a picture or an image button.
  if (items < 0 && !web_.showsImage(window, id)) view.text = shown(web_.text(window, id));
  int edit[3] = {0, 0, 0};
  if (items >= 0) {
    view.kind = ControlView::Kind::List;
    view.items = items;
  } else if (orbrep_edit(window, index, edit) != 0) {
    view.kind = ControlView::Kind::Edit;
    view.length = edit[0];
    view.caret = edit[1];
    view.selection = edit[2] != 0;
  }
  return view;
}

std::optional<ControlRef> WebDriver::focusedControl() {
  int focus[2] = {0, -1};
  if (orbrep_focus(focus) == 0 || focus[1] < 0) return std::nullopt;
  const auto window = static_cast<WindowHandle>(focus[0]);
  const int templateId = templateOf(window);
  if (templateId == 0) return std::nullopt;
  const std::optional<int> id = web_.controlIdAt(window, focus[1]);
  if (!id) return std::nullopt;
  return ControlRef{templateId, *id};
}

std::optional<Point> WebDriver::caretPoint(WindowHandle window, int id, int position) {
  const int index = web_.controlIndex(window, id);
  int rect[4] = {0, 0, 0, 0};
  if (index < 0 || orbrep_rect(window, index, rect) == 0) return std::nullopt;
  const int x = orbrep_caret_x(window, index, position);
  if (x < 0) return std::nullopt;
  return Point{x, rect[3] / 2};
}

Point WebDriver::aimPoint(WindowHandle window, int id) {
  int point[2] = {0, 0};
  orbrep_aim(window, web_.controlIndex(window, id), point);
  return Point{point[0], point[1]};
}

std::optional<Point> WebDriver::itemPoint(WindowHandle window, int id, int index) {
  int point[2] = {0, 0};
  if (orbrep_item(window, web_.controlIndex(window, id), index, point) == 0) return std::nullopt;
  return Point{point[0], point[1]};
}

// A real click at that point of the page: it reaches whatever is on top there.
Hit WebDriver::click(WindowHandle window, int id, Point point) {
  const int index = web_.controlIndex(window, id);
  int rect[4] = {0, 0, 0, 0};
  orbrep_rect(window, index, rect);
  const int x = rect[0] + point.x;
  const int y = rect[1] + point.y;
  int covering = -1;
  if (orbrep_hit(window, index, x, y, &covering) == 0) {
    return Hit{false, web_.controlIdAt(window, covering)};
  }
  input(kClick, x, y);
  web_.deliverQueued();
  return Hit{};
}

// --- The keyboard ---

bool WebDriver::keyboardFocus() {
  int focus[2] = {0, -1};
  return orbrep_focus(focus) != 0;
}

bool WebDriver::focusInEdit() {
  return orbrep_in_edit() != 0;
}

void WebDriver::pressKey(KeyName key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i] == key) input(kKey, static_cast<int>(i));
  }
  web_.deliverQueued();
}

void WebDriver::typeCharacter(char character) {
  input(kChar, 0, 0, platform::fromWindows1252(std::string_view(&character, 1)));
  web_.deliverQueued();
}

std::optional<int> WebDriver::paste(const std::string& text) {
  const int changes = input(kPaste, 0, 0, platform::fromWindows1252(text));
  web_.deliverQueued();
  if (changes < 0) return std::nullopt;
  return changes;
}

}  // namespace orbalta::replay
