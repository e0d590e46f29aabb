// Saving the summary: the open-file request, cancelling, the file written, and the messages.

#include <gtest/gtest.h>

#include <string>

#include "model/app_state.h"
#include "platform/fake/fake_platform.h"
#include "support/temp_folder.h"
#include "ui/auxwin/summary.h"

namespace orbalta {
namespace {

using platform::MessageIcon;
using test::goldenSummary;
using test::readWholeFile;
using test::TempFolder;
using test::writeWholeFile;
using testing::FakePlatform;

class SaveSummary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.ok());
    ASSERT_EQ(goldenSummary().size(), 937u);
    buildSummaryTexts(state);
  }
  // Saves once with the file dialog answering `answer`.
  void saveAnswering(std::optional<std::string> answer) {
    fake.fileAnswers.push_back(std::move(answer));
    saveSummary(fake, state);
  }

  TempFolder folder;
  AppState state;
  FakePlatform fake;
};

TEST_F(SaveSummary, AsksWithTheSummaryFileRequest) {
  saveAnswering(std::nullopt);
  ASSERT_EQ(fake.fileRequests.size(), 1u);
  const platform::OpenFileRequest& request = fake.fileRequests[0];
  EXPECT_EQ(request.title, "Saved Topic");
  ASSERT_EQ(request.filters.size(), 3u);
  EXPECT_EQ(request.filters[0].description, "Text Files (*.txt)");
  EXPECT_EQ(request.filters[0].pattern, "*.txt");
  EXPECT_EQ(request.filters[1].description, "Data Files (*.dat)");
  EXPECT_EQ(request.filters[1].pattern, "*.dat");
  EXPECT_EQ(request.filters[2].description, "All files (*.*)");
  EXPECT_EQ(request.filters[2].pattern, "*.*");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(request.initialDir, "/home/user/work");
  EXPECT_EQ(request.fileName, " ");  // the name box starts with a single blank
  EXPECT_EQ(request.defaultExt, "txt");
  EXPECT_TRUE(request.createPrompt);
  EXPECT_TRUE(request.pathMustExist);
}

TEST_F(SaveSummary, StartsInTheDefaultFolderWithoutAUsableCurrentDirectory) {
  const struct {
    const char* name;
    std::optional<std::string> current;
  } rows[] = {{"unavailable", std::nullopt},
              {"empty", std::string()},
              {"longer than the text", "/" + std::string(259, 'd')}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fake.currentDir = row.current;
    fake.fileRequests.clear();
    saveAnswering(std::nullopt);
    ASSERT_EQ(fake.fileRequests.size(), 1u);
    EXPECT_EQ(fake.fileRequests[0].initialDir, "");
  }
}

TEST_F(SaveSummary, CancellingWritesNothingAndSaysNothing) {
  saveAnswering(std::nullopt);
  EXPECT_TRUE(fake.messageBoxes.empty());
  EXPECT_EQ(folder.entries(), 0u);
}

TEST_F(SaveSummary, WritesTheFileAndConfirmsWithItsPath) {
  const std::string path = folder.file("summary.txt");
  saveAnswering(path);
  EXPECT_EQ(readWholeFile(path), goldenSummary());
  ASSERT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_EQ(fake.messageBoxes[0].title, "Saved to File");
  EXPECT_EQ(fake.messageBoxes[0].text, path);
  EXPECT_EQ(fake.messageBoxes[0].icon, MessageIcon::Information);
}

TEST_F(SaveSummary, SavingTwiceOrOverALongerFileLeavesTheSame937Bytes) {
  const std::string first = folder.file("first.txt");
  const std::string second = folder.file("second.txt");
  ASSERT_TRUE(writeWholeFile(second, std::string(5000, 'z')));
  saveAnswering(first);
  const std::string once = readWholeFile(first);
  saveAnswering(first);
  saveAnswering(second);
  EXPECT_EQ(once.size(), 937u);
  EXPECT_EQ(readWholeFile(first), once);
  EXPECT_EQ(readWholeFile(second), once);
  EXPECT_EQ(fake.messageBoxes.size(), 3u);
  EXPECT_EQ(folder.entries(), 2u);
}

TEST_F(SaveSummary, TheWindowKeepsItsOwnVariantsAfterASave) {
  const AppState before = state;
  saveAnswering(folder.file("summary.txt"));
  EXPECT_EQ(state.summaryTexts, before.summaryTexts);
  EXPECT_NE(state.summaryTexts[4].view().find("- Numere normale:" + std::string(10, ' ') + "E ="),
            std::string::npos);
}

TEST_F(SaveSummary, AFailedWriteIsReportedAndNotConfirmed) {
  const std::string readOnly = folder.file("readonly.txt");
  ASSERT_TRUE(writeWholeFile(readOnly, "keep me"));
  ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
  const struct {
    std::string path;
    std::string reason;
  } rows[] = {
#ifdef _WIN32
      {folder.path(), test::systemReason(ERROR_DIRECTORY)},
      {folder.file("missing/summary.txt"), test::systemReason(ERROR_PATH_NOT_FOUND)},
      {readOnly, test::systemReason(ERROR_ACCESS_DENIED)},
#else
      {folder.path(), "Is a directory"},
      {folder.file("missing/summary.txt"), "No such file or directory"},
      {readOnly, "Permission denied"},
#endif
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    fake.messageBoxes.clear();
    saveAnswering(row.path);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].title, "Error");
    EXPECT_EQ(fake.messageBoxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(fake.messageBoxes[0].text, "Could not save to " + row.path + ": " + row.reason);
  }
  EXPECT_EQ(readWholeFile(readOnly), "keep me");
}

TEST_F(SaveSummary, APathTheNameTextCannotHoldIsRefused) {
  // The name text holds 260 characters and loses trailing blanks: either would name another
  // file than the one chosen.
  const std::string longName = folder.file(std::string(260, 'n') + ".txt");
  const std::string trailingBlank = folder.file("summary.txt ");
  saveAnswering(longName);
  saveAnswering(trailingBlank);
  ASSERT_EQ(fake.messageBoxes.size(), 2u);
  EXPECT_EQ(fake.messageBoxes[0].text, "Could not save to " + longName + ": File name too long");
  EXPECT_EQ(fake.messageBoxes[1].text,
            "Could not save to " + trailingBlank + ": File name ends in a blank");
  for (const auto& message : fake.messageBoxes) EXPECT_EQ(message.title, "Error");
  EXPECT_EQ(folder.entries(), 0u);

  const std::string fits = folder.file(std::string(259 - folder.path().size(), 'f'));
  ASSERT_EQ(fits.size(), 260u);
  saveAnswering(fits);
  EXPECT_EQ(fake.messageBoxes.back().title, "Saved to File");
  EXPECT_EQ(readWholeFile(fits), goldenSummary());
}

TEST(ChooseSummaryFile, FillsTheNameTextAndTheFlag) {
  FakePlatform fake;
  FixedText name(kFileNameLength, " ");
  bool chosen = true;
  chooseSummaryFile(fake, name, chosen, "Saved Topic");
  EXPECT_FALSE(chosen);
  EXPECT_EQ(name.trimmed(), "");

  fake.fileAnswers.push_back("/tmp/chosen.txt");
  chooseSummaryFile(fake, name, chosen, "Another Title");
  EXPECT_TRUE(chosen);
  EXPECT_EQ(name.length(), kFileNameLength);
  EXPECT_EQ(name.trimmed(), "/tmp/chosen.txt");
  EXPECT_EQ(fake.fileRequests.back().title, "Another Title");
}

}  // namespace
}  // namespace orbalta
