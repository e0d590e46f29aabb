#pragma once
// A platform that forwards every call to the real one and tells the player when the program
// enters or leaves an event loop. The player needs that to play each line at a moment when a
// real user could act: from the message loop, or from inside a modal window's own loop. It
// also lets the player (or a test) answer the system dialogs in place of the real ones, so
// that the real platforms carry nothing for the harness.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace orbalta::replay {

class LoopListener {
 public:
  virtual ~LoopListener() = default;
  virtual void messageLoopStarting() = 0;
  virtual void messageLoopEnded(int code) = 0;
  virtual void quitPosted(int code) = 0;
  virtual void modalStarting(platform::WindowHandle window) = 0;
  virtual void modalEnding(platform::WindowHandle window) = 0;
  virtual void modalEnded(platform::WindowHandle window) = 0;
};

// Takes the program's message boxes (answered OK at once) and open-file dialogs.
class DialogAnswers {
 public:
  virtual ~DialogAnswers() = default;
  virtual void messageBox(std::string_view text, std::string_view title,
                          platform::MessageIcon icon) = 0;
  virtual void fileMessageBox(const platform::FileMessage& message, std::string_view title,
                              platform::MessageIcon icon) = 0;
  // The path the dialog returns; nullopt cancels it.
  virtual std::optional<std::string> openFile(const platform::OpenFileRequest& request) = 0;
};

class PlatformTap : public platform::Platform {
 public:
  PlatformTap(platform::Platform& inner, LoopListener& listener)
      : inner_(inner), listener_(&listener) {}
  explicit PlatformTap(platform::Platform& inner) : inner_(inner) {}

  // The system dialogs go to `answers` until it is replaced; nullptr shows them again.
  void answerDialogs(DialogAnswers* answers) { answers_ = answers; }

  platform::WindowHandle createDialog(const platform::DialogTemplate& tmpl,
                                      platform::WindowHandle owner,
                                      platform::WindowEvents& events) override;
  void showWindow(platform::WindowHandle window, int showMode) override;
  void bringToFront(platform::WindowHandle window) override;
  void setWindowTitle(platform::WindowHandle window, std::string_view title) override;
  int runModal(platform::WindowHandle window) override;
  void endModal(platform::WindowHandle window, int result) override;
  void destroyWindow(platform::WindowHandle window) override;
  bool isVisible(platform::WindowHandle window) override;
  void setText(platform::WindowHandle window, int id, std::string_view text) override;
  std::string text(platform::WindowHandle window, int id) override;
  void setEnabled(platform::WindowHandle window, int id, bool enabled) override;
  bool isEnabled(platform::WindowHandle window, int id) override;
  void setChecked(platform::WindowHandle window, int id, bool checked) override;
  bool isChecked(platform::WindowHandle window, int id) override;
  void setCaret(platform::WindowHandle window, int id, int position) override;
  int caret(platform::WindowHandle window, int id) override;
  void setListItems(platform::WindowHandle window, int id,
                    const std::vector<std::string>& items) override;
  void setListSelection(platform::WindowHandle window, int id, int index) override;
  int listSelection(platform::WindowHandle window, int id) override;
  int smallIconSize() override;
  platform::IconHandle loadIcon(int resourceId, int size) override;
  void setWindowIcon(platform::WindowHandle window, platform::IconHandle icon) override;
  void setButtonImage(platform::WindowHandle window, int id, platform::IconHandle icon) override;
  void setAccessibleName(platform::WindowHandle window, int id, std::string_view name) override;
  void setAccessibleDescription(platform::WindowHandle window, int id,
                                std::string_view text) override;
  void setAccessibleLabel(platform::WindowHandle window, int id, int labelId,
                          std::string_view labelCaption) override;
  void setToolTip(platform::WindowHandle window, int id, std::string_view text) override;
  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override;
  void fileMessageBox(const platform::FileMessage& message, std::string_view title,
                      platform::MessageIcon icon) override;
  std::optional<std::string> openFile(const platform::OpenFileRequest& request) override;
  std::optional<std::string> currentDirectory() override;
  int runMessageLoop(platform::MessageRouter& router) override;
  void postQuit(int code) override;

 private:
  platform::Platform& inner_;
  LoopListener* listener_ = nullptr;
  DialogAnswers* answers_ = nullptr;
};

}  // namespace orbalta::replay
