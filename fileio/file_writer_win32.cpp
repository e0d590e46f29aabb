#include <windows.h>

#include <string>

#include "fileio/file_writer.h"

// The Windows file calls behind writeFileReplacing. Paths arrive in UTF-8, as the platform
// hands them over, and go to the system in UTF-16.

namespace orbalta {

namespace {

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                    static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      out.data(), n);
  return out;
}

// The system's own sentence for `error`, without its line end.
SaveResult failure(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text),
      0, nullptr);
  std::string reason;
  if (n > 0) {
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    reason.resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), reason.data(), bytes, nullptr,
                        nullptr);
    LocalFree(text);
  }
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = "Error " + std::to_string(error);
  return {false, reason};
}

SaveResult lastFailure() {
  return failure(GetLastError());
}

// The program's own reasons, for what the system would take without a word.
const char* const kReservedName = "Reserved device name";
const char* const kNotDisk = "Not a disk file";

bool isAsciiLetter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t upper(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// Windows opens a device for these names in any folder, with any extension and in any case,
// once it has dropped the trailing dots and blanks of the name and the blanks before its
// extension ("nul .txt.").
bool isReservedDeviceName(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  std::wstring name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
  if (slash == std::wstring::npos && name.size() >= 2 && name[1] == L':' &&
      isAsciiLetter(name[0])) {
    name.erase(0, 2);
  }
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  name = name.substr(0, name.find_first_of(L".:"));
  while (!name.empty() && name.back() == L' ') name.pop_back();
  for (wchar_t& c : name) c = upper(c);
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (name == device) return true;
  }
  if (name.size() != 4 || (name.compare(0, 3, L"COM") != 0 && name.compare(0, 3, L"LPT") != 0)) {
    return false;
  }
  const wchar_t digit = name[3];
  return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' ||
         digit == L'\u00B3';
}

// "\\.\" and "\\?\" reach the system's devices directly; only a drive or a share under
// them names a file.
bool isDeviceNamespace(const std::wstring& path) {
  auto sep = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (path.size() < 4 || !sep(path[0]) || !sep(path[1]) || (path[2] != L'.' && path[2] != L'?') ||
      !sep(path[3])) {
    return false;
  }
  const std::wstring rest = path.substr(4);
  const bool drive = rest.size() >= 3 && isAsciiLetter(rest[0]) && rest[1] == L':' && sep(rest[2]);
  const bool share = rest.size() >= 4 && upper(rest[0]) == L'U' && upper(rest[1]) == L'N' &&
                     upper(rest[2]) == L'C' && sep(rest[3]);
  return !drive && !share;
}

// A handle that turned out not to be a disk file (a pipe, a console, a port) is closed
// unwritten.
bool keepIfDisk(HANDLE file) {
  if (GetFileType(file) == FILE_TYPE_DISK) return true;
  CloseHandle(file);
  return false;
}

// Write, cut to length (for a disk file) and flush; the handle is always closed.
DWORD finish(HANDLE file, std::string_view bytes, bool disk) {
  DWORD error = 0;
  while (error == 0 && !bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
      error = GetLastError();
    } else if (written == 0) {
      error = ERROR_WRITE_FAULT;
    } else {
      bytes.remove_prefix(written);
    }
  }
  if (error == 0 && disk && !SetEndOfFile(file)) error = GetLastError();
  if (error == 0 && disk && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == 0) error = GetLastError();
  return error;
}

SaveResult createNew(const std::wstring& path, std::string_view bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastFailure();
  // Not created by us, so not removed either.
  if (!keepIfDisk(file)) return {false, kNotDisk};
  if (const DWORD error = finish(file, bytes, true); error != 0) {
    DeleteFileW(path.c_str());
    return failure(error);
  }
  return {true, {}};
}

// Over the old bytes, then cut to length: the folder takes no new file.
SaveResult rewriteInPlace(const std::wstring& path, std::string_view bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastFailure();
  if (!keepIfDisk(file)) return {false, kNotDisk};
  if (const DWORD error = finish(file, bytes, true); error != 0) return failure(error);
  return {true, {}};
}

std::wstring folderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) return path.substr(0, slash + 1);
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
  return L".";
}

bool refusesNewFile(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

// A link or junction is followed: the file it names is replaced and the link stays.
std::wstring finalPath(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::wstring out(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file, out.data(), static_cast<DWORD>(out.size()), 0);
  if (n >= out.size()) {
    out.resize(n + 1);
    n = GetFinalPathNameByHandleW(file, out.data(), static_cast<DWORD>(out.size()), 0);
  }
  CloseHandle(file);
  if (n == 0 || n >= out.size()) return path;
  out.resize(n);
  return out;
}

SaveResult replaceRegular(const std::wstring& path, DWORD attributes, std::string_view bytes) {
  wchar_t temp[MAX_PATH + 1] = {};
  if (GetTempFileNameW(folderOf(path).c_str(), L"orb", 0, temp) == 0) {
    const DWORD error = GetLastError();
    if (refusesNewFile(error)) return rewriteInPlace(path, bytes);
    return failure(error);
  }
  const HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const SaveResult result = lastFailure();
    DeleteFileW(temp);
    return result;
  }
  if (!keepIfDisk(file)) {
    DeleteFileW(temp);
    return {false, kNotDisk};
  }
  if (const DWORD error = finish(file, bytes, true); error != 0) {
    DeleteFileW(temp);
    return failure(error);
  }
  // ReplaceFileW keeps the old file's security; the attributes are set here as well, since
  // not every implementation carries them over, and MoveFileExW would not.
  SetFileAttributesW(
      temp, attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  if (!ReplaceFileW(path.c_str(), temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                    nullptr) &&
      !MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temp);
    return failure(error);
  }
  return {true, {}};
}

}  // namespace

SaveResult writeFileReplacing(const std::string& requested, std::string_view bytes) {
  const std::wstring asked = wide(requested);
  if (asked.empty()) return failure(ERROR_INVALID_NAME);
  if (isReservedDeviceName(asked)) return {false, kReservedName};
  if (isDeviceNamespace(asked)) return {false, kNotDisk};
  const DWORD attributes = GetFileAttributesW(asked.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return failure(error);
    return createNew(asked, bytes);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return failure(ERROR_DIRECTORY);
  if (attributes & FILE_ATTRIBUTE_READONLY) return failure(ERROR_ACCESS_DENIED);
  const std::wstring path = finalPath(asked);
  const HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return lastFailure();
  if (!keepIfDisk(probe)) return {false, kNotDisk};
  CloseHandle(probe);
  return replaceRegular(path, attributes, bytes);
}

}  // namespace orbalta
