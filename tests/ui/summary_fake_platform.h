#pragma once
// A platform with no windows on screen, for the auxiliary-window tests: it records message
// boxes, open-file requests, created windows and texts set, answers the file dialog from a
// queue and, in a modal run, plays one user action (Enter or Esc) on the modal window.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace orbalta::test {

struct ShownMessage {
  std::string text;
  std::string title;
  platform::MessageIcon icon;
};

class FakePlatform : public platform::Platform {
 public:
  enum class ModalAction { Enter, Escape };

  // Answers of the next open-file dialogs; nullopt cancels.
  std::deque<std::optional<std::string>> fileAnswers;
  std::optional<std::string> currentDir = "/home/user/work";
  ModalAction modalAction = ModalAction::Enter;

  std::vector<ShownMessage> messages;
  std::vector<platform::OpenFileRequest> fileRequests;
  std::vector<int> createdTemplates;  // template id per createDialog
  std::vector<int> modalTemplates;    // template id per runModal
  std::vector<int> broughtToFront;    // template id per bringToFront
  std::vector<int> destroyedTemplates;
  // Texts set on live controls, per template and control id, last one wins.
  std::map<int, std::map<int, std::string>> texts;

  platform::WindowHandle createDialog(const platform::DialogTemplate& tmpl, platform::WindowHandle,
                                      platform::WindowEvents& events) override {
    const platform::WindowHandle handle = nextHandle_++;
    windows_[handle] = Window{tmpl.id, &events, false, {}};
    createdTemplates.push_back(tmpl.id);
    events.created(handle);
    return handle;
  }
  void showWindow(platform::WindowHandle window, int showMode) override {
    if (auto* w = find(window)) w->visible = showMode != 0;
  }
  void bringToFront(platform::WindowHandle window) override {
    if (auto* w = find(window)) broughtToFront.push_back(w->templateId);
  }
  void setWindowTitle(platform::WindowHandle, std::string_view) override {}
  int runModal(platform::WindowHandle window) override {
    Window* w = find(window);
    if (!w) return -1;
    w->visible = true;
    modalTemplates.push_back(w->templateId);
    modalResult_.reset();
    if (modalAction == ModalAction::Enter) {
      w->events->defaultCommand(window);
    } else {
      w->events->cancel(window);
    }
    return modalResult_.value_or(-1);
  }
  void endModal(platform::WindowHandle window, int result) override {
    if (auto* w = find(window)) w->visible = false;
    modalResult_ = result;
  }
  void destroyWindow(platform::WindowHandle window) override {
    const auto it = windows_.find(window);
    if (it == windows_.end()) return;
    destroyedTemplates.push_back(it->second.templateId);
    it->second.events->destroyed(window);
    windows_.erase(it);
  }
  bool isVisible(platform::WindowHandle window) override {
    const Window* w = find(window);
    return w && w->visible;
  }

  void setText(platform::WindowHandle window, int id, std::string_view text) override {
    if (auto* w = find(window)) {
      texts[w->templateId][id] = std::string(text);
      w->controlTexts[id] = std::string(text);
    }
  }
  std::string text(platform::WindowHandle window, int id) override {
    Window* w = find(window);
    return w ? w->controlTexts[id] : std::string();
  }
  void setEnabled(platform::WindowHandle, int, bool) override {}
  bool isEnabled(platform::WindowHandle, int) override { return true; }
  void setChecked(platform::WindowHandle, int, bool) override {}
  bool isChecked(platform::WindowHandle, int) override { return false; }
  void setCaret(platform::WindowHandle, int, int) override {}
  int caret(platform::WindowHandle, int) override { return 0; }
  void setListItems(platform::WindowHandle, int, const std::vector<std::string>&) override {}
  void setListSelection(platform::WindowHandle, int, int) override {}
  int listSelection(platform::WindowHandle, int) override { return -1; }

  int smallIconSize() override { return 16; }
  platform::IconHandle loadIcon(int, int) override { return 1; }
  void setWindowIcon(platform::WindowHandle, platform::IconHandle) override {}
  void setButtonImage(platform::WindowHandle, int, platform::IconHandle) override {}
  void setAccessibleName(platform::WindowHandle, int, std::string_view) override {}

  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override {
    messages.push_back({std::string(text), std::string(title), icon});
  }
  std::optional<std::string> openFile(const platform::OpenFileRequest& request) override {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  std::optional<std::string> currentDirectory() override { return currentDir; }

  int runMessageLoop(platform::MessageRouter&) override { return 0; }
  void postQuit(int) override {}

 private:
  struct Window {
    int templateId = 0;
    platform::WindowEvents* events = nullptr;
    bool visible = false;
    std::map<int, std::string> controlTexts;
  };
  Window* find(platform::WindowHandle window) {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
  }

  std::map<platform::WindowHandle, Window> windows_;
  platform::WindowHandle nextHandle_ = 1;
  std::optional<int> modalResult_;
};

}  // namespace orbalta::test
