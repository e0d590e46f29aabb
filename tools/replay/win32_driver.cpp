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
  attach(nullptr);
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

void Win32Driver::attach(DriverHost* host) {
  host_ = host;
  answerThrough(win_, host);
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

void Win32Driver::settle(int line) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that is waiting for it
      break;
    }
    win_.deliver(msg);
  }
  // The system activates another window when the active one goes; should none be left
  // active, the user clicks the one in front.
  if (GetActiveWindow() != nullptr) return;
  HWND front = modalWindow();
  if (front == nullptr) {
    const WindowHandle main = openWindow(kMainWindow);
    front = main ? win_.nativeWindow(main) : nullptr;
  }
  if (front != nullptr) activate(line, front);
}

// --- Windows and controls ---

WindowHandle Win32Driver::openWindow(int templateId) {
  const WindowHandle window = win_.windowOfTemplate(templateId);
  return window != 0 && win_.isVisible(window) ? window : 0;
}

std::optional<ControlView> Win32Driver::control(WindowHandle window, int id) {
  const HWND top = win_.nativeWindow(window);
  const HWND c = top && id >= 0 ? GetDlgItem(top, id) : nullptr;
  if (c == nullptr) return std::nullopt;
  ControlView view;
  view.shown = (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE) != 0;
  view.focused = GetFocus() == c;
  view.toolTip = win_.toolTip(window, id);
  if (platform::hasClass(c, L"ListBox"))
    view.items = static_cast<int>(SendMessageW(c, LB_GETCOUNT, 0, 0));
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

HWND Win32Driver::topOf(int line, int templateId) {
  const WindowHandle window = openWindow(templateId);
  if (window == 0) fail(line, "window " + std::to_string(templateId) + " is not open");
  return win_.nativeWindow(window);
}

HWND Win32Driver::find(int line, const ControlRef& ref, HWND& top) {
  top = topOf(line, ref.window);
  const HWND c = ref.id >= 0 ? GetDlgItem(top, ref.id) : nullptr;
  if (c == nullptr) {
    fail(line,
         "window " + std::to_string(ref.window) + " has no control " + std::to_string(ref.id));
  }
  return c;
}

HWND Win32Driver::modalWindow() const {
  const std::vector<WindowHandle> modals = host_->modalWindows();
  for (auto window = modals.rbegin(); window != modals.rend(); ++window) {
    const HWND top = win_.nativeWindow(*window);
    if (top != nullptr && IsWindowVisible(top)) return top;
  }
  return nullptr;
}

bool Win32Driver::closeModal() {
  const HWND modal = modalWindow();
  if (modal == nullptr) return false;
  SendMessageW(modal, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

int Win32Driver::templateOf(HWND top) const {
  const WindowHandle window = win_.handleOf(top);
  for (const int id : kWindows) {
    if (window != 0 && win_.windowOfTemplate(id) == window) return id;
  }
  return 0;
}

void Win32Driver::checkNotBlocked(int line, HWND top, int templateId) {
  const HWND modal = modalWindow();
  if (modal != nullptr && modal != top) {
    fail(line, "window " + std::to_string(templateId) + " is blocked by the modal window " +
                   std::to_string(templateOf(modal)));
  }
}

// A click into a window that is not active activates it first, as the system does.
void Win32Driver::activate(int line, HWND top) {
  if (GetActiveWindow() == top) return;
  SetForegroundWindow(top);
  SetActiveWindow(top);
  if (GetActiveWindow() != top) {
    fail(line, "window " + std::to_string(templateOf(top)) + " cannot be activated");
  }
}

HWND Win32Driver::focusTarget(int line) {
  // The keyboard goes to the modal window while there is one.
  if (const HWND modal = modalWindow(); modal != nullptr && GetActiveWindow() != modal) {
    activate(line, modal);
  }
  const HWND focus = GetFocus();
  if (focus == nullptr) fail(line, "no window has the keyboard focus");
  return focus;
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
