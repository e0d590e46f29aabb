// Tool tips on Windows: one tip control per window, owned by it and so destroyed with it. The
// common controls are loaded at the first tip, like the common dialogs.

#include "platform/win32/win32_platform_impl.h"

namespace orbalta::platform {

TOOLINFOW win32::toolOf(HWND window, HWND control) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

HWND Win32Platform::toolTips(Window& w) {
  if (w.tips) return w.tips;
  using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = win32::systemFunction<Init>(L"comctl32.dll", "InitCommonControlsEx");
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
  TOOLINFOW tool = win32::toolOf(w->hwnd, c);
  const bool known = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  tool.lpszText = wide.data();
  if (text.empty()) {
    if (known) SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(tips, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
  }
}

std::string Win32Platform::toolTip(WindowHandle window, int id) {
  Window* w = find(window);
  const HWND c = control(window, id);
  if (!w || !c || !w->tips) return {};
  std::wstring buffer(4096, L'\0');
  TOOLINFOW tool = win32::toolOf(w->hwnd, c);
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
