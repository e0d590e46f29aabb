#pragma once
// A scratch folder under the temporary folder, removed with everything in it, and whole-file
// helpers.

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace orbalta::test {

class TempFolder {
 public:
#ifdef _WIN32
  TempFolder() {
    std::error_code error;
    const auto base = std::filesystem::temp_directory_path(error);
    std::random_device seed;
    for (int attempt = 0; !error && attempt < 100; ++attempt) {
      const auto candidate = base / ("orbalta-save-test-" + std::to_string(seed()));
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = candidate.generic_string();
        return;
      }
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
#else
  TempFolder() {
    std::string pattern = "/tmp/orbalta-save-test-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempFolder() {
    if (path_.empty()) return;
    // Give write permission back to every folder so that everything can be removed.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
      if (entry.is_directory(ignored)) chmod(entry.path().c_str(), 0700);
    }
    chmod(path_.c_str(), 0700);
    std::filesystem::remove_all(path_, ignored);
  }
#endif
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool ok() const {
    return !path_.empty();
  }
  const std::string& path() const {
    return path_;
  }
  std::string file(const std::string& name) const {
    return path_ + "/" + name;
  }
  // Number of entries in the folder.
  std::size_t entries() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(path_)) ++count;
    return count;
  }

 private:
  std::string path_;
};

// The file's bytes; a marker for anything that is not a regular file.
inline std::string readWholeFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::filesystem::is_directory(path, error) ? "(folder)" : "(no file)";
  }
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool writeWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

#ifdef _WIN32
// The system's sentence for a Windows error code, as a failed save reports it.
inline std::string systemReason(DWORD code) {
  char text[512] = {};
  DWORD n =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ')) --n;
  return std::string(text, n);
}
#endif

inline std::string goldenSummary() {
  return readWholeFile(std::string(ORBALTA_TESTS_DIR) + "/ui/golden/summary.txt");
}

}  // namespace orbalta::test
