#include "fileio/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace orbalta {

namespace {

// The Linux limit on symbolic links followed while resolving one path.
constexpr int kMaxLinkDepth = 40;

SaveResult failure(int error) {
  return {false, std::strerror(error)};
}

// The folder part of `path`, with its final '/', or "" for a bare name.
std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows links in the last component, so that a link keeps pointing at the file it names
// (a dangling link gets its target created). Errors other than a link loop are left to the
// writing itself, which reports them.
int resolveLinks(std::string& path) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return errno;
    // A link that grew meanwhile is read again.
    if (static_cast<std::size_t>(length) == target.size()) continue;
    std::string next(target.data(), static_cast<std::size_t>(length));
    path = next.front() == '/' ? next : folderOf(path) + next;
  }
  return ELOOP;
}

int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Write, flush and close; the first error wins, and the descriptor is always closed.
int finish(int fd, std::string_view bytes, bool regular) {
  int error = writeAll(fd, bytes);
  if (error == 0 && regular && ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error == 0 && regular && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

SaveResult createNew(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return failure(errno);
  if (const int error = finish(fd, bytes, true); error != 0) {
    unlink(path.c_str());
    return failure(error);
  }
  return {true, {}};
}

SaveResult rewriteInPlace(const std::string& path, std::string_view bytes, bool regular) {
  // Without O_TRUNC the old blocks are reused, so a full disk can only strike beyond the old
  // length. O_NONBLOCK keeps a pipe without a reader from hanging the window.
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | (regular ? 0 : O_NONBLOCK));
  if (fd < 0) return failure(errno);
  if (!regular) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (const int error = finish(fd, bytes, regular); error != 0) return failure(error);
  return {true, {}};
}

bool folderRefusesWrite(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

void syncFolder(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

SaveResult replaceRegular(const std::string& path, const struct stat& old, std::string_view bytes) {
  const std::string folder = folderOf(path);
  std::string temp = folder + ".orbalta-save-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    if (folderRefusesWrite(errno)) return rewriteInPlace(path, bytes, true);
    return failure(errno);
  }
  // Owner first: changing it may clear the set-id bits, which the mode then restores. A file
  // that is not ours to give away stays ours, with the old permission bits.
  const bool ownerKept = fchown(fd, old.st_uid, old.st_gid) == 0 ||
                         fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
  static_cast<void>(ownerKept);
  int error = fchmod(fd, old.st_mode & 07777) != 0 ? errno : 0;
  if (error != 0) {
    close(fd);
  } else {
    error = finish(fd, bytes, true);
  }
  if (error != 0) {
    unlink(temp.c_str());
    return failure(error);
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    error = errno;
    unlink(temp.c_str());
    // A sticky folder refuses to replace another user's file that we may still write.
    if (folderRefusesWrite(error)) return rewriteInPlace(path, bytes, true);
    return failure(error);
  }
  syncFolder(folder);
  return {true, {}};
}

}  // namespace

SaveResult writeFileReplacing(const std::string& requested, std::string_view bytes) {
  std::string path = requested;
  if (const int error = resolveLinks(path); error != 0) return failure(error);

  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) return failure(errno);
    return createNew(path, bytes);
  }
  if (S_ISDIR(st.st_mode)) return failure(EISDIR);
  if (!S_ISREG(st.st_mode)) return rewriteInPlace(path, bytes, false);
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return failure(EACCES);
  if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return failure(errno);
  return replaceRegular(path, st, bytes);
}

}  // namespace orbalta
