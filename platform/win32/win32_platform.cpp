// The platform on the Windows user interface and kernel. Sections: the Platform operations on
// windows and controls; icons; system dialogs and services; the message loop; for the scripted
// user and the tests. Windows are built in win32_window_build.cpp, system dialogs shown in
// system_dialogs.cpp, tool tips in win32_tool_tips.cpp, names for assistive technologies in
// win32_accessibility.cpp and texts converted in win32_text.cpp.

#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_platform_impl.h"

namespace orbalta::platform {

bool hasClass(HWND hwnd, const wchar_t* className) {
  wchar_t name[16] = {};
  return hwnd && GetClassNameW(hwnd, name, 16) > 0 && _wcsicmp(name, className) == 0;
}

namespace {

bool isEdit(HWND hwnd) {
  return hasClass(hwnd, L"Edit");
}

std::optional<DialogKey> dialogKeyOf(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return std::nullopt;
  switch (msg.wParam) {
    case VK_TAB:
      return GetKeyState(VK_SHIFT) < 0 ? DialogKey::BackTab : DialogKey::Tab;
    case VK_RETURN:
      return DialogKey::Enter;
    case VK_ESCAPE:
      return DialogKey::Escape;
    case VK_LEFT:
      return DialogKey::Left;
    case VK_RIGHT:
      return DialogKey::Right;
    case VK_UP:
      return DialogKey::Up;
    case VK_DOWN:
      return DialogKey::Down;
  }
  return std::nullopt;
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

Win32Platform::~Win32Platform() {
  for (HICON icon : icons_) DestroyIcon(icon);
  releaseAccessibility();
}

Win32Platform::Window* Win32Platform::find(WindowHandle window) const {
  return windows_.find(window);
}

HWND Win32Platform::nativeWindow(WindowHandle window) const {
  const Window* w = find(window);
  return w ? w->hwnd : nullptr;
}

// Many labels share the id -1: by that id the system finds only the first of them, so a
// write meant for one label would land on another (a group box's caption, say). Labels keep
// the captions of their templates.
HWND Win32Platform::control(WindowHandle window, int id) const {
  Window* w = find(window);
  if (!w || id == -1) return nullptr;
  // Under Wine each GetDlgItem asks the server for the list of children; a control lives as
  // long as its window.
  HWND& c = w->controls[id];
  if (!c) c = GetDlgItem(w->hwnd, id);
  return c;
}

// --- Platform: windows ---

void Win32Platform::showWindow(WindowHandle window, int showMode) {
  if (const HWND hwnd = nativeWindow(window)) {
    {
      ProgramWrites::Scope writing(writes_);
      ShowWindow(hwnd, showMode);
    }
  }
}

void Win32Platform::bringToFront(WindowHandle window) {
  if (const HWND hwnd = nativeWindow(window)) {
    {
      ProgramWrites::Scope writing(writes_);
      if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    }
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
  }
}

void Win32Platform::setWindowTitle(WindowHandle window, std::string_view title) {
  if (const HWND hwnd = nativeWindow(window)) SetWindowTextW(hwnd, wideFrom1252(title).c_str());
}

bool Win32Platform::pumpOne(MSG& msg) {
  if (!pendingNames_.empty() && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    applyPendingNames();
  }
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) return false;
  deliver(msg);
  return true;
}

void Win32Platform::deliver(MSG& msg) {
  // Not every edit control selects all on Ctrl+A (older systems and Wine do not); the
  // program's edits all do.
  if (msg.message == WM_CHAR && msg.wParam == 0x01 && isEdit(msg.hwnd)) {
    SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
    return;
  }
  const HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  const Window* w =
      windows_.findIf([top](const Window& candidate) { return candidate.hwnd == top; });
  if (w) {
    const auto key = dialogKeyOf(msg);
    MessageRouter* router = modalRuns_ == 0 ? router_ : nullptr;
    const bool navigate = !key || !router || router->route(KeyMessage{w->handle, *key});
    if (navigate && IsDialogMessageW(w->hwnd, &msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int Win32Platform::runModal(WindowHandle window) {
  Window* w = find(window);
  if (!w) return -1;
  w->modalEnded = false;
  const HWND owner = w->ownerWindow;
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(w->hwnd, SW_SHOW);
  ++modalRuns_;
  MSG msg{};
  while (!w->modalEnded) {
    if (!pumpOne(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the outer loop
      break;
    }
    w = find(window);
    if (!w) break;
  }
  --modalRuns_;
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (!w) return -1;
  return w->modalResult;
}

void Win32Platform::endModal(WindowHandle window, int result) {
  if (Window* w = find(window)) {
    w->modalEnded = true;
    w->modalResult = result;
    ShowWindow(w->hwnd, SW_HIDE);
  }
}

void Win32Platform::destroyWindow(WindowHandle window) {
  if (const HWND hwnd = nativeWindow(window)) DestroyWindow(hwnd);
}

bool Win32Platform::isVisible(WindowHandle window) {
  const HWND hwnd = nativeWindow(window);
  return hwnd && IsWindowVisible(hwnd);
}

// --- Platform: controls ---

void Win32Platform::setText(WindowHandle window, int id, std::string_view text) {
  if (const HWND c = control(window, id)) {
    {
      ProgramWrites::Scope writing(writes_);
      SetWindowTextW(c, wideFrom1252(text).c_str());
    }
    if (Window* w = find(window)) win32::fitText(w->hwnd, c, w->fittedFonts);
  }
}

std::string Win32Platform::text(WindowHandle window, int id) {
  const HWND c = control(window, id);
  return c ? win32::windowText(c) : std::string();
}

void Win32Platform::setEnabled(WindowHandle window, int id, bool enabled) {
  if (const HWND c = control(window, id)) EnableWindow(c, enabled ? TRUE : FALSE);
}

bool Win32Platform::isEnabled(WindowHandle window, int id) {
  const HWND c = control(window, id);
  return c && IsWindowEnabled(c);
}

void Win32Platform::setChecked(WindowHandle window, int id, bool checked) {
  if (const HWND c = control(window, id)) {
    SendMessageW(c, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

bool Win32Platform::isChecked(WindowHandle window, int id) {
  const HWND c = control(window, id);
  return c && SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Platform::setCaret(WindowHandle window, int id, int position) {
  if (const HWND c = control(window, id)) SendMessageW(c, EM_SETSEL, position, position);
}

int Win32Platform::caret(WindowHandle window, int id) {
  const HWND c = control(window, id);
  if (!c) return 0;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(c, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end);
}

void Win32Platform::setListItems(WindowHandle window, int id,
                                 const std::vector<std::string>& items) {
  const HWND c = control(window, id);
  if (!c) return;
  ProgramWrites::Scope writing(writes_);
  SendMessageW(c, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(c, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFrom1252(item).c_str()));
  }
}

void Win32Platform::setListSelection(WindowHandle window, int id, int index) {
  if (const HWND c = control(window, id)) SendMessageW(c, LB_SETCURSEL, index, 0);
}

int Win32Platform::listSelection(WindowHandle window, int id) {
  const HWND c = control(window, id);
  return c ? static_cast<int>(SendMessageW(c, LB_GETCURSEL, 0, 0)) : -1;
}

// --- Platform: icons ---

// Icon sizes cross this interface as pixels of a 96-DPI screen; the images are taken at the
// screen's own scale, from the icon's image of that size, instead of being stretched.
static int screenDpi() {
  const HDC screen = GetDC(nullptr);
  if (!screen) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int Win32Platform::smallIconSize() {
  return MulDiv(GetSystemMetrics(SM_CXSMICON), 96, screenDpi());
}

IconHandle Win32Platform::loadIcon(int resourceId, int size) {
  const int pixels = MulDiv(size, screenDpi(), 96);
  const HANDLE icon =
      LoadImageW(instance_, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, pixels, pixels, LR_SHARED);
  if (!icon) return 0;
  icons_.push_back(static_cast<HICON>(icon));
  return static_cast<IconHandle>(icons_.size());
}

void Win32Platform::setWindowIcon(WindowHandle window, IconHandle icon) {
  const HWND hwnd = nativeWindow(window);
  if (hwnd && icon > 0 && icon <= icons_.size()) {
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[icon - 1]));
  }
}

void Win32Platform::setButtonImage(WindowHandle window, int id, IconHandle icon) {
  const HWND c = control(window, id);
  if (c && icon > 0 && icon <= icons_.size()) {
    SendMessageW(c, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons_[icon - 1]));
  }
}

// --- Platform: system dialogs and services ---

void Win32Platform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  win32::showMessageBox(wideFrom1252(text), title, icon);
}

void Win32Platform::fileMessageBox(const FileMessage& message, std::string_view title,
                                   MessageIcon icon) {
  win32::showMessageBox(
      wideFrom1252(message.before) + wideFromUtf8(message.path) + wideFrom1252(message.after),
      title, icon);
}

std::optional<std::string> Win32Platform::openFile(const OpenFileRequest& request) {
  return win32::runOpenFileDialog(request);
}

std::optional<std::string> Win32Platform::currentDirectory() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return std::nullopt;
  std::wstring buffer(n, L'\0');
  const DWORD written = GetCurrentDirectoryW(n, buffer.data());
  if (written == 0 || written >= n) return std::nullopt;
  return toUtf8(buffer.data(), static_cast<int>(written));
}

// --- The message loop ---

int Win32Platform::runMessageLoop(MessageRouter& router) {
  MessageRouter* const outer = router_;
  router_ = &router;
  MSG msg{};
  while (pumpOne(msg)) {
  }
  router_ = outer;
  return static_cast<int>(msg.wParam);
}

void Win32Platform::postQuit(int code) {
  PostQuitMessage(code);
}

// --- For the scripted user and the tests ---

WindowHandle Win32Platform::windowOfTemplate(int templateId) const {
  return windows_.newestOfTemplate(templateId);
}

WindowHandle Win32Platform::handleOf(HWND hwnd) const {
  const Window* w =
      windows_.findIf([hwnd](const Window& candidate) { return candidate.hwnd == hwnd; });
  return w ? w->handle : 0;
}

}  // namespace orbalta::platform
