// The yardstick for start-up: one dialog with one edit and one button from a resource, and a
// message loop, built by the same toolchain as the program. Built a second time on the
// program's main window template.
#include <windows.h>

#ifndef ORBALTA_DIALOG_ID
#define ORBALTA_DIALOG_ID 1
#endif

namespace {

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    DestroyWindow(hwnd);
    return TRUE;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode) {
  const HWND dialog =
      CreateDialogParamW(instance, MAKEINTRESOURCEW(ORBALTA_DIALOG_ID), nullptr, dialogProc, 0);
  ShowWindow(dialog, showMode);
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
