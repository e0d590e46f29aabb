#include "tools/replay/platform_tap.h"

namespace orbalta::replay {

using platform::IconHandle;
using platform::WindowHandle;

WindowHandle PlatformTap::createDialog(const platform::DialogTemplate& tmpl, WindowHandle owner,
                                       platform::WindowEvents& events) {
  return inner_.createDialog(tmpl, owner, events);
}

void PlatformTap::showWindow(WindowHandle window, int showMode) {
  inner_.showWindow(window, showMode);
}

void PlatformTap::bringToFront(WindowHandle window) {
  inner_.bringToFront(window);
}

void PlatformTap::setWindowTitle(WindowHandle window, std::string_view title) {
  inner_.setWindowTitle(window, title);
}

int PlatformTap::runModal(WindowHandle window) {
  if (listener_ != nullptr) listener_->modalStarting(window);
  const int result = inner_.runModal(window);
  if (listener_ != nullptr) listener_->modalEnded(window);
  return result;
}

void PlatformTap::endModal(WindowHandle window, int result) {
  if (listener_ != nullptr) listener_->modalEnding(window);
  inner_.endModal(window, result);
}

void PlatformTap::destroyWindow(WindowHandle window) {
  inner_.destroyWindow(window);
}

bool PlatformTap::isVisible(WindowHandle window) {
  return inner_.isVisible(window);
}

void PlatformTap::setText(WindowHandle window, int id, std::string_view text) {
  inner_.setText(window, id, text);
}

std::string PlatformTap::text(WindowHandle window, int id) {
  return inner_.text(window, id);
}

void PlatformTap::setEnabled(WindowHandle window, int id, bool enabled) {
  inner_.setEnabled(window, id, enabled);
}

bool PlatformTap::isEnabled(WindowHandle window, int id) {
  return inner_.isEnabled(window, id);
}

void PlatformTap::setChecked(WindowHandle window, int id, bool checked) {
  inner_.setChecked(window, id, checked);
}

bool PlatformTap::isChecked(WindowHandle window, int id) {
  return inner_.isChecked(window, id);
}

void PlatformTap::setCaret(WindowHandle window, int id, int position) {
  inner_.setCaret(window, id, position);
}

int PlatformTap::caret(WindowHandle window, int id) {
  return inner_.caret(window, id);
}

void PlatformTap::setListItems(WindowHandle window, int id, const std::vector<std::string>& items) {
  inner_.setListItems(window, id, items);
}

void PlatformTap::setListSelection(WindowHandle window, int id, int index) {
  inner_.setListSelection(window, id, index);
}

int PlatformTap::listSelection(WindowHandle window, int id) {
  return inner_.listSelection(window, id);
}

int PlatformTap::smallIconSize() {
  return inner_.smallIconSize();
}

IconHandle PlatformTap::loadIcon(int resourceId, int size) {
  return inner_.loadIcon(resourceId, size);
}

void PlatformTap::setWindowIcon(WindowHandle window, IconHandle icon) {
  inner_.setWindowIcon(window, icon);
}

void PlatformTap::setButtonImage(WindowHandle window, int id, IconHandle icon) {
  inner_.setButtonImage(window, id, icon);
}

void PlatformTap::setToolTip(WindowHandle window, int id, std::string_view text) {
  inner_.setToolTip(window, id, text);
}

void PlatformTap::setAccessibleName(WindowHandle window, int id, std::string_view name) {
  inner_.setAccessibleName(window, id, name);
}

void PlatformTap::setAccessibleDescription(WindowHandle window, int id, std::string_view text) {
  inner_.setAccessibleDescription(window, id, text);
}

void PlatformTap::setAccessibleLabel(WindowHandle window, int id, int labelId,
                                     std::string_view labelCaption) {
  inner_.setAccessibleLabel(window, id, labelId, labelCaption);
}

void PlatformTap::messageBox(std::string_view text, std::string_view title,
                             platform::MessageIcon icon) {
  if (answers_ != nullptr) {
    answers_->messageBox(text, title, icon);
    return;
  }
  inner_.messageBox(text, title, icon);
}

void PlatformTap::fileMessageBox(const platform::FileMessage& message, std::string_view title,
                                 platform::MessageIcon icon) {
  if (answers_ != nullptr) {
    answers_->fileMessageBox(message, title, icon);
    return;
  }
  inner_.fileMessageBox(message, title, icon);
}

std::optional<std::string> PlatformTap::openFile(const platform::OpenFileRequest& request) {
  if (answers_ != nullptr) return answers_->openFile(request);
  return inner_.openFile(request);
}

std::optional<std::string> PlatformTap::currentDirectory() {
  return inner_.currentDirectory();
}

int PlatformTap::runMessageLoop(platform::MessageRouter& router) {
  if (listener_ != nullptr) listener_->messageLoopStarting();
  const int code = inner_.runMessageLoop(router);
  if (listener_ != nullptr) listener_->messageLoopEnded(code);
  return code;
}

void PlatformTap::postQuit(int code) {
  if (listener_ != nullptr) listener_->quitPosted(code);
  inner_.postQuit(code);
}

}  // namespace orbalta::replay
