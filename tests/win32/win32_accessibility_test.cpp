// What a screen reader on Windows learns of the main window as the program builds it: each
// field's label is the static right before it in the window order, the radios are radio
// buttons with their checked state, Tab keeps its order and the arrows stay in a radio group.
// Under Wine the system's accessibility layer (oleacc) gives names only: no roles, no states,
// no names from labels, and the property service that gives the program's names is not there.

#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "model/app_state.h"
#include "model/ids.h"
#include "platform/win32/win32_platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"
#include "ui/main/startup.h"
#include "ui/shared/accessible_names.h"

namespace orbalta::platform {
namespace {

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring textOf(HWND hwnd) {
  wchar_t buffer[128] = {};
  GetWindowTextW(hwnd, buffer, 128);
  return buffer;
}

class Win32AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DLGOPEN(id::kMainWindow, main));
    ASSERT_TRUE(DLGOPEN(id::kSummaryWindow, summary));
    state.mainDialog = &main;
    state.summaryDialog = &summary;
    attachHandlers(state, main, summary);
    DLGHANDLER(main, id::kMainWindow, [](Dialog& d, int, int event) {
      if (event == EVT_INIT) nameControls(d);
    });
    setInitialControls(state, main);
    ASSERT_TRUE(DLGMODELESS(main, SW_SHOWNORMAL));
    window = platform.nativeWindow(main.window());
    SetForegroundWindow(window);
    pump();
  }
  void TearDown() override {
    DLGRELEASE(main);
    DLGRELEASE(summary);
  }
  HWND item(int id) { return GetDlgItem(window, id); }
  // Other test programs run beside this one and may take the foreground for a while.
  bool focus(HWND target) {
    for (int attempt = 0; attempt < 100 && GetFocus() != target; ++attempt) {
      SetForegroundWindow(window);
      SetFocus(target);
      pump();
      if (GetFocus() != target) Sleep(20);
    }
    return GetFocus() == target;
  }
  // A key as the program's message loop takes it from the focused control.
  void press(WPARAM key) {
    MSG msg{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    platform.deliver(msg);
    pump();
  }

  Win32Platform platform{GetModuleHandleW(nullptr)};
  Toolkit toolkit{platform, resources::templateScript()};
  Dialog main{toolkit};
  Dialog summary{toolkit};
  AppState state;
  HWND window = nullptr;
};

TEST_F(Win32AccessibilityTest, EachFieldIsPrecededByItsOwnLabelOrByNoStatic) {
  struct Row {
    int control;
    int labelId;           // -1: a static without id ...
    const wchar_t* label;  // ... that says this; nullptr: the control before is no static
  };
  const Row rows[] = {
      {id::kXEdit, -1, L"X"},
      {id::kDataType, -1, L"Tip Data   (click pe un camp din format) "},
      {id::kParamValue, id::kParamCaption, L""},  // the program empties its caption at start
      {id::kParamList, -1, L"Parametru  (Numere Finite)"},
      {id::kCursorPosition, -1, L"Pozitie (Modificare / Actualizare)"},
      {id::kFieldLength, -1, L"Lungime Camp"},
      // The bit fields are named by the program, never after a width label of another row.
      {1014, -1, nullptr},
      {1015, -1, nullptr},
      {1016, -1, nullptr},
      {1018, -1, nullptr},
      {1026, -1, nullptr},
      {1027, -1, nullptr},
      {1028, -1, nullptr},
      {1032, -1, nullptr},
      {1033, -1, nullptr},
      {1035, -1, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control);
    const HWND previous = GetWindow(item(row.control), GW_HWNDPREV);
    ASSERT_NE(previous, nullptr);
    if (row.label == nullptr) {
      EXPECT_FALSE(hasClass(previous, L"Static"))
          << "preceded by " << textOf(previous).size() << " characters of a static";
    } else {
      EXPECT_TRUE(hasClass(previous, L"Static"));
      EXPECT_EQ(GetDlgCtrlID(previous), row.labelId);
      EXPECT_EQ(textOf(previous), row.label);
    }
  }
}

TEST_F(Win32AccessibilityTest, TabVisitsTheTemplatesOrderStoppingAtTheCheckedRadios) {
  ASSERT_TRUE(focus(item(30001)));
  const std::vector<int> expected = {2,    1007, 1011, 1026, 1027, 1028, 1029, 1030, 1031, 1036,
                                     1008, 1041, 1042, 1019, 1020, 1044, 1034, 1045, 30001};
  std::vector<int> visited;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    press(VK_TAB);
    visited.push_back(GetDlgCtrlID(GetFocus()));
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(Win32AccessibilityTest, ArrowsMoveWithinARadioGroupOnly) {
  struct Row {
    const char* name;
    int checked;  // clicked first
    WPARAM key;
    int focus;  // where the key leaves the focus
  };
  const Row rows[] = {
      {"last format radio, Down wraps", 1013, VK_DOWN, 1011},
      {"first format radio, Up wraps", 1011, VK_UP, 1013},
      {"middle format radio, Down", 1012, VK_DOWN, 1013},
      {"first scope radio, Down", 1045, VK_DOWN, 1046},
      {"last scope radio, Down wraps", 1046, VK_DOWN, 1045},
      {"first scope radio, Up wraps", 1045, VK_UP, 1046},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SendMessageW(item(row.checked), BM_CLICK, 0, 0);
    pump();
    ASSERT_TRUE(focus(item(row.checked)));
    press(row.key);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), row.focus);
    EXPECT_EQ(SendMessageW(GetFocus(), BM_GETCHECK, 0, 0), BST_CHECKED);
  }
}

// Wine's accessible objects report every control as a client window with no state, so the
// role and the checked state are checked by what the system derives them from.
TEST_F(Win32AccessibilityTest, RadiosAreRadioButtonsAndTheSystemNamesThemByTheirCaptions) {
  struct Row {
    int control;
    LONG type;
    const wchar_t* name;
  };
  const Row rows[] = {
      {1011, BS_AUTORADIOBUTTON, L"32      (Binary32)"},
      {1012, BS_AUTORADIOBUTTON, L"64      (Binary64)"},
      {1013, BS_AUTORADIOBUTTON, L"128    (Binary128)"},
      {1045, BS_AUTORADIOBUTTON, L"Toate campurile"},
      {1046, BS_AUTORADIOBUTTON, L"Camp curent  (click pe un camp)"},
      {1043, BS_AUTOCHECKBOX, L"X+ - Binar"},
  };
  CoInitialize(nullptr);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control);
    EXPECT_EQ(GetWindowLongW(item(row.control), GWL_STYLE) & BS_TYPEMASK, row.type);
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(item(row.control), static_cast<DWORD>(OBJID_CLIENT),
                                         IID_IAccessible, reinterpret_cast<void**>(&object)),
              S_OK);
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    ASSERT_EQ(object->get_accName(self, &name), S_OK);
    EXPECT_EQ(std::wstring(name, SysStringLen(name)), row.name);
    SysFreeString(name);
    object->Release();
  }
  CoUninitialize();
}

}  // namespace
}  // namespace orbalta::platform
