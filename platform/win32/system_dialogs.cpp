// The message box and the open-file dialog of the Windows platform.

// windows.h first: commdlg.h needs it.
#include "platform/win32/win32_platform_impl.h"

#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

namespace orbalta::platform {

namespace {

// Wine's dialog puts the folder and the typed name together in MAX_PATH-character buffers on
// its stack, without a bound, when OK is pressed: a longer path overwrote its stack (a fault
// from about 270 characters, a hang at 1000). Such a name is taken off the dialog before its
// own OK handler runs and returned as it stands; the program answers it as too long.
struct LongNameGuard {
  WNDPROC dialogProc = nullptr;
  std::wstring taken;  // the whole path of a name taken off the dialog
};

constexpr wchar_t kGuardProperty[] = L"Orbalta.LongNameGuard";

// The path the dialog would make of its name box: as typed when it names a drive, on the
// current folder's drive when it starts at a root, in the current folder otherwise.
std::wstring typedPath(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);      // the name box of Windows' dialog
  if (!box) box = GetDlgItem(dialog, edt1);  // Wine's
  if (!box) return {};
  const std::wstring name = win32::wideWindowText(box);
  if (name.size() >= 2 && name[1] == L':') return name;
  std::wstring folder(32768, L'\0');
  SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
  folder.resize(wcslen(folder.c_str()));
  if (!name.empty() && name[0] == L'\\') return folder.substr(0, 2) + name;
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder + name;
}

LRESULT CALLBACK guardedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* guard = static_cast<LongNameGuard*>(GetPropW(dialog, kGuardProperty));
  if (!guard) return DefDlgProcW(dialog, message, wParam, lParam);
  const WNDPROC original = guard->dialogProc;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
    std::wstring path = typedPath(dialog);
    if (path.size() >= MAX_PATH) {
      guard->taken = std::move(path);
      return CallWindowProcW(original, dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(dialog, kGuardProperty);
  }
  return CallWindowProcW(original, dialog, message, wParam, lParam);
}

// The hook's own dialog is a child of the file dialog, whose window procedure it wraps.
UINT_PTR CALLBACK fileDialogHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
    auto* guard = reinterpret_cast<LongNameGuard*>(ofn->lCustData);
    const HWND dialog = GetParent(child);
    if (guard && dialog && SetPropW(dialog, kGuardProperty, guard)) {
      guard->dialogProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&guardedDialogProc)));
    }
  }
  return 0;
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
  // Only Wine's dialog needs the guard: Windows would show a hooked dialog in its old style.
  using WineVersion = const char*(CDECL*)();
  static const bool underWine = systemFunction<WineVersion>(L"ntdll.dll", "wine_get_version");
  LongNameGuard guard;
  if (underWine) {
    ofn.lCustData = reinterpret_cast<LPARAM>(&guard);
    ofn.lpfnHook = &fileDialogHook;
  }
  // A hooked dialog is resizable only when asked.
  ofn.Flags = OFN_EXPLORER | (underWine ? OFN_ENABLEHOOK | OFN_ENABLESIZING : 0) |
              OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (request.createPrompt ? OFN_CREATEPROMPT : 0) |
              (request.pathMustExist ? OFN_PATHMUSTEXIST : 0);
  using Open = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto open = systemFunction<Open>(L"comdlg32.dll", "GetOpenFileNameW");
  if (!open) return std::nullopt;
  ApplicationModal modal(owner);
  if (!open(&ofn)) {
    if (guard.taken.empty()) return std::nullopt;
    return toUtf8(guard.taken.c_str(), static_cast<int>(guard.taken.size()));
  }
  return toUtf8(name.c_str(), static_cast<int>(wcslen(name.c_str())));
}

}  // namespace orbalta::platform
