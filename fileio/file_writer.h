#pragma once
// Writing a whole file so that a failure is reported and never leaves a damaged file behind.

#include <string>
#include <string_view>

namespace orbalta {

struct SaveResult {
  bool ok = false;
  std::string errorText;  // the system's reason when !ok, e.g. "Permission denied"
};

// Makes the file at `path` hold exactly `bytes`.
// - A symbolic link is followed: the file it names is written, the link stays.
// - A missing file is created (mode 0666 less the umask); it is removed again if the write
//   fails.
// - An existing regular file is replaced through a temporary file in its folder, flushed and
//   renamed over it, keeping its permission bits (and its owner and group where allowed): on
//   any failure the old content stays intact.
// - A file without any write permission bit is refused ("Permission denied"), even for a
//   user whom the system would let write it.
// - When the folder does not take new files but the file is writable, the file is rewritten
//   in place: the new bytes go over the old ones and the file is then cut to their length.
//   A failure midway is reported, but the old content is then lost.
// - A device or pipe is written in place. On Windows nothing but a disk file is written: a
//   reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, in any folder, with any
//   extension) is refused as "Reserved device name", anything else that is not a disk file
//   as "Not a disk file".
SaveResult writeFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace orbalta
