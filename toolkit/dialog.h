#pragma once
// The dialog toolkit: dialog objects that mirror their window's controls, and the DLG*
// operations through which every controller talks to its window. Knows no Qt type.
//
// Writes made while a handler of the same dialog runs are held in the mirror and pushed when
// the handler returns (or at DLGCOMMIT); otherwise they are pushed at once. A push never
// raises an event: only the user's actions reach handlers.

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "textconv/fixed_text.h"

namespace orbalta {

// Property selectors.
inline constexpr int ATTR_DEFAULT = -1;
inline constexpr int ATTR_ENABLED = -3;
inline constexpr int ATTR_CHECKED = -5;
inline constexpr int ATTR_CURSOR = -9;
inline constexpr int ATTR_ITEM_COUNT = -13;
inline constexpr int ATTR_APPEND_ITEM = -21;
inline constexpr int ATTR_TEXT_LENGTH = -22;

// Event kinds, the third argument of every handler.
inline constexpr int EVT_INIT = 0;
inline constexpr int EVT_DESTROY = -15;
inline constexpr int EVT_SIZE = -24;
inline constexpr int EVT_CLICKED = -4;
inline constexpr int EVT_CHANGED = -6;
inline constexpr int EVT_UPDATED = -7;
inline constexpr int EVT_FOCUS_GAINED = -18;
inline constexpr int EVT_FOCUS_LOST = -19;
inline constexpr int EVT_SELECTION = -10;
inline constexpr int EVT_DOUBLE_CLICK = -14;

class Dialog;
using Handler = std::function<void(Dialog& dialog, int controlId, int event)>;

struct ToolkitState;
struct DialogState;

// Toolkit-wide state: the platform, the template script, the dialog whose handler is running
// and the active modeless dialog. One per program.
class Toolkit {
 public:
  Toolkit(platform::Platform& platform, std::string_view templateScript);
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  platform::Platform& platform();
  // Why template `templateId` cannot be opened ("line 12: ..."); empty when it can.
  std::string_view templateError(int templateId);
  // The program's messages go through here, so that its layers need not reach the platform.
  void messageBox(std::string_view text, std::string_view title, platform::MessageIcon icon);
  // The message loop of start-up: runs until the quit message; returns its code. Dialog keys
  // go through DLGROUTEMESSAGE first.
  int runMessageLoop();

  ToolkitState& state() { return *state_; }

 private:
  std::unique_ptr<ToolkitState> state_;
};

class Dialog {
 public:
  explicit Dialog(Toolkit& toolkit);
  ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  Toolkit& toolkit() { return toolkit_; }
  // The native window, 0 while none exists.
  platform::WindowHandle window() const;
  int templateId() const;
  // The id of the control that closed the window.
  int returnValue() const;

  DialogState& state() { return *state_; }

 private:
  Toolkit& toolkit_;
  std::unique_ptr<DialogState> state_;
};

bool DLGOPEN(int templateId, Dialog& dialog);
// Without an event kind, the control type's default event (clicked, text changed, selection
// changed). With the dialog's own template id, the dialog-level handler.
bool DLGHANDLER(Dialog& dialog, int controlId, Handler handler,
                std::optional<int> event = std::nullopt);
bool DLGPUTTEXT(Dialog& dialog, int controlId, std::string_view text, int attr = ATTR_DEFAULT);
bool DLGREADTEXT(Dialog& dialog, int controlId, FixedText& buffer, int attr = ATTR_DEFAULT);
bool DLGPUTSTATE(Dialog& dialog, int controlId, bool value, int attr = ATTR_DEFAULT);
bool DLGREADSTATE(Dialog& dialog, int controlId, bool& value, int attr = ATTR_DEFAULT);
bool DLGPUTNUMBER(Dialog& dialog, int controlId, int value, int attr = ATTR_DEFAULT);
bool DLGREADNUMBER(Dialog& dialog, int controlId, int& value, int attr = ATTR_DEFAULT);
void DLGCOMMIT(Dialog& dialog, bool pushAll = false);
// The control's tool tip (empty: none). Pushed like any write; it changes nothing else.
bool DLGPUTTOOLTIP(Dialog& dialog, int controlId, std::string_view text);
bool DLGMODELESS(Dialog& dialog, int showMode = 1, platform::WindowHandle owner = 0);
bool DLGROUTEMESSAGE(Toolkit& toolkit, const platform::KeyMessage& message);
int DLGMODAL(Dialog& dialog, platform::WindowHandle owner = 0);
void DLGEXIT(Dialog& dialog);
void DLGRELEASE(Dialog& dialog);

}  // namespace orbalta
