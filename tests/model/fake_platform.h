#pragma once
// An in-memory window system for driving the codec through the real toolkit: controls are
// plain records, the "user" types by setting a text and raising the change notification, and
// every message box is recorded with what the window showed at that moment.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace orbalta::test {

class FakePlatform : public platform::Platform {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
    bool checked = false;
    int caret = 0;
    std::vector<std::string> items;
    int selection = -1;
  };
  struct Window {
    platform::WindowEvents* events = nullptr;
    std::map<int, Control> controls;
  };
  struct MessageRecord {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    std::map<int, std::string> screen;  // control texts of the window while the box was open
  };

  std::map<platform::WindowHandle, Window> windows;
  std::vector<MessageRecord> messages;

  // The user replaces the text of edit `id` (typing or pasting) and the window notifies.
  void userEdits(platform::WindowHandle window, int id, std::string text) {
    Control& control = windows.at(window).controls[id];
    control.caret = static_cast<int>(text.size());
    control.text = std::move(text);
    windows.at(window).events->command(window, id, platform::Notification::Changed);
  }
  void userFocuses(platform::WindowHandle window, int id) {
    windows.at(window).events->command(window, id, platform::Notification::FocusGained);
  }
  const std::string& shown(platform::WindowHandle window, int id) {
    return windows.at(window).controls[id].text;
  }

  platform::WindowHandle createDialog(const platform::DialogTemplate& tmpl, platform::WindowHandle,
                                      platform::WindowEvents& events) override {
    const platform::WindowHandle handle = next_++;
    Window& window = windows[handle];
    window.events = &events;
    for (const auto& control : tmpl.controls) {
      Control& record = window.controls[control.id];
      record.text = control.caption;
      record.enabled = (control.styles & platform::kDisabled) == 0;
    }
    events.created(handle);
    return handle;
  }
  void showWindow(platform::WindowHandle, int) override {}
  void bringToFront(platform::WindowHandle) override {}
  void setWindowTitle(platform::WindowHandle, std::string_view) override {}
  int runModal(platform::WindowHandle) override { return 0; }
  void endModal(platform::WindowHandle, int) override {}
  void destroyWindow(platform::WindowHandle window) override {
    const auto found = windows.find(window);
    if (found == windows.end()) return;
    found->second.events->destroyed(window);
    windows.erase(found);
  }
  bool isVisible(platform::WindowHandle window) override { return windows.count(window) != 0; }

  void setText(platform::WindowHandle window, int id, std::string_view text) override {
    control(window, id).text = std::string(text);
  }
  std::string text(platform::WindowHandle window, int id) override {
    return control(window, id).text;
  }
  void setEnabled(platform::WindowHandle window, int id, bool enabled) override {
    control(window, id).enabled = enabled;
  }
  bool isEnabled(platform::WindowHandle window, int id) override {
    return control(window, id).enabled;
  }
  void setChecked(platform::WindowHandle window, int id, bool checked) override {
    control(window, id).checked = checked;
  }
  bool isChecked(platform::WindowHandle window, int id) override {
    return control(window, id).checked;
  }
  void setCaret(platform::WindowHandle window, int id, int position) override {
    control(window, id).caret = position;
  }
  int caret(platform::WindowHandle window, int id) override { return control(window, id).caret; }
  void setListItems(platform::WindowHandle window, int id,
                    const std::vector<std::string>& items) override {
    control(window, id).items = items;
  }
  void setListSelection(platform::WindowHandle window, int id, int index) override {
    control(window, id).selection = index;
  }
  int listSelection(platform::WindowHandle window, int id) override {
    return control(window, id).selection;
  }

  int smallIconSize() override { return 16; }
  platform::IconHandle loadIcon(int, int) override { return 0; }
  void setWindowIcon(platform::WindowHandle, platform::IconHandle) override {}
  void setButtonImage(platform::WindowHandle, int, platform::IconHandle) override {}
  void setAccessibleName(platform::WindowHandle, int, std::string_view) override {}

  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override {
    MessageRecord record{std::string(text), std::string(title), icon, {}};
    if (!windows.empty()) {
      for (const auto& [id, control] : windows.begin()->second.controls) {
        record.screen[id] = control.text;
      }
    }
    messages.push_back(std::move(record));
  }
  std::optional<std::string> openFile(const platform::OpenFileRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> currentDirectory() override { return std::nullopt; }
  int runMessageLoop(platform::MessageRouter&) override { return 0; }
  void postQuit(int) override {}

 private:
  Control& control(platform::WindowHandle window, int id) {
    return windows.at(window).controls[id];
  }
  platform::WindowHandle next_ = 1;
};

}  // namespace orbalta::test
