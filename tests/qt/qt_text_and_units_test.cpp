// Text at the platform boundary (line breaks) and the dialog units of the template fonts.

#include <QFontInfo>
#include <QFontMetricsF>
#include <string>

#include "platform/qt/dialog_window.h"
#include "window_test_support.h"

namespace orbalta::testing {
namespace {

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
