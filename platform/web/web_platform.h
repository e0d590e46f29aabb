#pragma once
// The platform in a browser page: windows and controls are DOM elements (dom_library.js), and
// the program's loops wait for the user's events with ASYNCIFY, so a modal run or a message
// box blocks the C++ caller exactly as on the desktop while the page stays live.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/windows1252.h"

namespace orbalta::platform {

class WebPlatform : public Platform {
 public:
  WebPlatform();
  ~WebPlatform() override;

  WindowHandle createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                            WindowEvents& events) override;
  void showWindow(WindowHandle window, int showMode) override;
  void bringToFront(WindowHandle window) override;
  void setWindowTitle(WindowHandle window, std::string_view title) override;
  int runModal(WindowHandle window) override;
  void endModal(WindowHandle window, int result) override;
  void destroyWindow(WindowHandle window) override;
  bool isVisible(WindowHandle window) override;
  void setText(WindowHandle window, int id, std::string_view text) override;
  std::string text(WindowHandle window, int id) override;
  void setEnabled(WindowHandle window, int id, bool enabled) override;
  bool isEnabled(WindowHandle window, int id) override;
  void setChecked(WindowHandle window, int id, bool checked) override;
  bool isChecked(WindowHandle window, int id) override;
  void setCaret(WindowHandle window, int id, int position) override;
  int caret(WindowHandle window, int id) override;
  void setListItems(WindowHandle window, int id, const std::vector<std::string>& items) override;
  void setListSelection(WindowHandle window, int id, int index) override;
  int listSelection(WindowHandle window, int id) override;
  int smallIconSize() override;
  IconHandle loadIcon(int resourceId, int size) override;
  void setWindowIcon(WindowHandle window, IconHandle icon) override;
  void setButtonImage(WindowHandle window, int id, IconHandle icon) override;
  void setAccessibleName(WindowHandle window, int id, std::string_view name) override;
  void setAccessibleDescription(WindowHandle window, int id, std::string_view text) override;
  void setAccessibleLabel(WindowHandle window, int id, int labelId,
                          std::string_view labelCaption) override;
  void setToolTip(WindowHandle window, int id, std::string_view text) override;
  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  void fileMessageBox(const FileMessage& message, std::string_view title,
                      MessageIcon icon) override;
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  std::optional<std::string> currentDirectory() override;
  int runMessageLoop(MessageRouter& router) override;
  void postQuit(int code) override;

  // The open window built from template `templateId`, 0 when none is open.
  WindowHandle windowOfTemplate(int templateId) const;

  // For the scripted user: the page's event loop and what the program has set.
  // Calls `run` from whichever loop is running, after `delayMs`.
  void schedule(int delayMs, std::function<void()> run);
  // Hands every event the page has queued to its window, without waiting for more.
  void deliverQueued();
  WindowHandle activeWindow() const;
  // The control's place in its window's DOM (-1 when the window has no such control).
  int controlIndex(WindowHandle window, int id) const;
  // The id of the control at that place, when it has one.
  std::optional<int> controlIdAt(WindowHandle window, int index) const;
  // Whether the control is shown within its window, and its tool tip.
  bool controlShown(WindowHandle window, int id) const;
  // Whether the control shows a picture in place of its caption.
  bool showsImage(WindowHandle window, int id) const;
  std::string toolTip(WindowHandle window, int id) const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Writes `bytes` to the file the user picked under `name` in this page's save dialog; the
// browser's reason when it fails. Only the web edition's file writer calls it.
std::optional<std::string> writePickedFile(const std::string& name, std::string_view bytes);

}  // namespace orbalta::platform
