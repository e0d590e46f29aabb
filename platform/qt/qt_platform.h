#pragma once
// The Qt 6 Widgets implementation of the platform. Besides the interface it offers what the
// scripted-user harness and window tests need to find and watch the real widgets.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/windows1252.h"

class QWidget;

namespace orbalta::platform {

class QtPlatform : public Platform {
 public:
  // A QApplication must exist before the platform is made.
  QtPlatform();
  ~QtPlatform() override;

  // --- Platform ---
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

  // --- For the harness and window tests ---
  // The open window built from template `templateId`, 0 when none is open.
  WindowHandle windowOfTemplate(int templateId) const;
  QWidget* windowWidget(WindowHandle window) const;
  // The widget of control `id` (nullptr when none).
  QWidget* controlWidget(WindowHandle window, int id) const;
  // The tool tip as the program set it; empty for none.
  std::string toolTip(WindowHandle window, int id);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Makes the QApplication (when none exists) and the platform, and runs `program` on it.
int runOnQt(int& argc, char** argv, const std::function<int(Platform&)>& program);

}  // namespace orbalta::platform
