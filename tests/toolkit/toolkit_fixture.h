#pragma once
// Templates shaped like the program's windows (a main window without id 1 or a default button,
// modal windows with a default OK and a hidden Cancel, a modeless one) and a fixture that opens
// them on the fake platform.

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"
#include "toolkit/dialog.h"

namespace orbalta::testing {

inline constexpr const char* kScript = R"rc(
#include <windows.h>
#define IDC_STATIC (-1)

101 DIALOGEX 40, 40, 428, 299
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU
CAPTION "Main"
FONT 8, "MS Sans Serif", 400, 0, 0x0
BEGIN
    PUSHBUTTON      "IESIRE",30001,376,276,45,15
    GROUPBOX        "Data",IDC_STATIC,7,4,323,86
    PUSHBUTTON      "CANCEL",IDCANCEL,8,276,40,15,BS_FLAT
    EDITTEXT        1007,21,25,171,12,ES_AUTOHSCROLL
    CONTROL         "32",1011,"Button",BS_AUTORADIOBUTTON | WS_GROUP,347,33,67,10
    CONTROL         "64",1012,"Button",BS_AUTORADIOBUTTON,347,52,67,10
    CONTROL         "128",1013,"Button",BS_AUTORADIOBUTTON,347,71,67,10
    LTEXT           "1",IDC_STATIC,29,233,8,10
    EDITTEXT        1027,38,124,38,12,ES_AUTOHSCROLL | ES_NUMBER
    EDITTEXT        1028,76,124,97,12,ES_AUTOHSCROLL
    PUSHBUTTON      "0's",1029,216,129,20,14
    EDITTEXT        1036,200,25,100,12,ES_AUTOHSCROLL | ES_READONLY
    LTEXT           "Nearest",1040,81,56,111,10
    CONTROL         "X+ - Binar",1043,"Button",BS_AUTOCHECKBOX | WS_TABSTOP,21,56,48,10
    LISTBOX         1044,200,63,91,18,LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP
    PUSHBUTTON      "?",1042,301,61,21,20,BS_ICON
    CONTROL         "Toate",1045,"Button",BS_AUTORADIOBUTTON | WS_GROUP,216,107,65,11
    CONTROL         "Camp",1046,"Button",BS_AUTORADIOBUTTON,288,107,119,11
END

109 DIALOGEX 0, 0, 144, 158
STYLE DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Info"
FONT 10, "Microsoft Sans Serif", 400, 0, 0x0
BEGIN
    DEFPUSHBUTTON   "OK",IDOK,109,145,28,11
    PUSHBUTTON      "Cancel",IDCANCEL,8,145,34,13,NOT WS_VISIBLE
    LTEXT           "X = 2^E",1049,38,74,68,58
    PUSHBUTTON      "More",1050,8,120,34,13
END

111 DIALOGEX 0, 0, 260, 318
STYLE DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Summary"
FONT 10, "Microsoft Sans Serif", 400, 0, 0x0
BEGIN
    DEFPUSHBUTTON   "OK",IDOK,217,300,33,12
    PUSHBUTTON      "Cancel",IDCANCEL,104,300,33,12,NOT WS_VISIBLE
    LTEXT           "Static2",1048,22,64,220,26
    EDITTEXT        1060,22,100,100,12
    PUSHBUTTON      "Salveaza in Fisier",1041,9,299,57,12,BS_FLAT
END

201 DIALOGEX 0, 0, 100, 60
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION ""
FONT 8, "MS Sans Serif", 400, 0, 0x0
BEGIN
    DEFPUSHBUTTON   "Go",5,10,40,30,12
    EDITTEXT        7,10,10,60,12
END

202 DIALOGEX 0, 0, 100, 60
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "Odd"
FONT 8, "MS Sans Serif", 400, 0, 0x0
BEGIN
    CONTROL         "drawn",9,"Button",BS_OWNERDRAW,10,10,30,12
    PUSHBUTTON      "OK",IDOK,10,40,30,12
END
)rc";

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(DLGOPEN(101, main)); }

  platform::WindowHandle showMain() {
    EXPECT_TRUE(DLGMODELESS(main));
    return main.window();
  }

  // What DLGREADTEXT gives for a buffer of `length` characters.
  static std::string readText(Dialog& dialog, int id, std::size_t length, int attr = ATTR_DEFAULT) {
    FixedText buffer(length);
    EXPECT_TRUE(DLGREADTEXT(dialog, id, buffer, attr)) << "control " << id;
    return std::string(buffer.view());
  }
  static int readNumber(Dialog& dialog, int id, int attr = ATTR_DEFAULT) {
    int value = -99;
    EXPECT_TRUE(DLGREADNUMBER(dialog, id, value, attr)) << "control " << id;
    return value;
  }
  static bool readState(Dialog& dialog, int id, int attr = ATTR_DEFAULT) {
    bool value = false;
    EXPECT_TRUE(DLGREADSTATE(dialog, id, value, attr)) << "control " << id;
    return value;
  }

  FakePlatform fake;
  Toolkit toolkit{fake, kScript};
  Dialog main{toolkit};
};

}  // namespace orbalta::testing
