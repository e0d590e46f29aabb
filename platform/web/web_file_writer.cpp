// The file writer of the web edition: a page cannot name files, so the "path" is the name the
// user picked in the save dialog, and the bytes go to that file through the browser (the file
// picker's handle, or a download). It takes the place of fileio's writer in the page only; the
// tests under node keep the POSIX one.

#include "fileio/file_writer.h"
#include "platform/web/web_platform.h"

namespace orbalta {

SaveResult writeFileReplacing(const std::string& path, std::string_view bytes) {
  const std::optional<std::string> failure = platform::writePickedFile(path, bytes);
  if (failure) return {false, *failure};
  return {true, {}};
}

}  // namespace orbalta
