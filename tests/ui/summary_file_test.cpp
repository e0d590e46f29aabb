// The summary file image against the golden file written by hand, and line by line.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/app_state.h"
#include "ui/auxwin/summary.h"

namespace orbalta {
namespace {

std::string readGolden() {
  std::ifstream in(std::string(ORBALTA_TESTS_DIR) + "/ui/golden/summary.txt", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fileImage() {
  AppState state;
  buildSummaryTexts(state);
  return summaryFileContent(summaryFileTexts(state));
}

// Lines of the file, each of which must end in CR LF.
std::vector<std::string> fileLines(const std::string& image) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < image.size()) {
    const auto end = image.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "bytes after the last CR LF: " << image.substr(start);
      break;
    }
    lines.push_back(image.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(SummaryFile, EqualsTheGoldenFileByteForByte) {
  const std::string golden = readGolden();
  ASSERT_EQ(golden.size(), 937u) << "golden file missing or damaged";
  const std::string image = fileImage();
  EXPECT_EQ(image.size(), 937u);
  for (std::size_t i = 0; i < std::min(image.size(), golden.size()); ++i) {
    if (image[i] != golden[i]) {
      ADD_FAILURE() << "first difference at byte " << i << ": 0x" << std::hex
                    << int(static_cast<unsigned char>(image[i])) << " instead of 0x"
                    << int(static_cast<unsigned char>(golden[i]));
      break;
    }
  }
  EXPECT_EQ(image, golden);
}

TEST(SummaryFile, ThirtyThreeLinesWithABlankLineAfterEachText) {
  const std::vector<std::string> lines = fileLines(fileImage());
  ASSERT_EQ(lines.size(), 33u);
  // 1-based numbers of the lines holding the record " " after each text.
  const std::size_t separators[] = {6, 10, 17, 21, 25, 30, 33};
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    SCOPED_TRACE("line " + std::to_string(n));
    const bool separator =
        std::find(std::begin(separators), std::end(separators), n) != std::end(separators);
    if (separator) {
      EXPECT_EQ(lines[n - 1], " ");
    } else if (n == 15) {
      EXPECT_EQ(lines[n - 1], "");  // the empty line inside text 3
    } else {
      EXPECT_GT(lines[n - 1].size(), 1u);
      EXPECT_NE(lines[n - 1].back(), ' ');  // trailing blanks are dropped
    }
  }
}

TEST(SummaryFile, HoldsTheFileVariantsAndTheEllipsisByte) {
  const std::vector<std::string> lines = fileLines(fileImage());
  ASSERT_EQ(lines.size(), 33u);
  EXPECT_EQ(lines[21], "- Numere normale:      E = Exponent_stocat - deplasare");
  EXPECT_EQ(lines[26], "- Numere normale:      sig = 1.b1b2 \x85 bP-1");
  EXPECT_EQ(lines[27], "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1");
  const std::string image = fileImage();
  EXPECT_EQ(std::count(image.begin(), image.end(), '\x85'), 2);
  EXPECT_EQ(image.find("          E ="), std::string::npos);  // no window variant
}

TEST(SummaryFile, DoesNotDependOnTheSelectedFormatOrValue) {
  const std::string reference = fileImage();
  for (const int formatBytes : {4, 8, 16}) {
    AppState state;
    state.formatBytes = formatBytes;
    state.setCurrentValue(~Encoding{0});
    state.xText.assign("-1.5");
    buildSummaryTexts(state);
    EXPECT_EQ(summaryFileContent(summaryFileTexts(state)), reference) << formatBytes;
  }
}

}  // namespace
}  // namespace orbalta
