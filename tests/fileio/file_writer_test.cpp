// writeFileReplacing: what it writes, how each failure is reported, and that a file it could
// not rewrite keeps its old content.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include "fileio/file_writer.h"
#include "support/temp_folder.h"

namespace orbalta {
namespace {

using test::readWholeFile;
using test::TempFolder;
using test::writeWholeFile;

const std::string kNew = "new content\r\n \r\n";
const std::string kOld = "old content that is longer than the new one, and must survive\r\n";

mode_t modeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

bool isLink(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Runs `body` with files limited to `limit` bytes: writes past it fail with EFBIG, for root
// too, which stands in for a full disk.
void withFileSizeLimit(rlim_t limit, const std::function<void()>& body) {
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = limit;
  setrlimit(RLIMIT_FSIZE, &limited);
  body();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
}

class WriteFileReplacing : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.ok()); }
  TempFolder folder;
};

TEST_F(WriteFileReplacing, CreatesAMissingFileWithTheUsualMode) {
  const std::string path = folder.file("summary.txt");
  const mode_t mask = umask(022);
  umask(mask);
  const SaveResult result = writeFileReplacing(path, kNew);
  EXPECT_TRUE(result.ok) << result.errorText;
  EXPECT_EQ(readWholeFile(path), kNew);
  EXPECT_EQ(modeOf(path), 0666 & ~mask);
  EXPECT_EQ(folder.entries(), 1u);
}

TEST_F(WriteFileReplacing, ReplacesALongerFileKeepingItsModeAndNoTemporaryFile) {
  const std::string path = folder.file("summary.txt");
  ASSERT_TRUE(writeWholeFile(path, kOld + kOld));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const SaveResult result = writeFileReplacing(path, kNew);
  EXPECT_TRUE(result.ok) << result.errorText;
  EXPECT_EQ(readWholeFile(path), kNew);
  EXPECT_EQ(modeOf(path), 0640u);
  EXPECT_EQ(folder.entries(), 1u);
}

TEST_F(WriteFileReplacing, WritesTheFileALinkNamesAndKeepsTheLink) {
  const std::string target = folder.file("target.txt");
  const std::string link = folder.file("link.txt");
  ASSERT_TRUE(writeWholeFile(target, kOld));
  ASSERT_EQ(symlink("target.txt", link.c_str()), 0);  // relative to the link's folder
  EXPECT_TRUE(writeFileReplacing(link, kNew).ok);
  EXPECT_TRUE(isLink(link));
  EXPECT_EQ(readWholeFile(target), kNew);

  // A link to a missing file gets its target created.
  const std::string dangling = folder.file("dangling.txt");
  ASSERT_EQ(symlink(folder.file("created.txt").c_str(), dangling.c_str()), 0);
  EXPECT_TRUE(writeFileReplacing(dangling, kNew).ok);
  EXPECT_TRUE(isLink(dangling));
  EXPECT_EQ(readWholeFile(folder.file("created.txt")), kNew);
}

struct FailureRow {
  const char* name;
  // Prepares the folder and returns the path to write.
  std::function<std::string(const TempFolder&)> prepare;
  int error;
};

TEST_F(WriteFileReplacing, ReportsEachFailureWithTheSystemsReason) {
  const FailureRow rows[] = {
      {"path is a folder",
       [](const TempFolder& f) {
         mkdir(f.file("folder.txt").c_str(), 0755);
         return f.file("folder.txt");
       },
       EISDIR},
      {"missing folder", [](const TempFolder& f) { return f.file("missing/summary.txt"); }, ENOENT},
      {"a file where a folder should be",
       [](const TempFolder& f) {
         writeWholeFile(f.file("plain"), kOld);
         return f.file("plain/summary.txt");
       },
       ENOTDIR},
      {"read-only file",
       [](const TempFolder& f) {
         writeWholeFile(f.file("readonly.txt"), kOld);
         chmod(f.file("readonly.txt").c_str(), 0444);
         return f.file("readonly.txt");
       },
       EACCES},
      {"link loop",
       [](const TempFolder& f) {
         symlink("loop.txt", f.file("loop.txt").c_str());
         return f.file("loop.txt");
       },
       ELOOP},
  };
  for (const FailureRow& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder scratch;
    ASSERT_TRUE(scratch.ok());
    const std::string path = row.prepare(scratch);
    const std::size_t entriesBefore = scratch.entries();
    const std::string before = readWholeFile(path);
    const SaveResult result = writeFileReplacing(path, kNew);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, std::strerror(row.error));
    EXPECT_EQ(readWholeFile(path), before);
    EXPECT_EQ(scratch.entries(), entriesBefore);  // no file created, no temporary left
  }
}

TEST_F(WriteFileReplacing, ReadOnlyFileIsRefusedEvenForRootAndKeepsItsMode) {
  const std::string path = folder.file("readonly.txt");
  ASSERT_TRUE(writeWholeFile(path, kOld));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  const SaveResult result = writeFileReplacing(path, kNew);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorText, "Permission denied");
  EXPECT_EQ(readWholeFile(path), kOld);
  EXPECT_EQ(modeOf(path), 0444u);
}

TEST_F(WriteFileReplacing, FullDeviceIsWrittenInPlaceAndReportsNoSpace) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not available";
  const SaveResult result = writeFileReplacing("/dev/full", kNew);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorText, std::strerror(ENOSPC));
  struct stat st {};
  ASSERT_EQ(stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));  // still the device, not replaced by a file
}

TEST_F(WriteFileReplacing, AFailedWriteKeepsTheOldFileAndRemovesTheNewOne) {
  const std::string existing = folder.file("existing.txt");
  const std::string fresh = folder.file("fresh.txt");
  ASSERT_TRUE(writeWholeFile(existing, kOld));
  const std::string big(4096, 'x');
  SaveResult replaced, created;
  withFileSizeLimit(1024, [&] {
    replaced = writeFileReplacing(existing, big);
    created = writeFileReplacing(fresh, big);
  });
  EXPECT_FALSE(replaced.ok);
  EXPECT_EQ(replaced.errorText, std::strerror(EFBIG));
  EXPECT_EQ(readWholeFile(existing), kOld);
  EXPECT_FALSE(created.ok);
  EXPECT_EQ(created.errorText, std::strerror(EFBIG));
  EXPECT_NE(access(fresh.c_str(), F_OK), 0);
  EXPECT_EQ(folder.entries(), 1u);  // no temporary file left
}

// The system's permission checks do not apply to root, so these run only for other users.
class WriteFileReplacingAsUser : public WriteFileReplacing {
 protected:
  void SetUp() override {
    if (geteuid() == 0) GTEST_SKIP() << "permission checks do not apply to root";
    WriteFileReplacing::SetUp();
  }
};

TEST_F(WriteFileReplacingAsUser, FolderNotWritableRefusesANewFile) {
  ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
  const SaveResult result = writeFileReplacing(folder.file("summary.txt"), kNew);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorText, "Permission denied");
  EXPECT_EQ(folder.entries(), 0u);
}

TEST_F(WriteFileReplacingAsUser, FolderNotWritableRewritesAWritableFileInPlace) {
  const std::string path = folder.file("summary.txt");
  ASSERT_TRUE(writeWholeFile(path, kOld));
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
  const SaveResult result = writeFileReplacing(path, kNew);
  EXPECT_TRUE(result.ok) << result.errorText;
  EXPECT_EQ(readWholeFile(path), kNew);  // cut to the new length
  EXPECT_EQ(modeOf(path), 0600u);
}

TEST_F(WriteFileReplacingAsUser, FileWithoutPermissionForUsIsRefused) {
  const std::string path = folder.file("summary.txt");
  ASSERT_TRUE(writeWholeFile(path, kOld));
  ASSERT_EQ(chmod(path.c_str(), 0020), 0);  // a write bit, but for the group only
  const SaveResult result = writeFileReplacing(path, kNew);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errorText, "Permission denied");
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  EXPECT_EQ(readWholeFile(path), kOld);
}

}  // namespace
}  // namespace orbalta
