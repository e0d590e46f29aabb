#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>

#include "model/ids.h"
#include "resources/resources.h"
#include "toolkit/template_parser.h"

namespace orbalta {
namespace {

using namespace id;

// Every control the program names, with the kind its template must give it.
struct Control {
  int window;
  int id;
  platform::ControlKind kind;
};

using Kind = platform::ControlKind;
constexpr std::array<Control, 50> kControls{{
    {kMainWindow, kCancel, Kind::PushButton},
    {kMainWindow, kXEdit, Kind::Edit},
    {kMainWindow, kParamValue, Kind::Edit},
    {kMainWindow, kRadio32, Kind::RadioButton},
    {kMainWindow, kRadio64, Kind::RadioButton},
    {kMainWindow, kRadio128, Kind::RadioButton},
    {kMainWindow, kSign128, Kind::Edit},
    {kMainWindow, kExponent128, Kind::Edit},
    {kMainWindow, kFractionHigh128, Kind::Edit},
    {kMainWindow, kFractionLow128, Kind::Edit},
    {kMainWindow, kCursorPosition, Kind::Edit},
    {kMainWindow, kFieldLength, Kind::Edit},
    {kMainWindow, kSign32, Kind::Edit},
    {kMainWindow, kExponent32, Kind::Edit},
    {kMainWindow, kFraction32, Kind::Edit},
    {kMainWindow, kFillZeros, Kind::PushButton},
    {kMainWindow, kFillOnes, Kind::PushButton},
    {kMainWindow, kToggle, Kind::PushButton},
    {kMainWindow, kSign64, Kind::Edit},
    {kMainWindow, kExponent64, Kind::Edit},
    {kMainWindow, kSummaryButton, Kind::PushButton},
    {kMainWindow, kFraction64, Kind::Edit},
    {kMainWindow, kDataType, Kind::Edit},
    {kMainWindow, kParamCaption, Kind::Static},
    {kMainWindow, kAboutButton, Kind::PushButton},
    {kMainWindow, kInfoButton, Kind::PushButton},
    {kMainWindow, kBinaryNeighbours, Kind::CheckBox},
    {kMainWindow, kParamList, Kind::ListBox},
    {kMainWindow, kScopeAll, Kind::RadioButton},
    {kMainWindow, kScopeCurrent, Kind::RadioButton},
    {kMainWindow, kExit, Kind::PushButton},
    {kAboutWindow, kOk, Kind::DefPushButton},
    {kAboutWindow, kCancel, Kind::PushButton},
    {kAboutWindow, kAboutTitle, Kind::Static},
    {kAboutWindow, kAboutAuthors, Kind::Static},
    {kInfoWindow, kOk, Kind::DefPushButton},
    {kInfoWindow, kCancel, Kind::PushButton},
    {kInfoWindow, kInfoFormulas, Kind::Static},
    {kSummaryWindow, kOk, Kind::DefPushButton},
    {kSummaryWindow, kCancel, Kind::PushButton},
    {kSummaryWindow, kFirstSummaryText, Kind::Static},
    {kSummaryWindow, kFirstSummaryText + 1, Kind::Static},
    {kSummaryWindow, kFirstSummaryText + 2, Kind::Static},
    {kSummaryWindow, kFirstSummaryText + 3, Kind::Static},
    {kSummaryWindow, kFirstSummaryText + 4, Kind::Static},
    {kSummaryWindow, kFirstSummaryText + 5, Kind::Static},
    {kSummaryWindow, kFirstSummaryText + 6, Kind::Static},
    {kSummaryWindow, kSaveSummary, Kind::PushButton},
    // Pictures have no id of their own: named by their image.
    {kAboutWindow, kAppIcon, Kind::IconPicture},
    {kInfoWindow, kNumberLineBitmap, Kind::BitmapPicture},
}};

// The ids the program names must be the controls the templates define: a renumbered control
// would otherwise leave a handler attached to nothing.
TEST(IdsTest, EveryNamedControlIsInItsTemplateWithItsKind) {
  for (const Control& named : kControls) {
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
  for (const Control& named : kControls) {
    EXPECT_TRUE(seen.insert({named.window, named.id}).second) << named.window << ":" << named.id;
  }
}

}  // namespace
}  // namespace orbalta
