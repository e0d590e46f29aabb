#pragma once
// An in-memory window system for the tests that drive the real toolkit: windows and controls are
// plain records, and the test plays the user with the methods under "The user". Like a real
// platform it raises notifications only for those user actions, never for a property the
// program sets. It also records what went past the program's back: message boxes (with what
// the top window showed at that moment), file requests, and each window's life by template.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/window_table.h"

namespace orbalta::testing {

struct FakeControl {
  platform::ControlKind kind = platform::ControlKind::Static;
  std::uint32_t styles = 0;
  std::string text;
  bool enabled = true;
  bool checked = false;
  int caret = 0;
  std::vector<std::string> items;
  int selection = -1;
  int setTextCalls = 0;
  std::string toolTip;
};

// What the program told assistive technologies about a control (or, for a picture, its image).
struct FakeAccessible {
  std::string name;
  std::string description;
  int labelId = 0;  // 0: no label given
  std::string labelCaption;
};

struct FakeWindow : platform::WindowEntry {
  // An in-memory window stands until it is destroyed.
  bool hasNativeWindow() const { return true; }
  std::string title;
  bool shown = false;
  int showMode = -1;
  int frontRequests = 0;
  bool modalRunning = false;
  bool modalEnded = false;
  int modalResult = 0;
  std::map<int, FakeControl> controls;
  std::vector<int> order;  // control ids in template order
  std::map<int, FakeAccessible> accessible;
};

struct MessageBoxCall {
  std::string text;
  std::string title;
  platform::MessageIcon icon;
  // Control texts of the newest open window while the box was up; empty without a window.
  std::map<int, std::string> screen;
};

// What the user does in a modal window that has no script in duringModal.
struct ModalAction {
  enum Kind { Enter, Escape, Click };
  Kind kind = Enter;
  int id = 0;  // the button clicked
};

class FakePlatform final : public platform::Platform {
 public:
  // --- The user ---
  // Types characters one at a time at the caret; one change notification each.
  void type(platform::WindowHandle w, int id, const std::string& text);
  // Replaces the whole text at once (select all, then paste); one change notification.
  void replaceText(platform::WindowHandle w, int id, const std::string& text);
  // Puts the caret at `position` with a click (focus notification when `focus`).
  void clickText(platform::WindowHandle w, int id, int position, bool focus = true);
  // Moves the focus into a control without touching its caret, as Tab does.
  void focus(platform::WindowHandle w, int id) {
    window(w).events->command(w, id, platform::Notification::FocusGained);
  }
  // A mouse click on a button, check box or radio button (nothing when disabled).
  void click(platform::WindowHandle w, int id);
  void selectItem(platform::WindowHandle w, int id, int index);
  void escape(platform::WindowHandle w) { window(w).events->cancel(w); }
  void enter(platform::WindowHandle w) { window(w).events->defaultCommand(w); }
  void activate(platform::WindowHandle w, bool active) { window(w).events->activated(w, active); }
  // Minimizes, restores or resizes the window.
  void resize(platform::WindowHandle w) { window(w).events->resized(w); }
  // Runs while window `templateId` is modal; the user closes it (or not) in there.
  std::map<int, std::function<void(platform::WindowHandle)>> duringModal;
  // Played one per modal run of a window without a duringModal script. A modal window left
  // open by both is a fault of the test.
  std::deque<ModalAction> modalActions;
  // Answers of the next file dialogs; nullopt cancels, and so does an empty queue.
  std::deque<std::optional<std::string>> fileAnswers;
  std::optional<std::string> currentDir = "/home/user/work";
  // When set, every program write also raises a notification, as a careless window system
  // could: the toolkit must ignore it while it pushes.
  bool noisyWrites = false;

  // --- Inspection ---
  FakeWindow& window(platform::WindowHandle w);
  FakeControl& control(platform::WindowHandle w, int id) { return window(w).controls.at(id); }
  bool exists(platform::WindowHandle w) const { return windows_.find(w) != nullptr; }
  // The newest open window of a template, 0 when none: the rule of the real platforms.
  platform::WindowHandle windowOf(int templateId) const;
  std::vector<MessageBoxCall> messageBoxes;
  std::vector<platform::OpenFileRequest> fileRequests;
  std::vector<platform::WindowHandle> destroyedOrder;
  int quitCode = -1;
  // Keys offered to the router by runMessageLoop, and its answers.
  std::vector<platform::KeyMessage> keysToRoute;
  std::vector<bool> routed;
  int createdWindows = 0;
  // Template id per createDialog, runModal, bringToFront and destroyWindow.
  std::vector<int> createdTemplates;
  std::vector<int> modalTemplates;
  std::vector<int> broughtToFront;
  std::vector<int> destroyedTemplates;
  // Texts the program set, per template and control id, last one wins; outlives the window.
  std::map<int, std::map<int, std::string>> texts;

  // --- Platform ---
  platform::WindowHandle createDialog(const platform::DialogTemplate& tmpl,
                                      platform::WindowHandle owner,
                                      platform::WindowEvents& events) override;
  void showWindow(platform::WindowHandle w, int showMode) override;
  void bringToFront(platform::WindowHandle w) override;
  void setWindowTitle(platform::WindowHandle w, std::string_view title) override {
    window(w).title = title;
  }
  int runModal(platform::WindowHandle w) override;
  void endModal(platform::WindowHandle w, int result) override;
  void destroyWindow(platform::WindowHandle w) override;
  bool isVisible(platform::WindowHandle w) override { return exists(w) && window(w).shown; }
  void setText(platform::WindowHandle w, int id, std::string_view text) override;
  std::string text(platform::WindowHandle w, int id) override { return control(w, id).text; }
  void setEnabled(platform::WindowHandle w, int id, bool enabled) override;
  bool isEnabled(platform::WindowHandle w, int id) override { return control(w, id).enabled; }
  void setChecked(platform::WindowHandle w, int id, bool checked) override;
  bool isChecked(platform::WindowHandle w, int id) override { return control(w, id).checked; }
  void setCaret(platform::WindowHandle w, int id, int position) override;
  int caret(platform::WindowHandle w, int id) override { return control(w, id).caret; }
  void setListItems(platform::WindowHandle w, int id,
                    const std::vector<std::string>& items) override;
  void setListSelection(platform::WindowHandle w, int id, int index) override;
  int listSelection(platform::WindowHandle w, int id) override { return control(w, id).selection; }
  int smallIconSize() override { return 16; }
  platform::IconHandle loadIcon(int, int) override { return 1; }
  void setWindowIcon(platform::WindowHandle, platform::IconHandle) override {}
  void setButtonImage(platform::WindowHandle, int, platform::IconHandle) override {}
  void setAccessibleName(platform::WindowHandle w, int id, std::string_view name) override {
    if (exists(w)) window(w).accessible[id].name = name;
  }
  void setAccessibleDescription(platform::WindowHandle w, int id, std::string_view text) override {
    if (exists(w)) window(w).accessible[id].description = text;
  }
  void setAccessibleLabel(platform::WindowHandle w, int id, int labelId,
                          std::string_view labelCaption) override {
    if (!exists(w)) return;
    window(w).accessible[id].labelId = labelId;
    window(w).accessible[id].labelCaption = labelCaption;
  }
  void setToolTip(platform::WindowHandle w, int id, std::string_view text) override {
    control(w, id).toolTip = text;
  }
  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override;
  // Recorded as one text, the path's bytes as they are.
  void fileMessageBox(const platform::FileMessage& message, std::string_view title,
                      platform::MessageIcon icon) override;
  std::optional<std::string> openFile(const platform::OpenFileRequest& request) override;
  std::optional<std::string> currentDirectory() override { return currentDir; }
  int runMessageLoop(platform::MessageRouter& router) override;
  void postQuit(int code) override { quitCode = code; }

 private:
  void play(platform::WindowHandle w, const ModalAction& action);
  void noise(platform::WindowHandle w, int id, platform::Notification what);
  platform::WindowTable<FakeWindow> windows_;
};

}  // namespace orbalta::testing
