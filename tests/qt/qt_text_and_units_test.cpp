// Text at the platform boundary (Windows-1252, line breaks) and the dialog units of the
// template fonts.

#include <QFontInfo>
#include <QFontMetricsF>
#include <string>

#include "platform/qt/dialog_window.h"
#include "window_test_support.h"

namespace orbalta::testing {
namespace {

using platform::fromWindows1252;
using platform::toWindows1252;

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

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(toWindows1252(u"\u0103x"), "?x");
  // One byte per UTF-16 unit keeps caret positions equal on both sides.
  EXPECT_EQ(toWindows1252(u"a\U0001F600b"), "a??b");
}

TEST(DisplayText, EachLineBreakPairIsOneBreak) {
  struct Row {
    const char* name;
    const char* text;
    const char* shown;
  };
  const Row rows[] = {
      {"CR LF", "a\r\nb", "a\nb"},
      {"LF CR", "a\n\rb", "a\nb"},
      {"LF CR twice: an empty line", "a\n\r\n\rb", "a\n\nb"},
      {"CR LF twice", "a\r\n\r\nb", "a\n\nb"},
      {"lone LF", "a\nb", "a\nb"},
      {"lone CR", "a\rb", "a\nb"},
      {"blanks stay", "  a   b ", "  a   b "},
      {"ellipsis", "T \x85 0", "T \u2026 0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::qt::displayText(row.text), QString::fromUtf8(row.shown));
  }
}

class DialogUnitsTest : public QtWindowTest {};

// "MS Sans Serif" 8 has base units of 6 x 13 pixels on the desktop at 96 dpi.
TEST_F(DialogUnitsTest, MainWindowFontHasTheDesktopsBaseUnits) {
  const QFont font = platform::qt::templateFont({"MS Sans Serif", 8, 400, false, 0});
  if (QFontInfo(font).family() != "Liberation Sans") GTEST_SKIP() << "no Liberation Sans";
  const platform::qt::DialogUnits units(font);
  EXPECT_EQ(units.baseWidth(), 6);
  EXPECT_EQ(units.baseHeight(), 13);
  EXPECT_EQ(units.rect(21, 25, 171, 12), QRect(32, 41, 257, 20));
}

// The fitted font is never wider on average than the unit grid allows, and never shrinks
// more than it must.
TEST_F(DialogUnitsTest, FittedFontsKeepTheirLettersInsideTheGrid) {
  const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const platform::FontSpec fonts[] = {
      {"MS Sans Serif", 8, 400, false, 0},
      {"Microsoft Sans Serif", 10, 400, false, 0},
      {"Times New Roman", 11, 400, true, 0xEE},
  };
  for (const auto& spec : fonts) {
    SCOPED_TRACE(spec.face);
    const QFont font = platform::qt::templateFont(spec);
    const platform::qt::DialogUnits units(font);
    const QFont fitted = platform::qt::fittedFont(font, units.baseWidth());
    EXPECT_LE(QFontMetricsF(fitted).horizontalAdvance(letters), 52.0 * units.baseWidth());
    EXPECT_GE(fitted.pixelSize(), font.pixelSize() - 2);
    EXPECT_EQ(fitted.italic(), spec.italic);
    if (fitted.pixelSize() < font.pixelSize()) {
      QFont larger = fitted;
      larger.setPixelSize(fitted.pixelSize() + 1);
      EXPECT_GT(QFontMetricsF(larger).horizontalAdvance(letters), 52.0 * units.baseWidth());
    }
  }
}

}  // namespace
}  // namespace orbalta::testing
