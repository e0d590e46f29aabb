#include "tools/replay/win32_driver.h"

#include <string>

namespace orbalta::replay {

using platform::WindowHandle;

namespace {

constexpr UINT kRunNow = WM_APP + 1;
constexpr wchar_t kTimerClass[] = L"OrbaltaReplayTimers";

}  // namespace

// The engine's calls arrive through a window of their own, in the queue like everything else:
// a call due now is posted, a later one is a timer.
Win32Driver::Win32Driver(platform::Win32Platform& win) : win_(win) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW cls{};
  cls.lpfnWndProc = &Win32Driver::timerProc;
  cls.hInstance = instance;
  cls.lpszClassName = kTimerClass;
  RegisterClassW(&cls);
  timers_ = CreateWindowExW(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                            nullptr);
  SetWindowLongPtrW(timers_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Driver::~Win32Driver() {
  if (timers_) DestroyWindow(timers_);
}

LRESULT CALLBACK Win32Driver::timerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Driver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == WM_TIMER) {
    KillTimer(hwnd, wParam);
    self->runScheduled(wParam);
    return 0;
  }
  if (self && message == kRunNow) {
    self->runScheduled(static_cast<UINT_PTR>(wParam));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Driver::runScheduled(UINT_PTR id) {
  const auto it = scheduled_.find(id);
  if (it == scheduled_.end()) return;
  const std::function<void()> run = std::move(it->second);
  scheduled_.erase(it);
  run();
}

void Win32Driver::schedule(int delayMs, std::function<void()> run) {
  const UINT_PTR id = nextId_++;
  scheduled_[id] = std::move(run);
  if (delayMs <= 0) {
    PostMessageW(timers_, kRunNow, id, 0);
  } else {
    SetTimer(timers_, id, static_cast<UINT>(delayMs), nullptr);
  }
}

void Win32Driver::deliverQueued() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that is waiting for it
      break;
    }
    win_.deliver(msg);
  }
}

std::u16string Win32Driver::shown(std::string_view windows1252) {
  const std::wstring wide = platform::wideFrom1252(windows1252);
  return std::u16string(wide.begin(), wide.end());
}

// --- Windows ---

WindowHandle Win32Driver::windowOfTemplate(int templateId) {
  return win_.windowOfTemplate(templateId);
}

int Win32Driver::templateOf(HWND top) const {
  const WindowHandle window = win_.handleOf(top);
  for (const int id : kWindows) {
    if (window != 0 && win_.windowOfTemplate(id) == window) return id;
  }
  return 0;
}

bool Win32Driver::isActive(WindowHandle window) {
  const HWND top = win_.nativeWindow(window);
  return top != nullptr && GetActiveWindow() == top;
}

bool Win32Driver::anyActive() {
  return GetActiveWindow() != nullptr;
}

// The system activates another window when the active one goes; should none be left
// active, the user clicks the one in front.
WindowHandle Win32Driver::nextActive(WindowHandle modal) {
  if (modal != 0) return modal;
  const WindowHandle main = win_.windowOfTemplate(kMainWindow);
  return main != 0 && win_.isVisible(main) ? main : 0;
}

bool Win32Driver::activate(WindowHandle window) {
  const HWND top = win_.nativeWindow(window);
  if (top == nullptr) return false;
  SetForegroundWindow(top);
  SetActiveWindow(top);
  return GetActiveWindow() == top;
}

void Win32Driver::closeBox(WindowHandle window) {
  if (const HWND top = win_.nativeWindow(window)) SendMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool Win32Driver::grab(WindowHandle window, const std::string& path) {
  const HWND top = win_.nativeWindow(window);
  return top != nullptr && writeWindowPicture(top, path);
}

// --- Controls ---

HWND Win32Driver::controlWindow(WindowHandle window, int id) const {
  const HWND top = win_.nativeWindow(window);
  return top && id >= 0 ? GetDlgItem(top, id) : nullptr;
}

namespace {

// The characters the control puts on screen: none for a picture or an image button, whose
// window text is a resource name or a caption that the image replaces.
std::u16string shownText(HWND c) {
  const LONG style = GetWindowLongW(c, GWL_STYLE);
  const bool picture = platform::hasClass(c, L"Static") &&
                       ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP);
  const bool image = platform::hasClass(c, L"Button") && (style & (BS_ICON | BS_BITMAP)) != 0;
  if (picture || image) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(c)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(c, text.data(), static_cast<int>(text.size()))));
  return std::u16string(text.begin(), text.end());
}

}  // namespace

std::optional<ControlView> Win32Driver::control(WindowHandle window, int id) {
  const HWND c = controlWindow(window, id);
  if (c == nullptr) return std::nullopt;
  ControlView view;
  view.visible = IsWindowVisible(c) != FALSE;
  view.shown = (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE) != 0;
  view.enabled = IsWindowEnabled(c) != FALSE;
  view.focused = GetFocus() == c;
  view.toolTip = win_.toolTip(window, id);
  view.text = shownText(c);
  if (platform::hasClass(c, L"ListBox")) {
    view.kind = ControlView::Kind::List;
    view.items = static_cast<int>(SendMessageW(c, LB_GETCOUNT, 0, 0));
  } else if (platform::hasClass(c, L"Edit")) {
    view.kind = ControlView::Kind::Edit;
    view.length = GetWindowTextLengthW(c);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(c, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    view.caret = static_cast<int>(end);
    view.selection = start != end;
  }
  return view;
}

std::optional<ControlRef> Win32Driver::focusedControl() {
  const HWND focus = GetFocus();
  if (focus == nullptr) return std::nullopt;
  const HWND top = GetAncestor(focus, GA_ROOT);
  for (HWND w = focus; w != nullptr && w != top; w = GetParent(w)) {
    if (GetParent(w) == top) return ControlRef{templateOf(top), GetDlgCtrlID(w)};
  }
  return std::nullopt;
}

void Win32Driver::deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = GetTickCount();
  GetCursorPos(&msg.pt);
  win_.deliver(msg);
}

}  // namespace orbalta::replay
