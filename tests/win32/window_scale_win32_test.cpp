// The windows at the screen's scale: the templates are laid out for 96 DPI, and the program
// runs at whatever the screen has. These tests run at the Wine prefix's DPI like the others,
// and again at 144 DPI (win32.window_scale_at_144_dpi).

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "model/ids.h"
#include "platform/win32/win32_platform.h"
#include "textconv/fixed_text.h"
#include "ui/auxwin/info_about.h"

namespace orbalta::platform {
namespace {

struct NoEvents : WindowEvents {
  void created(WindowHandle) override {}
  void command(WindowHandle, int, Notification) override {}
  void activated(WindowHandle, bool) override {}
  void cancel(WindowHandle) override {}
  void defaultCommand(WindowHandle) override {}
  void destroyed(WindowHandle) override {}
};

int screenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

SIZE bitmapSize(HBITMAP bitmap) {
  BITMAP b{};
  GetObjectW(bitmap, sizeof b, &b);
  return {b.bmWidth, b.bmHeight};
}

class WindowScaleWin32 : public ::testing::Test {
 protected:
  HWND open(int id) {
    DialogTemplate t;
    t.id = id;
    window_ = platform_.createDialog(t, 0, events_);
    return platform_.nativeWindow(window_);
  }
  void TearDown() override {
    if (window_) platform_.destroyWindow(window_);
  }

  Win32Platform platform_{GetModuleHandleW(nullptr)};
  NoEvents events_;
  WindowHandle window_ = 0;
};

// The picture grows with the screen's scale as far as its control holds it, instead of keeping
// the resource's 96-DPI pixels in a frame that grew around it.
TEST_F(WindowScaleWin32, TheInfoBitmapIsShownAtTheScreensScale) {
  const HWND info = open(id::kInfoWindow);
  ASSERT_NE(info, nullptr);
  HWND picture = nullptr;
  for (HWND c = GetWindow(info, GW_CHILD); c && !picture; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) picture = c;
  }
  ASSERT_NE(picture, nullptr);
  const auto resource = static_cast<HBITMAP>(LoadImageW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id::kNumberLineBitmap), IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(resource, nullptr);
  const SIZE drawn = bitmapSize(resource);
  DeleteObject(resource);
  const SIZE shown =
      bitmapSize(reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)));
  RECT box{};
  GetClientRect(picture, &box);

  const int dpi = screenDpi();
  SCOPED_TRACE(std::to_string(dpi) + " DPI, control " + std::to_string(box.right) + "x" +
               std::to_string(box.bottom) + ", image " + std::to_string(shown.cx) + "x" +
               std::to_string(shown.cy));
  EXPECT_LE(shown.cx, box.right);
  EXPECT_LE(shown.cy, box.bottom);
  const bool atScale = std::abs(shown.cx - MulDiv(drawn.cx, dpi, 96)) <= 1;
  const bool filling = shown.cx >= box.right - 1 || shown.cy >= box.bottom - 1;
  EXPECT_TRUE(atScale || filling);
  EXPECT_NEAR(shown.cx * drawn.cy, shown.cy * drawn.cx, drawn.cx + drawn.cy) << "out of shape";
}

// Every line of a text the program puts into a static is seen whole: none wraps beyond the
// control's height or runs past its side.
TEST_F(WindowScaleWin32, TheProgramsTextsFitTheirControls) {
  struct Row {
    const char* name;
    int window, control;
    std::string text;
  } const rows[] = {
      {"the Info formulas", id::kInfoWindow, id::kInfoFormulas, std::string(trimRight(infoText()))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const HWND window = open(row.window);
    ASSERT_NE(window, nullptr);
    platform_.setText(window_, row.control, row.text);
    const HWND control = GetDlgItem(window, row.control);
    ASSERT_NE(control, nullptr);
    std::wstring text(row.text.begin(), row.text.end());  // ASCII
    RECT box{};
    GetClientRect(control, &box);
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, box.right, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    RECT unwrapped{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &unwrapped,
              DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    SCOPED_TRACE(std::to_string(screenDpi()) + " DPI, control " + std::to_string(box.right) + "x" +
                 std::to_string(box.bottom));
    EXPECT_LE(needed.bottom, box.bottom) << "its last lines are cut off";
    EXPECT_LE(unwrapped.right, box.right) << "a line wraps";
    platform_.destroyWindow(window_);
    window_ = 0;
  }
}

}  // namespace
}  // namespace orbalta::platform
