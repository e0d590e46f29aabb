// The Info window's text: four formulas, LF CR twice between lines, blank-filled to 90.

#include <gtest/gtest.h>

#include <string>

#include "textconv/fixed_text.h"
#include "ui/auxwin/info_about.h"

namespace orbalta {
namespace {

TEST(InfoText, FourFormulasWithLfCrLfCrBetweenThem) {
  const std::string text = infoText();
  EXPECT_EQ(text.size(), 90u);
  const std::string_view shown = trimRight(text);
  EXPECT_EQ(shown.size(), 86u);
  EXPECT_EQ(shown,
            "X = 2^E * b0.b1 ... bP-1\n\r\n\r"
            "ulp(X) = 2^(E+1-P)\n\r\n\r"
            "X  +ulp(X)  = X+\n\r\n\r"
            "X-  +ulp(X-) = X");
  EXPECT_EQ(text.substr(86), "    ");
}

TEST(InfoText, LineLengthsAndSeparators) {
  const std::string text = infoText();
  const std::string_view shown = trimRight(text);
  const std::size_t lengths[] = {24, 18, 16, 16};
  std::size_t start = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    SCOPED_TRACE("line " + std::to_string(k + 1));
    const std::size_t end = shown.find('\n', start);
    const std::string_view line =
        shown.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    EXPECT_EQ(line.size(), lengths[k]);
    EXPECT_EQ(line.find('\r'), std::string_view::npos);
    if (k < 3) {
      ASSERT_NE(end, std::string_view::npos);
      EXPECT_EQ(shown.substr(end, 4), "\n\r\n\r");
      start = end + 4;
    } else {
      EXPECT_EQ(end, std::string_view::npos);
    }
  }
}

}  // namespace
}  // namespace orbalta
