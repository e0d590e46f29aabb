// The user's actions on Windows: each one the messages that the system makes of a person's
// input, reaching whatever the system would deliver them to.

#include <array>
#include <cstring>
#include <string>

#include "tools/replay/win32_driver.h"

namespace orbalta::replay {

using platform::WindowHandle;

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
std::optional<POINT> caretAt(HWND edit, int position) {
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
  if (!platform::hasClass(button, L"Button")) return POINT{client.right / 2, client.bottom / 2};
  const LONG style = GetWindowLongW(button, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const bool boxed = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
  if (!boxed || (style & BS_PUSHLIKE)) return POINT{client.right / 2, client.bottom / 2};
  const int half = GetSystemMetrics(SM_CXMENUCHECK) / 2;
  const int x = (style & BS_LEFTTEXT) ? client.right - half - 1 : half + 1;
  return POINT{x < client.right ? x : client.right / 2, client.bottom / 2};
}

Point pointOf(POINT p) {
  return Point{static_cast<int>(p.x), static_cast<int>(p.y)};
}

}  // namespace

std::optional<Point> Win32Driver::caretPoint(WindowHandle window, int id, int position) {
  const std::optional<POINT> at = caretAt(controlWindow(window, id), position);
  return at ? std::optional<Point>(pointOf(*at)) : std::nullopt;
}

Point Win32Driver::aimPoint(WindowHandle window, int id) {
  return pointOf(buttonPoint(controlWindow(window, id)));
}

std::optional<Point> Win32Driver::itemPoint(WindowHandle window, int id, int index) {
  const HWND list = controlWindow(window, id);
  RECT client;
  GetClientRect(list, &client);
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
  if (!IntersectRect(&visible, &r, &client)) return std::nullopt;
  return Point{(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
}

// A real click: it reaches whatever is at that point; a disabled control passes it to its
// window, which ignores it.
Hit Win32Driver::click(WindowHandle window, int id, Point point) {
  const HWND target = controlWindow(window, id);
  const HWND top = GetAncestor(target, GA_ROOT);
  POINT screen{point.x, point.y};
  ClientToScreen(target, &screen);
  const HWND hit = controlAt(top, screen);
  if (hit != target && !IsChild(target, hit)) {
    return Hit{false, hit != top ? std::optional<int>(GetDlgCtrlID(hit)) : std::nullopt};
  }
  const HWND receiver = IsWindowEnabled(hit) ? hit : top;
  POINT inReceiver = screen;
  ScreenToClient(receiver, &inReceiver);
  SetCursorPos(screen.x, screen.y);
  deliver(receiver, WM_MOUSEMOVE, 0, pointParam(inReceiver));
  deliver(receiver, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(inReceiver));
  deliver(receiver, WM_LBUTTONUP, 0, pointParam(inReceiver));
  return Hit{};
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

bool Win32Driver::keyboardFocus() {
  return GetFocus() != nullptr;
}

bool Win32Driver::focusInEdit() {
  return platform::hasClass(GetFocus(), L"Edit");
}

void Win32Driver::pressKey(KeyName name) {
  for (const NamedKey& k : kKeys) {
    if (k.name != name) continue;
    const Key key{k.vk, k.shift, k.control, k.extended};
    // Ctrl+A's character does not depend on the layout's idea of control letters.
    press(GetFocus(), key, name == KeyName::CtrlA ? std::optional<wchar_t>(kCtrlA) : std::nullopt);
  }
}

void Win32Driver::typeCharacter(char character) {
  const wchar_t c = platform::wideFrom1252(std::string_view(&character, 1)).front();
  const SHORT scan = VkKeyScanW(c);
  const bool onLayout = scan != -1;
  const Key key{onLayout ? LOBYTE(scan) : static_cast<UINT>(VK_PACKET),
                onLayout && (HIBYTE(scan) & 1) != 0};
  press(GetFocus(), key, c);
}

std::optional<int> Win32Driver::paste(const std::string& text) {
  const HWND target = GetFocus();
  const std::wstring wide = platform::wideFrom1252(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr || !OpenClipboard(nullptr)) return std::nullopt;
  std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
  GlobalUnlock(memory);
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) return std::nullopt;
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
  return counted.changes;
}

}  // namespace orbalta::replay
