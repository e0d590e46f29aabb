// The message box and the open-file dialog of the Windows platform.

// windows.h first: commdlg.h needs it.
#include "platform/win32/win32_platform_impl.h"

#include <commdlg.h>

#include <vector>

namespace orbalta::platform {

namespace {

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

void win32::showMessageBox(const std::wstring& text, std::string_view title, MessageIcon icon) {
  MessageBoxW(nullptr, text.c_str(), wideFrom1252(title).c_str(),
              MB_OK | MB_TASKMODAL | iconFlag(icon));
}

std::optional<std::string> win32::runOpenFileDialog(const OpenFileRequest& request) {
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

}  // namespace orbalta::platform
