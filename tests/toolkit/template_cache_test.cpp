#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"
#include "toolkit/dialog.h"

namespace orbalta {
namespace {

std::string script(std::string_view control) {
  return "7 DIALOGEX 0, 0, 10, 10\nBEGIN\n    " + std::string(control) + "\nEND\n";
}

// A template that cannot be opened says why, every time it is asked; a good one opens again
// after a release.
TEST(TemplateCacheTest, OpenedTemplatesAndTheirErrorsAreKept) {
  testing::FakePlatform fake;
  Toolkit broken(fake, script("LTEXT \"a,5,0,0,1,1"));
  Toolkit good(fake, script("LTEXT \"a\",5,0,0,1,1"));
  Dialog brokenDialog(broken);
  Dialog goodDialog(good);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_FALSE(DLGOPEN(7, brokenDialog));
    EXPECT_EQ(broken.templateError(7), "line 3: unterminated string");
    ASSERT_TRUE(DLGOPEN(7, goodDialog));
    EXPECT_EQ(good.templateError(7), "");
    EXPECT_EQ(good.templateError(9), "template 9 not found");
    DLGRELEASE(goodDialog);
  }
}

}  // namespace
}  // namespace orbalta
