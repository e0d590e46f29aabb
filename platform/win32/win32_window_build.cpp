// Windows of the Windows platform: built from the program's compiled dialog resources, and
// what their dialog procedure turns into notifications.

#include <cstring>
#include <vector>

#include "platform/win32/win32_platform_impl.h"

namespace orbalta::platform {

namespace {

std::optional<Notification> notificationOf(HWND control, WORD code) {
  if (hasClass(control, L"Edit")) {
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

}  // namespace

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

  const HWND ownerWindow = nativeWindow(owner);
  Window& w = windows_.add(std::make_unique<Window>());
  w.platform = this;
  w.templateId = tmpl.id;
  w.events = &events;
  w.owner = ownerWindow ? owner : 0;
  w.ownerWindow = ownerWindow;
  const WindowHandle handle = w.handle;
  const HWND hwnd = CreateDialogIndirectParamW(
      instance_, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), ownerWindow,
      &Win32Platform::dialogProc, reinterpret_cast<LPARAM>(&w));
  if (!hwnd) {
    windows_.take(handle);
    return 0;
  }
  return handle;
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
      win32::closeRadioGroups(w.hwnd);  // after the labels have found their places
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
      if (writes_.inProgress()) return TRUE;
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
      if (!writes_.inProgress() && wParam <= SIZE_MAXIMIZED) w.events->resized(w.handle);
      return FALSE;
    case WM_DESTROY:
      w.closing = true;
      w.events->destroyed(w.handle);
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(w.hwnd, DWLP_USER, 0);
      windows_.take(w.handle);
      return FALSE;
  }
  return FALSE;
}

}  // namespace orbalta::platform
