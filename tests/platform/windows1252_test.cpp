// The Windows-1252 table that every platform converts with.

#include <gtest/gtest.h>

#include <string>

#include "platform/windows1252.h"
#include "support/outside_code_page.h"

namespace orbalta::platform {
namespace {

TEST(Windows1252, TheBytesThatDifferFromLatin1) {
  struct Row {
    unsigned char byte;
    char16_t unicode;
  };
  const Row rows[] = {
      {0x80, 0x20AC}, {0x81, 0x0081}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x8D, 0x008D},
      {0x91, 0x2018}, {0x96, 0x2013}, {0x99, 0x2122}, {0x9F, 0x0178}, {0xA0, 0x00A0},
      {0xE9, 0x00E9}, {0x7F, 0x007F}, {0x0D, 0x000D},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.byte));
    const std::string byte(1, static_cast<char>(row.byte));
    EXPECT_EQ(fromWindows1252(byte), std::u16string(1, row.unicode));
    EXPECT_EQ(toWindows1252(std::u16string(1, row.unicode)), byte);
  }
}

TEST(Windows1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

// One byte per UTF-16 unit keeps caret positions equal on both sides.
TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  for (const test::OutsideCodePage& row : test::kOutsideCodePage) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(toWindows1252(row.typed), row.read);
  }
}

}  // namespace
}  // namespace orbalta::platform
