// The system's own open-file dialog, answered by a second thread as a user would: a name typed
// into its name box, then OK. Paths beyond the old 260-character limit come back whole, so the
// program's own length check can answer them; Wine's dialog would overwrite its stack with them.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/win32_platform.h"

namespace orbalta::platform {
namespace {

constexpr wchar_t kTitle[] = L"Saved Topic";

// Finds the dialog by its title, types `name` into its name box (the combo box of the
// explorer-style dialog, or the plain edit of the old one) and presses OK. Gives up after
// about ten seconds, closing whatever it found.
void answerDialog(const std::wstring& name, std::atomic<bool>& typed) {
  for (int tries = 0; tries < 200; ++tries) {
    const HWND dialog = FindWindowW(L"#32770", kTitle);
    if (dialog && IsWindowVisible(dialog)) {
      HWND box = GetDlgItem(dialog, 0x47c);       // cmb13
      if (!box) box = GetDlgItem(dialog, 0x480);  // edt1
      if (box) {
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        typed = true;
      }
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(typed ? IDOK : IDCANCEL, BN_CLICKED), 0);
      return;
    }
    Sleep(50);
  }
}

std::string narrow(const std::wstring& w) {
  return std::string(w.begin(), w.end());  // the rows are ASCII
}

TEST(FileDialogWin32, ANameBeyondTheOldLimitComesBackWhole) {
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::wstring folder = temp;  // ends in a backslash
  struct Row {
    const char* name;
    std::size_t length;  // of the whole path
    bool relative;       // typed as a name in the dialog's folder
  } const rows[] = {
      {"a short name", 40, false},
      {"one below the old limit", 259, false},
      {"at the old limit", 260, false},
      {"one beyond the old limit", 261, false},
      {"a thousand characters", 1000, false},
      {"ten thousand characters", 10000, false},
      {"a relative name beyond the old limit with its folder", 300, true},
  };
  Win32Platform platform{GetModuleHandleW(nullptr)};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_GT(row.length, folder.size() + 4);
    // Directories of at most 200 characters: the dialog checks each part against the file
    // system's own limit of 255.
    std::wstring path = folder;
    while (path.size() < row.length - 4) {
      const std::size_t part = std::min<std::size_t>(200, row.length - 4 - path.size());
      path += std::wstring(part, L'q');
      if (path.size() < row.length - 4) path.back() = L'\\';
    }
    path += L".txt";
    ASSERT_EQ(path.size(), row.length);

    OpenFileRequest request;
    request.title = narrow(kTitle);
    request.filters = {{"Text Files (*.txt)", "*.txt"}, {"All files (*.*)", "*.*"}};
    request.defaultExt = "txt";
    if (row.relative) request.initialDir = narrow(folder);
    std::atomic<bool> typed{false};
    std::thread user(answerDialog, row.relative ? path.substr(folder.size()) : path,
                     std::ref(typed));
    const std::optional<std::string> chosen = platform.openFile(request);
    user.join();
    ASSERT_TRUE(typed) << "the dialog did not appear";
    ASSERT_TRUE(chosen.has_value()) << "the dialog failed";
    EXPECT_EQ(chosen->size(), row.length);
    EXPECT_EQ(*chosen, narrow(path));
  }
}

}  // namespace
}  // namespace orbalta::platform
