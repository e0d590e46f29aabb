#pragma once
// Inside of the toolkit: the mirror records, the dialog object's state and the toolkit-wide
// references. Only toolkit sources include this.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/platform.h"
#include "toolkit/dialog.h"

namespace orbalta {

struct ControlRecord {
  int id = -1;
  platform::ControlKind kind = platform::ControlKind::Static;
  std::uint32_t styles = 0;
  bool pending = false;

  std::string text;  // caption or edit text; its length is the edit's text length
  bool enabled = true;
  bool checked = false;
  int cursor = 0;
  std::vector<std::string> items;
  int selection = -1;  // zero-based, -1 for none
  std::string toolTip;
  bool toolTipPending = false;

  // Radio group: indices of the first and one past the last control of its group.
  std::size_t groupBegin = 0;
  std::size_t groupEnd = 0;

  std::map<int, Handler> handlers;  // by event kind
};

struct DialogState final : platform::WindowEvents {
  DialogState(Dialog& owner, Toolkit& kit) : dialog(owner), toolkit(kit) {}

  Dialog& dialog;
  Toolkit& toolkit;

  bool opened = false;
  int templateId = 0;
  platform::DialogTemplate tmpl;
  platform::WindowHandle window = 0;
  bool modal = false;
  int returnValue = 0;
  bool pending = false;
  bool pushing = false;
  Handler dialogHandler;
  Handler sizeHandler;
  std::vector<ControlRecord> controls;

  ControlRecord* find(int id);

  // --- mirror and window ---
  bool hasWindow() const { return window != 0; }
  // Brings the record up to the live control unless it holds an unpushed change.
  void refresh(ControlRecord& record);
  void refreshAll();
  // A write: the record is marked changed, then pushed when the push rule says so (at once
  // unless the window is missing or a handler of this dialog is running).
  void mark(ControlRecord& record) {
    record.pending = true;
    pending = true;
  }
  void afterWrite();
  void changed(ControlRecord& record) {
    mark(record);
    afterWrite();
  }
  void push(bool all);
  void pushRecord(ControlRecord& record);

  // Calls a handler with this dialog as the running one, then pushes what it left.
  void callHandler(const Handler& handler, int controlId, int event);
  void dispatch(int controlId, int event);
  // DLGEXIT.
  void close();

  // --- platform::WindowEvents ---
  void created(platform::WindowHandle window) override;
  void command(platform::WindowHandle window, int controlId, platform::Notification what) override;
  void activated(platform::WindowHandle window, bool active) override;
  void resized(platform::WindowHandle window) override;
  void cancel(platform::WindowHandle window) override;
  void defaultCommand(platform::WindowHandle window) override;
  void destroyed(platform::WindowHandle window) override;
};

struct ToolkitState {
  ToolkitState(platform::Platform& p, std::string_view text) : platform(p), script(text) {}

  platform::Platform& platform;
  std::string script;
  Dialog* running = nullptr;       // the dialog whose handler is running
  Dialog* runningModal = nullptr;  // the innermost modal dialog whose window is running
  Dialog* activeModeless = nullptr;
  // Each template parsed once, with the parser's error text when it failed.
  struct Parsed {
    std::optional<platform::DialogTemplate> tmpl;
    std::string error;
  };
  std::map<int, Parsed> templates;

  // The template `templateId`, parsed on first use.
  const Parsed& parsed(int templateId);

  void forget(const Dialog* dialog) {
    if (running == dialog) running = nullptr;
    if (runningModal == dialog) runningModal = nullptr;
    if (activeModeless == dialog) activeModeless = nullptr;
  }
};

}  // namespace orbalta
