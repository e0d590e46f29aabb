#pragma once
// The replay script: one user action or check per line. Parsing knows no window system, so the
// whole language can be tested without a display.
//
//   click C [POS]      type "TEXT"      paste "TEXT"      key NAME      select C N
//   close W            file "PATH"      file cancel       dump [W]
//   expect C text "TEXT" | enabled 0|1 | checked 0|1 | selected N | focus | tooltip "TEXT"|*
//   expect window W open 0|1     expect msgbox "TITLE" "TEXT"|* ICON
//   expect no msgbox             expect exit N
//   on linux|windows LINE        LINE is played only on that system (the system's own words)
//
// A control C is WINDOW:ID or ID (the main window). Strings are Windows-1252 bytes written
// with the escapes \n \r \t \" \\ \xHH; `#` outside a string starts a comment.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ids.h"

namespace orbalta::replay {

using id::kAboutWindow;
using id::kInfoWindow;
using id::kMainWindow;
using id::kSummaryWindow;
// The windows a script can name.
inline constexpr int kWindows[] = {kMainWindow, kAboutWindow, kInfoWindow, kSummaryWindow};

enum class StepKind {
  Click,
  Type,
  Paste,
  Key,
  Select,
  Close,
  File,
  Dump,
  ExpectText,
  ExpectEnabled,
  ExpectChecked,
  ExpectSelected,
  ExpectFocus,
  ExpectToolTip,
  ExpectWindowOpen,
  ExpectMsgbox,
  ExpectNoMsgbox,
  ExpectExit,
  Grab,  // the harness's own: a picture of `window` into file `text`; no script line
};

enum class KeyName {
  Tab,
  ShiftTab,
  Enter,
  Esc,
  Left,
  Right,
  Up,
  Down,
  Home,
  End,
  Backspace,
  Delete,
  Space,
  CtrlA,
};

enum class BoxIcon { None, Information, Warning, Error };

struct ControlRef {
  int window = kMainWindow;
  int id = 0;
};

struct Step {
  int line = 0;
  StepKind kind = StepKind::Click;
  ControlRef control;         // Click, Select, Expect{Text,Enabled,Checked,Selected,Focus}
  int window = kMainWindow;   // Close, Dump, ExpectWindowOpen
  std::optional<int> number;  // click POS, select N, state 0/1, selected N, exit code
  std::string text;           // type, paste, expected text, message-box text, file path
  std::string title;          // message-box title
  bool anyText = false;       // expect msgbox "TITLE" * ICON, expect C tooltip *
  bool cancel = false;        // file cancel
  KeyName key = KeyName::Tab;
  BoxIcon icon = BoxIcon::None;
};

struct ParseError {
  int line = 0;
  std::string message;
};

struct Script {
  std::vector<Step> steps;
  std::vector<ParseError> errors;
};

enum class System { Linux, Windows };
#ifdef _WIN32
inline constexpr System kThisSystem = System::Windows;
#else
inline constexpr System kThisSystem = System::Linux;
#endif

// Every line is checked; a line for another system is then left out of the steps.
Script parseScript(std::string_view source, System system = kThisSystem);

// The reverse of the string escapes: printable ASCII as is, \n \r \t \" \\, \xHH otherwise.
std::string escapeText(std::string_view bytes);

std::string_view keyNameText(KeyName key);
std::string_view boxIconText(BoxIcon icon);
// The control as the script writes it: "1007" in the main window, "111:1041" elsewhere.
std::string controlText(const ControlRef& control);

}  // namespace orbalta::replay
