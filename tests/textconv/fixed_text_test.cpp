// The blank-padded buffer's trims: a value text shown left-justified keeps every inner blank,
// and a text of blanks only is empty.

#include "textconv/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orbalta {
namespace {

struct TrimRow {
  const char* name;
  std::string text;
  std::string right;  // trimRight
  std::string both;   // trimBlanks
};

const TrimRow kTrims[] = {
    {"empty", "", "", ""},
    {"blanks only", "    ", "", ""},
    {"no blanks", "1.5E+00", "1.5E+00", "1.5E+00"},
    {"leading", "  -0", "  -0", "-0"},
    {"trailing", "Inf   ", "Inf", "Inf"},
    {"both", " 2 ^ 3 ", " 2 ^ 3", "2 ^ 3"},
    {"inner blanks kept", "a   b", "a   b", "a   b"},
    {"tab is no blank", "\t1 ", "\t1", "\t1"},
    {"one character", " x ", " x", "x"},
};

TEST(FixedTextTrim, OnlyBlanksAtTheEndsGo) {
  for (const TrimRow& row : kTrims) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(std::string(trimRight(row.text)), row.right);
    EXPECT_EQ(std::string(trimBlanks(row.text)), row.both);
    EXPECT_EQ(std::string(FixedText(64, row.text).trimmed()), row.right);
  }
}

}  // namespace
}  // namespace orbalta
