// Windows of the Windows platform: built from the program's compiled dialog resources, and
// what their dialog procedure turns into notifications.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/win32_platform_impl.h"

namespace orbalta::platform {

namespace {

constexpr UINT kShowAtScale = WM_APP + 2;

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

// A copy of `bitmap` `scale` times its size (percent), smoothed, or nullptr.
HBITMAP scaledCopy(HBITMAP bitmap, int scale) {
  BITMAP size{};
  if (!GetObjectW(bitmap, sizeof size, &size)) return nullptr;
  const int width = MulDiv(size.bmWidth, scale, 100);
  const int height = MulDiv(size.bmHeight, scale, 100);
  const HDC screen = GetDC(nullptr);
  const HDC from = CreateCompatibleDC(screen);
  const HDC to = CreateCompatibleDC(screen);
  HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
  if (from && to && copy) {
    const HGDIOBJ oldFrom = SelectObject(from, bitmap);
    const HGDIOBJ oldTo = SelectObject(to, copy);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  if (from) DeleteDC(from);
  if (to) DeleteDC(to);
  ReleaseDC(nullptr, screen);
  return copy;
}

// A bitmap static loads its image at the resource's own pixels, drawn for 96 DPI: it is shown
// at the window's scale instead, as large as the control holds at most.
void showBitmapsAtScale(HWND window, std::map<HWND, std::pair<HBITMAP, HBITMAP>>& bitmaps) {
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
    auto& [original, shown] = bitmaps[c];
    if (!original) {
      original = reinterpret_cast<HBITMAP>(SendMessageW(c, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    BITMAP size{};
    RECT client{};
    if (!original || !GetObjectW(original, sizeof size, &size) || !GetClientRect(c, &client) ||
        size.bmWidth <= 0 || size.bmHeight <= 0) {
      continue;
    }
    const int scale = std::min({MulDiv(100, win32::windowDpi(window), 96),
                                MulDiv(100, client.right, size.bmWidth),
                                MulDiv(100, client.bottom, size.bmHeight)});
    if (scale <= 100 && !shown) continue;
    const HBITMAP copy = scale > 100 ? scaledCopy(original, scale) : nullptr;
    if (scale > 100 && !copy) continue;
    SendMessageW(c, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(copy ? copy : original));
    if (shown) DeleteObject(shown);
    shown = copy;
  }
}

// Whether `text` in `font` fits in `box` as a static wraps it.
bool fits(HDC dc, HFONT font, const std::wstring& text, const RECT& box, UINT format) {
  const HGDIOBJ old = SelectObject(dc, font);
  RECT needed{0, 0, box.right, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT);
  SelectObject(dc, old);
  return needed.right <= box.right && needed.bottom <= box.bottom;
}

}  // namespace

void win32::fitText(HWND window, HWND control, std::map<HWND, HFONT>& fitted) {
  const int dpi = windowDpi(window);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const LONG type = style & SS_TYPEMASK;
  if (dpi <= 96 || !hasClass(control, L"Static") ||
      (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT)) {
    return;
  }
  const auto windowFont = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW face{};
  RECT box{};
  if (!windowFont || !GetObjectW(windowFont, sizeof face, &face) || face.lfHeight == 0 ||
      !GetClientRect(control, &box)) {
    return;
  }
  const std::wstring text = win32::wideWindowText(control);
  const UINT format = DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
  const HDC dc = GetDC(control);
  if (!dc) return;
  HFONT chosen = nullptr;  // the window's own
  if (!fits(dc, windowFont, text, box, format)) {
    const LONG sign = face.lfHeight < 0 ? -1 : 1;
    const LONG largest = sign * face.lfHeight;
    const LONG smallest = MulDiv(largest, 96, dpi);
    for (LONG height = largest - 1; height >= smallest && !chosen; --height) {
      face.lfHeight = sign * height;
      const HFONT font = CreateFontIndirectW(&face);
      if (font && fits(dc, font, text, box, format)) {
        chosen = font;
      } else if (font) {
        DeleteObject(font);
      }
    }
  }
  ReleaseDC(control, dc);
  const auto old = fitted.find(control);
  if (!chosen && old == fitted.end()) return;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(chosen ? chosen : windowFont), TRUE);
  if (old != fitted.end()) {
    DeleteObject(old->second);
    fitted.erase(old);
  }
  if (chosen) fitted[control] = chosen;
}

int win32::windowDpi(HWND hwnd) {
  using ForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow = systemFunction<ForWindow>(L"user32.dll", "GetDpiForWindow");
  if (forWindow) {
    if (const UINT dpi = forWindow(hwnd)) return static_cast<int>(dpi);
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
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

void Win32Platform::showAtScale(Window& w) {
  showBitmapsAtScale(w.hwnd, w.bitmaps);
  for (HWND c = GetWindow(w.hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    win32::fitText(w.hwnd, c, w.fittedFonts);
  }
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
      showAtScale(w);
      return TRUE;
    case WM_DPICHANGED:
      // The system resizes the window and its controls for the new monitor after this.
      PostMessageW(w.hwnd, kShowAtScale, 0, 0);
      return FALSE;
    case kShowAtScale:
      showAtScale(w);
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
      for (const auto& [control, images] : w.bitmaps) {
        if (!images.second) continue;  // the control's own image, as loaded
        DeleteObject(images.first);
        DeleteObject(images.second);
      }
      for (const auto& [control, font] : w.fittedFonts) DeleteObject(font);
      SetWindowLongPtrW(w.hwnd, DWLP_USER, 0);
      windows_.take(w.handle);
      return FALSE;
  }
  return FALSE;
}

}  // namespace orbalta::platform
