// The user's actions on Windows: each one the messages that the system makes of a person's
// input, reaching whatever the system would deliver them to.

#include <array>
#include <cstring>
#include <string>

#include "tools/replay/win32_driver.h"

namespace orbalta::replay {

namespace {

LPARAM pointParam(POINT p) {
  return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// The control that takes a click at `screen`, as the system finds it: the topmost shown child
// there that does not let clicks through (labels and group boxes do), else the window itself.
HWND controlAt(HWND top, POINT screen) {
  for (HWND c = GetWindow(top, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    if (!IsWindowVisible(c) || !GetWindowRect(c, &r) || !PtInRect(&r, screen)) continue;
    if (SendMessageW(c, WM_NCHITTEST, 0, pointParam(screen)) == HTTRANSPARENT) continue;
    return c;
  }
  return top;
}

// Where to click in an edit so that the caret lands before character `position`: the middle
// of the stretch of x that the edit itself maps to that position.
std::optional<POINT> caretPoint(HWND edit, int position) {
  RECT client;
  GetClientRect(edit, &client);
  const int y = client.bottom / 2;
  int first = -1;
  int last = -1;
  for (int x = 1; x < client.right - 1; ++x) {
    const LRESULT at = SendMessageW(edit, EM_CHARFROMPOS, 0, pointParam({x, y}));
    if (LOWORD(at) == position) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return std::nullopt;
  return POINT{(first + last) / 2, y};
}

// A check box or radio button takes clicks anywhere on it; its box is the part that is
// always there, whatever the caption's width.
POINT buttonPoint(HWND button) {
  RECT client;
  GetClientRect(button, &client);
  const LONG style = GetWindowLongW(button, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const bool boxed = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
  if (!boxed || (style & BS_PUSHLIKE)) return POINT{client.right / 2, client.bottom / 2};
  const int half = GetSystemMetrics(SM_CXMENUCHECK) / 2;
  const int x = (style & BS_LEFTTEXT) ? client.right - half - 1 : half + 1;
  return POINT{x < client.right ? x : client.right / 2, client.bottom / 2};
}

std::pair<int, int> selection(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

}  // namespace

// A real click: it reaches whatever is at that point; a disabled control passes it to its
// window, which ignores it.
void Win32Driver::mouseClick(int line, HWND target, POINT point, const std::string& what) {
  const HWND top = GetAncestor(target, GA_ROOT);
  POINT screen = point;
  ClientToScreen(target, &screen);
  const HWND hit = controlAt(top, screen);
  if (hit != target && !IsChild(target, hit)) {
    fail(line, what + " is covered at the point clicked" +
                   (hit != top ? " by control " + std::to_string(GetDlgCtrlID(hit)) : ""));
  }
  const HWND receiver = IsWindowEnabled(hit) ? hit : top;
  POINT inReceiver = screen;
  ScreenToClient(receiver, &inReceiver);
  SetCursorPos(screen.x, screen.y);
  deliver(receiver, WM_MOUSEMOVE, 0, pointParam(inReceiver));
  deliver(receiver, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(inReceiver));
  deliver(receiver, WM_LBUTTONUP, 0, pointParam(inReceiver));
}

void Win32Driver::click(int line, const ControlRef& control, std::optional<int> caretWanted) {
  HWND top = nullptr;
  const HWND target = find(line, control, top);
  const std::string name = "control " + controlText(control);
  checkNotBlocked(line, top, control.window);
  if (!IsWindowVisible(target)) fail(line, name + " is hidden");
  activate(line, top);

  const bool edit = platform::hasClass(target, L"Edit");
  if (caretWanted && !edit)
    fail(line, "a caret position needs an edit box; " + name + " is not one");
  POINT point{};
  int caret = -1;
  if (edit) {
    const int length = GetWindowTextLengthW(target);
    caret = caretWanted.value_or(length);
    if (caret > length) {
      fail(line, name + " holds " + std::to_string(length) + " characters, fewer than " +
                     std::to_string(caret));
    }
    const std::optional<POINT> at = caretPoint(target, caret);
    if (!at)
      fail(line, "position " + std::to_string(caret) + " of " + name + " is scrolled out of view");
    point = *at;
  } else {
    point = buttonPoint(target);
  }
  const bool checkCaret = edit && IsWindowEnabled(target);
  mouseClick(line, target, point, name);

  if (checkCaret && !host_->quitPosted() && IsWindow(target)) {
    if (GetFocus() != target) fail(line, name + " did not take the focus");
    const auto [start, end] = selection(target);
    if (start != end || end != caret) {
      fail(line, "the caret landed at " + std::to_string(end) +
                     (start != end ? " with a selection" : "") + ", not at " +
                     std::to_string(caret));
    }
  }
}

void Win32Driver::select(int line, const ControlRef& control, int item) {
  HWND top = nullptr;
  const HWND list = find(line, control, top);
  const std::string name = "control " + controlText(control);
  if (!platform::hasClass(list, L"ListBox")) fail(line, name + " is not a list box");
  checkNotBlocked(line, top, control.window);
  if (!IsWindowVisible(list)) fail(line, name + " is hidden");
  const int rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  if (item > rows) {
    fail(line,
         name + " has " + std::to_string(rows) + " items, fewer than " + std::to_string(item));
  }
  activate(line, top);
  RECT client;
  GetClientRect(list, &client);
  POINT point{client.right / 2, client.bottom / 2};
  if (IsWindowEnabled(list)) {
    // The user scrolls the item into view first; scrolling selects nothing.
    const int index = item - 1;
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int shown = height > 0 ? static_cast<int>(client.bottom) / height : 1;
    const int topIndex = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    if (index < topIndex) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    if (shown > 0 && index >= topIndex + shown) {
      SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index - shown + 1), 0);
    }
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    RECT visible{};
    if (!IntersectRect(&visible, &r, &client)) {
      fail(line, "item " + std::to_string(item) + " of " + name + " cannot be shown");
    }
    point = POINT{(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
  }
  mouseClick(line, list, point, name);
}

void Win32Driver::press(HWND target, const Key& key, std::optional<wchar_t> typed) {
  BYTE state[256];
  GetKeyboardState(state);
  BYTE held[256];
  std::copy(std::begin(state), std::end(state), std::begin(held));
  auto hold = [&held](UINT vk, UINT side, bool down) {
    if (!down) return;
    held[vk] |= 0x80;
    held[side] |= 0x80;
  };
  hold(VK_SHIFT, VK_LSHIFT, key.shift);
  hold(VK_CONTROL, VK_LCONTROL, key.control);
  SetKeyboardState(held);

  const UINT scan = MapVirtualKeyW(key.vk, MAPVK_VK_TO_VSC);
  const LPARAM down = static_cast<LPARAM>(1 | (scan << 16) | (key.extended ? 1u << 24 : 0u));
  const LPARAM up = static_cast<LPARAM>(static_cast<UINT>(down) | 0xC0000000u);
  deliver(target, WM_KEYDOWN, key.vk, down);
  // What the layout makes of the key, as the loop would take it from the queue.
  MSG made;
  std::vector<MSG> characters;
  while (PeekMessageW(&made, nullptr, WM_CHAR, WM_UNICHAR, PM_REMOVE)) {
    if (made.message == WM_QUIT) {  // taken whatever the filter: left for the loop
      PostQuitMessage(static_cast<int>(made.wParam));
      break;
    }
    characters.push_back(made);
  }
  if (typed) {
    deliver(target, WM_CHAR, *typed, down);
  } else {
    for (MSG& character : characters) win_.deliver(character);
  }
  // The key comes up wherever the focus went meanwhile.
  if (IsWindow(target)) deliver(GetFocus() ? GetFocus() : target, WM_KEYUP, key.vk, up);
  SetKeyboardState(state);
}

namespace {

struct NamedKey {
  KeyName name;
  UINT vk;
  bool shift;
  bool control;
  bool extended;
};

constexpr std::array<NamedKey, 14> kKeys{{
    {KeyName::Tab, VK_TAB, false, false, false},
    {KeyName::ShiftTab, VK_TAB, true, false, false},
    {KeyName::Enter, VK_RETURN, false, false, false},
    {KeyName::Esc, VK_ESCAPE, false, false, false},
    {KeyName::Left, VK_LEFT, false, false, true},
    {KeyName::Right, VK_RIGHT, false, false, true},
    {KeyName::Up, VK_UP, false, false, true},
    {KeyName::Down, VK_DOWN, false, false, true},
    {KeyName::Home, VK_HOME, false, false, true},
    {KeyName::End, VK_END, false, false, true},
    {KeyName::Backspace, VK_BACK, false, false, false},
    {KeyName::Delete, VK_DELETE, false, false, true},
    {KeyName::Space, VK_SPACE, false, false, false},
    {KeyName::CtrlA, 'A', false, true, false},
}};

constexpr wchar_t kCtrlA = 0x01;
constexpr wchar_t kCtrlV = 0x16;

}  // namespace

void Win32Driver::pressKey(int line, KeyName name) {
  for (const NamedKey& k : kKeys) {
    if (k.name != name) continue;
    const Key key{k.vk, k.shift, k.control, k.extended};
    // Ctrl+A's character does not depend on the layout's idea of control letters.
    press(focusTarget(line), key,
          name == KeyName::CtrlA ? std::optional<wchar_t>(kCtrlA) : std::nullopt);
  }
}

void Win32Driver::typeText(int line, const std::string& text) {
  // One key press per character, so that each is one change of the focused control.
  for (const wchar_t c : platform::wideFrom1252(text)) {
    if (host_->quitPosted()) fail(line, "the program ended before the whole text was typed");
    const HWND target = focusTarget(line);
    if (c == L'\n' || c == L'\r') {
      press(target, Key{VK_RETURN}, std::nullopt);
    } else if (c == L'\t') {
      press(target, Key{VK_TAB}, std::nullopt);
    } else if (c < 0x20 || c == 0x7f) {
      fail(line,
           "cannot type the control character " + escapeText(std::string(1, static_cast<char>(c))));
    } else {
      const SHORT scan = VkKeyScanW(c);
      const bool onLayout = scan != -1;
      const Key key{onLayout ? LOBYTE(scan) : static_cast<UINT>(VK_PACKET),
                    onLayout && (HIBYTE(scan) & 1) != 0};
      press(target, key, c);
    }
  }
}

void Win32Driver::paste(int line, const std::string& text) {
  const HWND target = focusTarget(line);
  if (!platform::hasClass(target, L"Edit"))
    fail(line, "paste needs the keyboard focus in an edit box");
  const std::wstring wide = platform::wideFrom1252(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr || !OpenClipboard(nullptr)) fail(line, "the clipboard cannot be written");
  std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
  GlobalUnlock(memory);
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) fail(line, "the clipboard cannot be written");
  // The changes the edit reports to its window while the paste is handled, the program's own
  // writes aside: a paste is one.
  static thread_local struct {
    const platform::Win32Platform* win;
    HWND edit;
    int changes;
  } counted;
  counted = {&win_, target, 0};
  struct Hook {
    HHOOK handle;
    ~Hook() {
      if (handle) UnhookWindowsHookEx(handle);
    }
  } hook{SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == WM_COMMAND && HIWORD(sent->wParam) == EN_CHANGE &&
            reinterpret_cast<HWND>(sent->lParam) == counted.edit && !counted.win->writing()) {
          ++counted.changes;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId())};
  press(target, Key{'V', false, true}, kCtrlV);
  if (counted.changes > 1)
    fail(line, "the paste made " + std::to_string(counted.changes) + " changes");
}

void Win32Driver::closeWindow(int line, int templateId) {
  const HWND top = topOf(line, templateId);
  checkNotBlocked(line, top, templateId);
  activate(line, top);
  SendMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Win32Driver::grab(int line, int templateId, const std::string& dir, const std::string& file) {
  const HWND top = topOf(line, templateId);
  const std::string path = dir + "/" + file;
  if (!writeWindowPicture(top, path)) fail(line, "cannot write " + path);
}

}  // namespace orbalta::replay
