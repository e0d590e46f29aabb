#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <commdlg.h>
#include <initguid.h>
#include <oleacc.h>

#include <cstring>

namespace orbalta::platform {

namespace {

std::wstring widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), n);
  return out;
}

std::string narrow(UINT codePage, const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int n = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

bool hasClass(HWND hwnd, const wchar_t* className) {
  wchar_t name[16] = {};
  return hwnd && GetClassNameW(hwnd, name, 16) > 0 && _wcsicmp(name, className) == 0;
}

std::wstring wideFrom1252(std::string_view text) {
  return widen(1252, text);
}
std::string to1252(const wchar_t* text, int length) {
  return narrow(1252, text, length);
}
std::wstring wideFromUtf8(std::string_view text) {
  return widen(CP_UTF8, text);
}
std::string toUtf8(const wchar_t* text, int length) {
  return narrow(CP_UTF8, text, length);
}

struct Win32Platform::Window {
  Win32Platform* platform = nullptr;
  WindowHandle handle = 0;
  int templateId = 0;
  HWND hwnd = nullptr;
  HWND owner = nullptr;
  WindowEvents* events = nullptr;
  HWND tips = nullptr;           // the window's tool tip control, made at its first tip
  std::map<int, HWND> controls;  // found by id so far
  bool modalEnded = false;
  int modalResult = 0;
};

namespace {

std::string windowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int n = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return to1252(buffer.data(), n);
}

bool isEdit(HWND hwnd) {
  return hasClass(hwnd, L"Edit");
}

std::optional<Notification> notificationOf(HWND control, WORD code) {
  if (isEdit(control)) {
    switch (code) {
      case EN_CHANGE:
        return Notification::Changed;
      case EN_UPDATE:
        return Notification::Updated;
      case EN_SETFOCUS:
        return Notification::FocusGained;
      case EN_KILLFOCUS:
        return Notification::FocusLost;
    }
  } else if (hasClass(control, L"ListBox")) {
    switch (code) {
      case LBN_SELCHANGE:
        return Notification::SelectionChanged;
      case LBN_DBLCLK:
        return Notification::DoubleClick;
      case LBN_SETFOCUS:
        return Notification::FocusGained;
      case LBN_KILLFOCUS:
        return Notification::FocusLost;
    }
  } else {
    switch (code) {
      case BN_CLICKED:
        return Notification::Clicked;
      case BN_SETFOCUS:
        return Notification::FocusGained;
      case BN_KILLFOCUS:
        return Notification::FocusLost;
      case BN_DBLCLK:
        return Notification::DoubleClick;
    }
  }
  return std::nullopt;
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

// Every enabled top-level window of this thread but `keep` is disabled while a system dialog
// runs, so that it is modal to the whole program; the list is enabled again afterwards.
struct ApplicationModal {
  explicit ApplicationModal(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &ApplicationModal::disable,
                      reinterpret_cast<LPARAM>(this));
  }
  ~ApplicationModal() {
    for (HWND hwnd : disabled_) EnableWindow(hwnd, TRUE);
  }
  static BOOL CALLBACK disable(HWND hwnd, LPARAM self) {
    auto* me = reinterpret_cast<ApplicationModal*>(self);
    if (hwnd != me->keep_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
      EnableWindow(hwnd, FALSE);
      me->disabled_.push_back(hwnd);
    }
    return TRUE;
  }
  HWND keep_;
  std::vector<HWND> disabled_;
};

// A control's entry in its window's tip control.
TOOLINFOW toolOf(HWND window, HWND control) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

UINT iconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::None:
      break;
  }
  return 0;
}

}  // namespace

// COM and the common dialogs are loaded when first needed: linking them in would load a good
// part of the system's DLLs before the first frame.
template <class Function>
Function systemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = LoadLibraryW(dll);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

Win32Platform::~Win32Platform() {
  for (HICON icon : icons_) DestroyIcon(icon);
  if (namer_.joinable()) namer_.join();
  if (accessibility_) accessibility_->Release();
}

// Accessible names go through the system's property service; without it (as under Wine) the
// controls keep their captions as names.
IAccPropServices* Win32Platform::accessibility() {
  if (accessibilityTried_) return accessibility_;
  accessibilityTried_ = true;
  using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
  using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  const auto initialize = systemFunction<Initialize>(L"ole32.dll", "CoInitializeEx");
  const auto create = systemFunction<Create>(L"ole32.dll", "CoCreateInstance");
  if (!initialize || !create || FAILED(initialize(nullptr, COINIT_MULTITHREADED))) {
    return nullptr;
  }
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                       reinterpret_cast<void**>(&services)))) {
    accessibility_ = services;
  }
  return accessibility_;
}

Win32Platform::Window* Win32Platform::find(WindowHandle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
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

WindowHandle Win32Platform::createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                                         WindowEvents& events) {
  // The compiled template, without WS_VISIBLE: the window shows when the program says so.
  const HRSRC found = FindResourceW(instance_, MAKEINTRESOURCEW(tmpl.id), MAKEINTRESOURCEW(5));
  const HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return 0;
  std::vector<unsigned char> copy(
      static_cast<const unsigned char*>(bytes),
      static_cast<const unsigned char*>(bytes) + SizeofResource(instance_, found));
  constexpr std::size_t kExtendedStyleOffset = 12;  // dlgVer, signature, helpID, exStyle
  DWORD style = 0;
  std::memcpy(&style, copy.data() + kExtendedStyleOffset, sizeof style);
  style &= ~static_cast<DWORD>(WS_VISIBLE);
  std::memcpy(copy.data() + kExtendedStyleOffset, &style, sizeof style);

  auto w = std::make_unique<Window>();
  w->platform = this;
  w->handle = nextHandle_++;
  w->templateId = tmpl.id;
  w->events = &events;
  w->owner = nativeWindow(owner);
  Window* raw = w.get();
  windows_[raw->handle] = std::move(w);
  const HWND hwnd = CreateDialogIndirectParamW(
      instance_, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), raw->owner,
      &Win32Platform::dialogProc, reinterpret_cast<LPARAM>(raw));
  if (!hwnd) {
    windows_.erase(raw->handle);
    return 0;
  }
  return raw->handle;
}

INT_PTR CALLBACK Win32Platform::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* w = reinterpret_cast<Window*>(lParam);
    w->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  }
  auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!w) return FALSE;
  return w->platform->handle(*w, message, wParam, lParam);
}

INT_PTR Win32Platform::handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      w.events->created(w.handle);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const HWND from = reinterpret_cast<HWND>(lParam);
      if (!from) {
        // From the keyboard (IsDialogMessage) or the system menu.
        if (id == IDCANCEL) w.events->cancel(w.handle);
        if (id == IDOK) w.events->defaultCommand(w.handle);
        return TRUE;
      }
      if (quietWrites_ > 0) return TRUE;
      if (const auto what = notificationOf(from, HIWORD(wParam))) {
        w.events->command(w.handle, id, *what);
      }
      return TRUE;
    }
    case WM_CLOSE:
      w.events->cancel(w.handle);
      return TRUE;
    case WM_ACTIVATE:
      w.events->activated(w.handle, LOWORD(wParam) != WA_INACTIVE);
      return FALSE;
    case WM_SIZE:
      // Only the user's minimize, restore or maximize: the program's own showing is quiet.
      if (quietWrites_ == 0 && wParam <= SIZE_MAXIMIZED) w.events->resized(w.handle);
      return FALSE;
    case WM_DESTROY:
      w.events->destroyed(w.handle);
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(w.hwnd, DWLP_USER, 0);
      windows_.erase(w.handle);
      return FALSE;
  }
  return FALSE;
}

void Win32Platform::showWindow(WindowHandle window, int showMode) {
  if (const HWND hwnd = nativeWindow(window)) {
    ++quietWrites_;
    ShowWindow(hwnd, showMode);
    --quietWrites_;
  }
}

void Win32Platform::bringToFront(WindowHandle window) {
  if (const HWND hwnd = nativeWindow(window)) {
    ++quietWrites_;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    --quietWrites_;
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
  Window* w = nullptr;
  for (auto& [handle, candidate] : windows_) {
    if (candidate->hwnd == top) w = candidate.get();
  }
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
  const HWND owner = w->owner;
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

void Win32Platform::setText(WindowHandle window, int id, std::string_view text) {
  if (const HWND c = control(window, id)) {
    ++quietWrites_;
    SetWindowTextW(c, wideFrom1252(text).c_str());
    --quietWrites_;
  }
}

std::string Win32Platform::text(WindowHandle window, int id) {
  const HWND c = control(window, id);
  return c ? windowText(c) : std::string();
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
  ++quietWrites_;
  SendMessageW(c, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(c, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFrom1252(item).c_str()));
  }
  --quietWrites_;
}

void Win32Platform::setListSelection(WindowHandle window, int id, int index) {
  if (const HWND c = control(window, id)) SendMessageW(c, LB_SETCURSEL, index, 0);
}

int Win32Platform::listSelection(WindowHandle window, int id) {
  const HWND c = control(window, id);
  return c ? static_cast<int>(SendMessageW(c, LB_GETCURSEL, 0, 0)) : -1;
}

int Win32Platform::smallIconSize() {
  return GetSystemMetrics(SM_CXSMICON);
}

IconHandle Win32Platform::loadIcon(int resourceId, int size) {
  const HANDLE icon =
      LoadImageW(instance_, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_SHARED);
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

// Names wait until the program is first idle and are then given on a thread of their own:
// loading COM would otherwise delay the first frame.
void Win32Platform::setAccessibleName(WindowHandle window, int id, std::string_view name) {
  if (const HWND c = control(window, id)) pendingNames_.emplace_back(c, wideFrom1252(name));
}

// One tool tip control per window, owned by it and so destroyed with it. The common controls
// are loaded at the first tip, like the common dialogs.
HWND Win32Platform::toolTips(Window& w) {
  if (w.tips) return w.tips;
  using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = systemFunction<Init>(L"comctl32.dll", "InitCommonControlsEx");
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  if (!init || !init(&classes)) return nullptr;
  w.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.hwnd,
                           nullptr, instance_, nullptr);
  // A width makes the control break lines at the texts' line ends.
  if (w.tips) SendMessageW(w.tips, TTM_SETMAXTIPWIDTH, 0, 600);
  return w.tips;
}

void Win32Platform::setToolTip(WindowHandle window, int id, std::string_view text) {
  Window* w = find(window);
  const HWND c = control(window, id);
  if (!w || !c) return;
  const HWND tips = toolTips(*w);
  if (!tips) return;
  std::wstring wide;
  for (const wchar_t ch : wideFrom1252(text)) {
    if (ch == L'\n') wide += L'\r';
    wide += ch;
  }
  TOOLINFOW tool = toolOf(w->hwnd, c);
  const bool known = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  tool.lpszText = wide.data();
  if (text.empty()) {
    if (known) SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(tips, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32Platform::applyPendingNames() {
  auto names = std::move(pendingNames_);
  pendingNames_.clear();
  auto give = [this](const std::vector<std::pair<HWND, std::wstring>>& list) {
    IAccPropServices* services = accessibility();
    for (const auto& [hwnd, name] : list) {
      if (services && IsWindow(hwnd)) {
        services->SetHwndPropStr(hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
      }
    }
  };
  if (!namerStarted_) {
    namerStarted_ = true;
    namer_ = std::thread([give, list = std::move(names)] { give(list); });
    return;
  }
  if (namer_.joinable()) namer_.join();
  give(names);
}

void Win32Platform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  // No owner, and modal to every window of the program.
  MessageBoxW(nullptr, wideFrom1252(text).c_str(), wideFrom1252(title).c_str(),
              MB_OK | MB_TASKMODAL | iconFlag(icon));
}

void Win32Platform::fileMessageBox(const FileMessage& message, std::string_view title,
                                   MessageIcon icon) {
  const std::wstring text =
      wideFrom1252(message.before) + wideFromUtf8(message.path) + wideFrom1252(message.after);
  MessageBoxW(nullptr, text.c_str(), wideFrom1252(title).c_str(),
              MB_OK | MB_TASKMODAL | iconFlag(icon));
}

std::optional<std::string> Win32Platform::openFile(const OpenFileRequest& request) {
  // The filter list: description NUL pattern NUL ... NUL.
  std::wstring filters;
  for (const FileFilter& f : request.filters) {
    filters += wideFrom1252(f.description) + L'\0' + wideFrom1252(f.pattern) + L'\0';
  }
  filters += L'\0';
  std::wstring name = wideFromUtf8(request.fileName);
  name.resize(32768, L'\0');
  const std::wstring title = wideFrom1252(request.title);
  const std::wstring folder = wideFromUtf8(request.initialDir);
  const std::wstring ext = wideFrom1252(request.defaultExt);

  const HWND owner = GetActiveWindow();
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              (request.createPrompt ? OFN_CREATEPROMPT : 0) |
              (request.pathMustExist ? OFN_PATHMUSTEXIST : 0);
  using Open = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto open = systemFunction<Open>(L"comdlg32.dll", "GetOpenFileNameW");
  if (!open) return std::nullopt;
  ApplicationModal modal(owner);
  if (!open(&ofn)) return std::nullopt;
  return toUtf8(name.c_str(), static_cast<int>(wcslen(name.c_str())));
}

std::optional<std::string> Win32Platform::currentDirectory() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return std::nullopt;
  std::wstring buffer(n, L'\0');
  const DWORD written = GetCurrentDirectoryW(n, buffer.data());
  if (written == 0 || written >= n) return std::nullopt;
  return toUtf8(buffer.data(), static_cast<int>(written));
}

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

}  // namespace orbalta::platform

namespace orbalta::platform {

WindowHandle Win32Platform::windowOfTemplate(int templateId) const {
  for (const auto& [handle, w] : windows_) {
    if (w->templateId == templateId && w->hwnd) return handle;
  }
  return 0;
}

WindowHandle Win32Platform::handleOf(HWND hwnd) const {
  for (const auto& [handle, w] : windows_) {
    if (w->hwnd == hwnd) return handle;
  }
  return 0;
}

std::string Win32Platform::toolTip(WindowHandle window, int id) {
  Window* w = find(window);
  const HWND c = control(window, id);
  if (!w || !c || !w->tips) return {};
  std::wstring buffer(4096, L'\0');
  TOOLINFOW tool = toolOf(w->hwnd, c);
  if (!SendMessageW(w->tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
  tool.lpszText = buffer.data();
  SendMessageW(w->tips, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
  std::wstring text;
  for (const wchar_t* p = buffer.c_str(); *p; ++p) {
    if (*p != L'\r') text += *p;  // the line ends as the program wrote them
  }
  return to1252(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace orbalta::platform
