#pragma once
// The main window kept in memory for the fuzz targets: one live text per control, the user's
// edits raised as change or focus notifications, and each message box recorded with the text
// the edited field showed while it was open. Built once per process: opening the template is
// far dearer than one input.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "model/app_state.h"
#include "model/bit_codec.h"
#include "model/classify.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"

namespace orbalta::fuzz {

class WindowDouble final : public platform::Platform {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
  };
  struct MessageRecord {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    std::string watched;  // the watched control's live text while the box was open
  };

  std::vector<MessageRecord> messages;
  int watchedControl = 0;

  // The user replaces the whole text of edit `id` (a paste over a selection).
  void userReplaces(int id, std::string_view text) {
    live(id).text.assign(text);
    events_->command(window_, id, platform::Notification::Changed);
  }
  // The user types one character at the end of edit `id`.
  void userTypes(int id, char c) {
    live(id).text.push_back(c);
    events_->command(window_, id, platform::Notification::Changed);
  }
  void userFocuses(int id) { events_->command(window_, id, platform::Notification::FocusGained); }
  // The window shows `text` without telling anyone (the state a handler starts from).
  void show(int id, std::string_view text) { live(id).text.assign(text); }
  const std::string& shown(int id) { return live(id).text; }
  bool enabled(int id) { return live(id).enabled; }

  platform::WindowHandle createDialog(const platform::DialogTemplate& tmpl, platform::WindowHandle,
                                      platform::WindowEvents& events) override {
    window_ = 1;
    events_ = &events;
    for (const auto& control : tmpl.controls) {
      Control& record = controls_[control.id];
      record.text = control.caption;
      record.enabled = (control.styles & platform::kDisabled) == 0;
    }
    events.created(window_);
    return window_;
  }
  void showWindow(platform::WindowHandle, int) override {}
  void bringToFront(platform::WindowHandle) override {}
  void setWindowTitle(platform::WindowHandle, std::string_view) override {}
  int runModal(platform::WindowHandle) override { return 0; }
  void endModal(platform::WindowHandle, int) override {}
  void destroyWindow(platform::WindowHandle) override {}
  bool isVisible(platform::WindowHandle) override { return true; }

  void setText(platform::WindowHandle, int id, std::string_view text) override {
    live(id).text.assign(text);
  }
  std::string text(platform::WindowHandle, int id) override { return live(id).text; }
  void setEnabled(platform::WindowHandle, int id, bool enabled) override {
    live(id).enabled = enabled;
  }
  bool isEnabled(platform::WindowHandle, int id) override { return live(id).enabled; }
  void setChecked(platform::WindowHandle, int, bool) override {}
  bool isChecked(platform::WindowHandle, int) override { return false; }
  void setCaret(platform::WindowHandle, int, int) override {}
  int caret(platform::WindowHandle, int) override { return 0; }
  void setListItems(platform::WindowHandle, int, const std::vector<std::string>&) override {}
  void setListSelection(platform::WindowHandle, int, int) override {}
  int listSelection(platform::WindowHandle, int) override { return -1; }

  int smallIconSize() override { return 16; }
  platform::IconHandle loadIcon(int, int) override { return 0; }
  void setWindowIcon(platform::WindowHandle, platform::IconHandle) override {}
  void setButtonImage(platform::WindowHandle, int, platform::IconHandle) override {}
  void setAccessibleName(platform::WindowHandle, int, std::string_view) override {}
  void setToolTip(platform::WindowHandle, int, std::string_view) override {}

  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override {
    messages.push_back({std::string(text), std::string(title), icon,
                        watchedControl != 0 ? live(watchedControl).text : std::string()});
  }
  void fileMessageBox(const platform::FileMessage& message, std::string_view title,
                      platform::MessageIcon icon) override {
    messageBox(message.before + message.path + message.after, title, icon);
  }
  std::optional<std::string> openFile(const platform::OpenFileRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> currentDirectory() override { return std::nullopt; }
  int runMessageLoop(platform::MessageRouter&) override { return 0; }
  void postQuit(int) override {}

 private:
  Control& live(int id) {
    const auto found = controls_.find(id);
    if (found == controls_.end()) fail("control not in template 101", std::to_string(id));
    return found->second;
  }

  platform::WindowHandle window_ = 0;
  platform::WindowEvents* events_ = nullptr;
  std::map<int, Control> controls_;
};

// The main window (template 101) open and shown on the double, with the handlers the main window
// attaches to the ten bit-field edits: validate, refresh, rewrite X on a change; refresh and
// rewrite X on focus. `state` is replaced for every input.
struct MainWindow {
  WindowDouble platform;
  Toolkit toolkit{platform, resources::templateScript()};
  Dialog dialog{toolkit};
  AppState state;

  MainWindow() {
    require(DLGOPEN(101, dialog), "DLGOPEN 101 failed");
    for (const BitFieldCheck& row : kBitFieldChecks) {
      DLGHANDLER(dialog, row.edit, [this](Dialog& d, int id, int) {
        validateBitField(d, state, id);
        refreshFromBitFields(d, state);
        valueToXText(d, state);
      });
      DLGHANDLER(
          dialog, row.edit,
          [this](Dialog& d, int, int) {
            refreshFromBitFields(d, state);
            valueToXText(d, state);
          },
          EVT_FOCUS_GAINED);
    }
    require(DLGMODELESS(dialog), "DLGMODELESS 101 failed");
  }

  static MainWindow& instance() {
    static MainWindow window;
    return window;
  }
};

}  // namespace orbalta::fuzz
