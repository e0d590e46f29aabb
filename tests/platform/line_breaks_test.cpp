// Line breaks as a window shows them and as the scripted user reads them on every system.

#include "platform/line_breaks.h"

#include <gtest/gtest.h>

namespace orbalta::platform {
namespace {

struct Breaks {
  const char* name;
  std::u16string written;
  std::u16string read;
};

const Breaks kBreaks[] = {
    {"none", u"a b", u"a b"},
    {"CR LF", u"a\r\nb", u"a\nb"},
    {"LF CR", u"a\n\rb", u"a\nb"},
    {"lone LF", u"a\nb", u"a\nb"},
    {"lone CR", u"a\rb", u"a\nb"},
    {"two CR LF", u"a\r\n\r\nb", u"a\n\nb"},
    {"two LF CR", u"a\n\r\n\rb", u"a\n\nb"},
    {"CR CR", u"a\r\rb", u"a\n\nb"},
    {"LF LF", u"a\n\nb", u"a\n\nb"},
    {"CR LF LF", u"a\r\n\nb", u"a\n\nb"},
    {"at both ends", u"\r\na\n", u"\na\n"},
};

// Both systems' texts are read by this rule, so a line break shows the same on either, and
// two breaks never merge into one.
TEST(LineBreaks, EachLineBreakIsReadAsOne) {
  for (const Breaks& row : kBreaks) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(oneLineBreak(row.written) == row.read);
    EXPECT_TRUE(oneLineBreak(oneLineBreak(row.written)) == row.read);
  }
}

}  // namespace
}  // namespace orbalta::platform
