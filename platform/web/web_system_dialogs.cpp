// Message boxes as modal DOM dialogs, the save dialog through the browser's file picker or a
// download, and the write of the picked file.

#include "platform/web/web_platform_impl.h"

namespace orbalta::platform {

// --- System dialogs ---

void WebPlatform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  Impl& d = *impl_;
  const Text16 body(withLineBreaks(text));
  const Text16 caption(title);
  const int closedBefore = d.boxesClosed;
  orbdom_message_box(body.data(), body.size(), caption.data(), caption.size(),
                     static_cast<int>(icon));
  while (d.boxesClosed == closedBefore) d.pumpOne();
}

void WebPlatform::fileMessageBox(const FileMessage& message, std::string_view title,
                                 MessageIcon icon) {
  messageBox(message.before + message.path + message.after, title, icon);
}

std::optional<std::string> WebPlatform::openFile(const OpenFileRequest& request) {
  const std::size_t filter = static_cast<std::size_t>(std::max(1, request.filterIndex)) - 1;
  const FileFilter chosen =
      filter < request.filters.size() ? request.filters[filter] : FileFilter{};
  const Text16 name(request.fileName);
  const Text16 description(chosen.description);
  const Text16 pattern(chosen.pattern);
  std::u16string buffer(1024, u'\0');
  const int length = orbdom_pick_file(name.data(), name.size(), description.data(),
                                      description.size(), pattern.data(), pattern.size(),
                                      buffer.data(), static_cast<int>(buffer.size()));
  if (length < 0) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(std::min<int>(length, 1024)));
  return toWindows1252(buffer);
}

std::optional<std::string> WebPlatform::currentDirectory() {
  return std::nullopt;
}

std::optional<std::string> writePickedFile(const std::string& name, std::string_view bytes) {
  const Text16 units(name);
  std::u16string reason(512, u'\0');
  const int length = orbdom_write_file(
      units.data(), units.size(), name.data(), static_cast<int>(name.size()),
      reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()),
      reason.data(), static_cast<int>(reason.size()));
  if (length == 0) return std::nullopt;
  reason.resize(static_cast<std::size_t>(std::min<int>(length, 512)));
  return toWindows1252(reason);
}

}  // namespace orbalta::platform
