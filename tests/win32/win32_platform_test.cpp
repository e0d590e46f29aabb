// The Windows platform on real windows from the compiled resources: only the user's actions
// notify the toolkit, texts keep their Windows-1252 bytes, and a modal run ends as asked.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "support/outside_code_page.h"
#include "tools/replay/platform_tap.h"
#include "tools/replay/shown_text.h"

namespace orbalta::platform {
namespace {

constexpr int kMain = 101;
constexpr int kAbout = 103;
constexpr int kEditX = 1007;
constexpr int kRadio64 = 1012;

struct Event {
  int id;
  Notification what;
  bool operator==(const Event&) const = default;
};

struct Recorder : WindowEvents {
  std::vector<Event> commands;
  int creations = 0, cancels = 0, defaults = 0, destructions = 0, resizes = 0;
  void created(WindowHandle) override { ++creations; }
  void command(WindowHandle, int id, Notification what) override { commands.push_back({id, what}); }
  void activated(WindowHandle, bool) override {}
  void cancel(WindowHandle) override { ++cancels; }
  void defaultCommand(WindowHandle) override { ++defaults; }
  void destroyed(WindowHandle) override { ++destructions; }
  void resized(WindowHandle) override { ++resizes; }
};

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class Win32PlatformTest : public ::testing::Test {
 protected:
  WindowHandle open(int id) {
    DialogTemplate t;
    t.id = id;
    const WindowHandle w = platform.createDialog(t, 0, events);
    pump();
    return w;
  }
  HWND item(WindowHandle w, int id) { return GetDlgItem(platform.nativeWindow(w), id); }
  std::size_t count(Notification what) const {
    std::size_t n = 0;
    for (const Event& e : events.commands) n += e.what == what ? 1 : 0;
    return n;
  }

  Win32Platform platform{GetModuleHandleW(nullptr)};
  Recorder events;
};

TEST_F(Win32PlatformTest, ATemplateBuildsHiddenAndReportsItsCreation) {
  const WindowHandle w = open(kMain);  // its template says WS_VISIBLE
  ASSERT_NE(w, 0u);
  EXPECT_EQ(events.creations, 1);
  EXPECT_FALSE(platform.isVisible(w));
  platform.showWindow(w, SW_SHOWNORMAL);
  EXPECT_TRUE(platform.isVisible(w));
  platform.destroyWindow(w);
  EXPECT_EQ(events.destructions, 1);
  EXPECT_EQ(platform.nativeWindow(w), nullptr);
}

TEST_F(Win32PlatformTest, TheProgramsOwnWritesNotifyNothing) {
  const WindowHandle w = open(kMain);
  events.commands.clear();
  platform.setText(w, kEditX, "1.5");
  platform.setCaret(w, kEditX, 2);
  platform.setChecked(w, kRadio64, true);
  platform.setEnabled(w, kEditX, true);
  pump();
  EXPECT_TRUE(events.commands.empty());
  EXPECT_EQ(platform.text(w, kEditX), "1.5");
  EXPECT_EQ(platform.caret(w, kEditX), 2);
  EXPECT_TRUE(platform.isChecked(w, kRadio64));
}

TEST_F(Win32PlatformTest, EachTypedCharacterIsOneChange) {
  const WindowHandle w = open(kMain);
  platform.setText(w, kEditX, "");
  events.commands.clear();
  for (const wchar_t c : std::wstring(L"-2.5")) SendMessageW(item(w, kEditX), WM_CHAR, c, 1);
  pump();
  EXPECT_EQ(count(Notification::Changed), 4u);
  EXPECT_EQ(platform.text(w, kEditX), "-2.5");
}

TEST_F(Win32PlatformTest, AClickOnAButtonIsReportedWithItsId) {
  const WindowHandle w = open(kMain);
  events.commands.clear();
  SendMessageW(item(w, kRadio64), BM_CLICK, 0, 0);
  pump();
  EXPECT_NE(std::find(events.commands.begin(), events.commands.end(),
                      Event{kRadio64, Notification::Clicked}),
            events.commands.end());
}

TEST_F(Win32PlatformTest, TextsKeepTheirWindows1252Bytes) {
  const WindowHandle w = open(kMain);
  for (const std::string& text :
       {std::string("0 \x85 1"), std::string("\xE9\xEE"), std::string()}) {
    platform.setText(w, kEditX, text);
    EXPECT_EQ(platform.text(w, kEditX), text);
  }
  platform.setText(w, kEditX, "\x85");
  wchar_t wide[4] = {};
  GetWindowTextW(item(w, kEditX), wide, 4);
  EXPECT_EQ(wide[0], L'\u2026');  // the ellipsis, as the system shows it
}

// The same bytes as on every platform: '?' for each unit outside the code page, where the
// system's own conversion would give a look-alike.
TEST_F(Win32PlatformTest, TypedCharactersOutsideTheCodePageReadAsQuestionMarks) {
  const WindowHandle w = open(kMain);
  for (const test::OutsideCodePage& row : test::kOutsideCodePage) {
    SCOPED_TRACE(row.name);
    const std::u16string typed = row.typed;
    SetWindowTextW(item(w, kEditX), std::wstring(typed.begin(), typed.end()).c_str());
    EXPECT_EQ(platform.text(w, kEditX), row.read);
  }
}

TEST_F(Win32PlatformTest, TheWindowOfATemplateIsTheNewestOpenOne) {
  const WindowHandle older = open(kMain);
  const WindowHandle newer = open(kMain);
  EXPECT_EQ(platform.windowOfTemplate(kMain), newer);
  platform.destroyWindow(newer);
  EXPECT_EQ(platform.windowOfTemplate(kMain), older);
  platform.destroyWindow(older);
  EXPECT_EQ(platform.windowOfTemplate(kMain), 0u);
}

TEST_F(Win32PlatformTest, AModalRunEndsWithItsResultAndFreesItsOwner) {
  const WindowHandle main = open(kMain);
  DialogTemplate t;
  t.id = kAbout;
  Recorder aboutEvents;
  const WindowHandle about = platform.createDialog(t, main, aboutEvents);
  ASSERT_NE(about, 0u);
  static Win32Platform* self;
  static WindowHandle ending;
  self = &platform;
  ending = about;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    EXPECT_FALSE(IsWindowEnabled(GetWindow(self->nativeWindow(ending), GW_OWNER)));
    self->endModal(ending, 7);
  });
  EXPECT_EQ(platform.runModal(about), 7);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(IsWindowEnabled(platform.nativeWindow(main)));
  EXPECT_FALSE(platform.isVisible(about));
}

TEST_F(Win32PlatformTest, AToolTipIsSetReplacedAndRemoved) {
  const WindowHandle w = open(kMain);
  const auto tipOf = [&](int id) -> std::optional<std::wstring> {
    for (HWND popup = nullptr;
         (popup = FindWindowExW(nullptr, popup, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
      if (GetWindow(popup, GW_OWNER) != platform.nativeWindow(w)) continue;
      wchar_t buffer[256] = {};
      TOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.hwnd = platform.nativeWindow(w);
      tool.uId = reinterpret_cast<UINT_PTR>(item(w, id));
      tool.lpszText = buffer;
      if (!SendMessageW(popup, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return std::nullopt;
      }
      SendMessageW(popup, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
      return std::wstring(buffer);
    }
    return std::nullopt;
  };
  platform.setToolTip(w, kEditX, "Valoare exacta:\n0.1\x85");
  EXPECT_EQ(tipOf(kEditX), std::optional<std::wstring>(L"Valoare exacta:\r\n0.1\u2026"));
  EXPECT_EQ(platform.toolTip(w, kEditX), "Valoare exacta:\n0.1\x85");  // read back as written
  platform.setToolTip(w, kEditX, "1.5");
  EXPECT_EQ(tipOf(kEditX), std::optional<std::wstring>(L"1.5"));
  EXPECT_EQ(tipOf(kRadio64), std::nullopt);
  EXPECT_EQ(platform.toolTip(w, kRadio64), "");
  platform.setToolTip(w, kEditX, "");
  EXPECT_EQ(tipOf(kEditX), std::nullopt);
  EXPECT_EQ(platform.toolTip(w, kEditX), "");
  platform.destroyWindow(w);
}

// Not every system's edit selects all on Ctrl+A; the program's do, and change nothing.
TEST_F(Win32PlatformTest, CtrlASelectsAllOfAnEdit) {
  const WindowHandle w = open(kMain);
  EXPECT_EQ(platform.windowOfTemplate(kMain), w);
  platform.setText(w, kEditX, "12.5");
  platform.setCaret(w, kEditX, 1);
  MSG msg{item(w, kEditX), WM_CHAR, 0x01, 1, 0, {}};
  platform.deliver(msg);
  DWORD start = 9, end = 9;
  SendMessageW(item(w, kEditX), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
  EXPECT_EQ(platform.text(w, kEditX), "12.5");
  EXPECT_EQ(count(Notification::Changed), 0u);
  platform.destroyWindow(w);
  EXPECT_EQ(platform.windowOfTemplate(kMain), 0u);
}

// The scripted user reads a box that names a file by the harness's own decoding; it must be
// the one the box is given. (Ill-formed names are replaced by another count of U+FFFD here
// than on Qt: not yet one rule.)
TEST_F(Win32PlatformTest, TheHarnessDecodesAPathAsTheMessageBoxDoes) {
  const char* const path = "/tmp/r\xC3\xA9sum\xC8\x99\xF0\x9F\x98\x80.txt";
  const std::wstring shown = wideFromUtf8(path);
  EXPECT_TRUE(replay::fromUtf8(path) == std::u16string(shown.begin(), shown.end()));
}

// The harness answers the system dialogs through a tap on the platform, which the platform
// itself knows nothing of.
TEST_F(Win32PlatformTest, ATapTakesTheMessageBoxesAndTheFileDialog) {
  struct Answers : replay::DialogAnswers {
    std::vector<std::string> shown;
    void messageBox(std::string_view text, std::string_view title, MessageIcon) override {
      shown.push_back(std::string(title) + "|" + std::string(text));
    }
    void fileMessageBox(const FileMessage& message, std::string_view title,
                        MessageIcon icon) override {
      messageBox(message.before + message.path + message.after, title, icon);
    }
    std::optional<std::string> openFile(const OpenFileRequest&) override { return "/x"; }
  } answers;
  replay::PlatformTap tap(platform);
  tap.answerDialogs(&answers);
  tap.messageBox("Invalid Value", "Error", MessageIcon::Warning);
  tap.fileMessageBox({"Could not save to ", "/tmp/r\xC3\xA9", ": x"}, "Error", MessageIcon::Error);
  EXPECT_EQ(answers.shown, (std::vector<std::string>{"Error|Invalid Value",
                                                     "Error|Could not save to /tmp/r\xC3\xA9: x"}));
  EXPECT_EQ(tap.openFile({}), std::optional<std::string>("/x"));
}

TEST_F(Win32PlatformTest, OnlyTheUsersMinimizeAndRestoreRaiseResized) {
  const WindowHandle w = open(kMain);
  platform.showWindow(w, SW_SHOWNORMAL);
  platform.showWindow(w, SW_MINIMIZE);
  platform.bringToFront(w);
  pump();
  EXPECT_EQ(events.resizes, 0);
  // What the window system sends when the user presses the minimize box, then restores.
  SendMessageW(platform.nativeWindow(w), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessageW(platform.nativeWindow(w), WM_SYSCOMMAND, SC_RESTORE, 0);
  pump();
  EXPECT_EQ(events.resizes, 2);
  platform.destroyWindow(w);
}

TEST_F(Win32PlatformTest, AWriteToTheSharedLabelIdChangesNoCaption) {
  const WindowHandle w = open(kMain);
  const HWND first = GetDlgItem(platform.nativeWindow(w), -1);
  ASSERT_NE(first, nullptr);
  wchar_t before[64] = {};
  GetWindowTextW(first, before, 64);
  platform.setText(w, -1, "msb");
  wchar_t after[64] = {};
  GetWindowTextW(first, after, 64);
  EXPECT_STREQ(after, before);
  platform.destroyWindow(w);
}

}  // namespace
}  // namespace orbalta::platform
