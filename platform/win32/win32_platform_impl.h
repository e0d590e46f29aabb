#pragma once
// Inside the Windows platform: its record of a window and what the files that build windows,
// show system dialogs, give tool tips and accessible names and run the platform share.

// windows.h first: the system headers below need it.
#include "platform/win32/win32_platform.h"

#include <commctrl.h>

#include <map>
#include <optional>
#include <string>

namespace orbalta::platform {

struct Win32Platform::Window : WindowEntry {
  Win32Platform* platform = nullptr;
  HWND hwnd = nullptr;
  HWND ownerWindow = nullptr;
  HWND tips = nullptr;           // the window's tool tip control, made at its first tip
  std::map<int, HWND> controls;  // found by id so far
  std::map<HWND, HWND> labels;   // control -> the static placed right before it as its label
  // Bitmap statics: the image as loaded from the resources, and the copy at the window's scale
  // shown in its place. Both are the window's to delete.
  std::map<HWND, std::pair<HBITMAP, HBITMAP>> bitmaps;
  std::map<HWND, HFONT> fittedFonts;  // texts shown smaller than the window's font, see fitText
  bool modalEnded = false;
  int modalResult = 0;

  bool hasNativeWindow() const { return hwnd != nullptr; }
};

namespace win32 {

// COM, the common controls and the common dialogs are loaded when first needed: linking them
// in would load a good part of the system's DLLs before the first frame.
template <class Function>
Function systemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = LoadLibraryW(dll);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// The window's dots per inch: its monitor's where the system tells, else the screen's.
int windowDpi(HWND hwnd);

// The templates are laid out at 96 DPI. At a larger scale a face whose sizes do not grow with
// the dialog units (a bitmap face has a few sizes) can make a static's text outgrow its
// control, its last lines cut off: such a text is given the largest smaller size of its face
// it fits in, down to its size at 96 DPI. At 96 DPI texts are left as the template has them.
void fitText(HWND window, HWND control, std::map<HWND, HFONT>& fitted);

// A window's text, Windows-1252.
std::string windowText(HWND hwnd);
// The same as the system holds it, UTF-16.
std::wstring wideWindowText(HWND hwnd);

// A message box without owner, modal to every window of the program.
void showMessageBox(const std::wstring& text, std::string_view title, MessageIcon icon);
// The open-file dialog, owned by the active window; the chosen path or nullopt.
std::optional<std::string> runOpenFileDialog(const OpenFileRequest& request);

// A control's entry in its window's tip control.
TOOLINFOW toolOf(HWND window, HWND control);

// Gives the control that follows each radio group WS_GROUP, so that the arrow keys stay
// among the group's buttons.
void closeRadioGroups(HWND window);

}  // namespace win32

}  // namespace orbalta::platform
