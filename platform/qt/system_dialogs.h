#pragma once
// The message box and the open-file dialog on Qt.

#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "platform/platform.h"

namespace orbalta::platform::qt {

// Application-modal, no owner, one OK button; `text` as shown.
void showMessageBox(const QString& text, std::string_view title, MessageIcon icon);

// A path in the file system's encoding, as the file system shows it.
QString displayPath(std::string_view path);

// The open dialog with the create prompt. Paths travel in the file system's own encoding, so
// that a chosen name is the name written.
std::optional<std::string> runOpenFileDialog(const OpenFileRequest& request);

}  // namespace orbalta::platform::qt
