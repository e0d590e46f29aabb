#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "model/ids.h"
#include "resources/resources.h"
#include "toolkit/template_parser.h"

namespace orbalta {
namespace {

// The ids the program names must be the controls the templates define: a renumbered control
// would otherwise leave a handler attached to nothing.
TEST(IdsTest, EveryNamedControlIsInItsTemplateWithItsKind) {
  for (const id::Control& named : id::kControls) {
    SCOPED_TRACE(std::to_string(named.window) + ":" + std::to_string(named.id));
    std::string error;
    const auto tmpl = parseDialogTemplate(resources::templateScript(), named.window, &error);
    ASSERT_TRUE(tmpl.has_value()) << error;
    const bool picture = named.kind == platform::ControlKind::IconPicture ||
                         named.kind == platform::ControlKind::BitmapPicture;
    int found = 0;
    for (const platform::ControlTemplate& control : tmpl->controls) {
      if ((picture ? control.imageId : control.id) != named.id) continue;
      ++found;
      EXPECT_EQ(control.kind, named.kind);
    }
    EXPECT_EQ(found, 1);
  }
}

TEST(IdsTest, NoControlIsNamedTwice) {
  std::set<std::pair<int, int>> seen;
  for (const id::Control& named : id::kControls) {
    EXPECT_TRUE(seen.insert({named.window, named.id}).second) << named.window << ":" << named.id;
  }
}

}  // namespace
}  // namespace orbalta
