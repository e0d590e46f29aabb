// writeFileReplacing with the Windows file calls: what it writes, the system's reason for each
// failure, and that a file it could not replace keeps its old content.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fileio/file_writer.h"
#include "support/temp_folder.h"

namespace orbalta {
namespace {

using test::readWholeFile;
using test::systemReason;
using test::TempFolder;
using test::writeWholeFile;

const std::string kNew = "new content\r\n \r\n";
const std::string kOld = "old content that is longer than the new one, and must survive\r\n";

std::wstring wide(const std::string& path) {
  return std::wstring(path.begin(), path.end());  // the scratch paths are ASCII
}

class WriteFileReplacingWin32 : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.ok()); }
  TempFolder folder;
};

TEST_F(WriteFileReplacingWin32, CreatesOrReplacesWithNothingLeftBeside) {
  const std::string path = folder.file("summary.txt");
  for (const std::string& before : {std::string(), kOld, std::string("short")}) {
    SCOPED_TRACE(before);
    if (!before.empty()) {
      ASSERT_TRUE(writeWholeFile(path, before));
    }
    const SaveResult result = writeFileReplacing(path, kNew);
    EXPECT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(readWholeFile(path), kNew);
    EXPECT_EQ(folder.entries(), 1u);
  }
}

TEST_F(WriteFileReplacingWin32, ReplacingKeepsTheFilesAttributes) {
  const std::string path = folder.file("summary.txt");
  ASSERT_TRUE(writeWholeFile(path, kOld));
  ASSERT_TRUE(SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(writeFileReplacing(path, kNew).ok);
  EXPECT_EQ(readWholeFile(path), kNew);
  EXPECT_TRUE(GetFileAttributesW(wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(WriteFileReplacingWin32, ReportsEachFailureWithTheSystemsReasonAndKeepsTheOldFile) {
  const std::string readOnly = folder.file("readonly.txt");
  ASSERT_TRUE(writeWholeFile(readOnly, kOld));
  ASSERT_TRUE(SetFileAttributesW(wide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
  const struct {
    std::string path;
    DWORD error;
  } rows[] = {
      {folder.path(), ERROR_DIRECTORY}, {folder.file("missing\\summary.txt"), ERROR_PATH_NOT_FOUND},
      {readOnly, ERROR_ACCESS_DENIED},  {folder.file("bad|name.txt"), ERROR_INVALID_NAME},
      {"", ERROR_INVALID_NAME},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    const SaveResult result = writeFileReplacing(row.path, kNew);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, systemReason(row.error));
  }
  EXPECT_EQ(readWholeFile(readOnly), kOld);
  SetFileAttributesW(wide(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.entries(), 1u);
}

TEST_F(WriteFileReplacingWin32, AFileOpenWithoutSharingIsNotDamaged) {
  const std::string path = folder.file("locked.txt");
  ASSERT_TRUE(writeWholeFile(path, kOld));
  const HANDLE lock =
      CreateFileW(wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const SaveResult result = writeFileReplacing(path, kNew);
  CloseHandle(lock);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorText, systemReason(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(readWholeFile(path), kOld);
  EXPECT_EQ(folder.entries(), 1u);
}

TEST_F(WriteFileReplacingWin32, ANonAsciiNameIsTheNameOnDisk) {
  const std::string path = folder.file("r\xC3\xA9sum\xC3\xA9.txt");  // UTF-8
  ASSERT_TRUE(writeFileReplacing(path, kNew).ok);
  const std::wstring onDisk = wide(folder.path()) + L"/r\u00E9sum\u00E9.txt";
  EXPECT_NE(GetFileAttributesW(onDisk.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WriteFileReplacingWin32, TheNullDeviceIsWrittenInPlace) {
  EXPECT_TRUE(writeFileReplacing("NUL", kNew).ok);
}

}  // namespace
}  // namespace orbalta
