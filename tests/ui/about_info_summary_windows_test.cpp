// The handlers of the auxiliary windows against the real toolkit on a platform without a
// screen: which window each one opens, how, and what the Info window is given to show.

#include <gtest/gtest.h>

#include <string>

#include "model/app_state.h"
#include "platform/fake/fake_platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"
#include "ui/auxwin/info_about.h"
#include "ui/auxwin/summary.h"

namespace orbalta {
namespace {

using testing::FakePlatform;
using testing::ModalAction;

class AuxWindows : public ::testing::Test {
 protected:
  AuxWindows() : toolkit(fake, resources::templateScript()), main(toolkit), summary(toolkit) {
    state.mainDialog = &main;
    state.summaryDialog = &summary;
  }

  FakePlatform fake;
  Toolkit toolkit;
  Dialog main;
  Dialog summary;
  AppState state;
};

TEST_F(AuxWindows, InfoRunsModallyWithTheFormulasInEveryWayOfClosing) {
  const std::string formulas(trimRight(infoText()));
  for (const auto action : {ModalAction::Enter, ModalAction::Escape}) {
    SCOPED_TRACE(action == ModalAction::Enter ? "Enter" : "Esc");
    fake = FakePlatform();
    fake.modalActions = {{action}};
    showInfo(state);
    EXPECT_EQ(fake.createdTemplates, std::vector<int>{109});
    EXPECT_EQ(fake.modalTemplates, std::vector<int>{109});
    EXPECT_EQ(fake.texts[109][1049], formulas);
    EXPECT_EQ(fake.texts[109][1049].size(), 86u);
    EXPECT_EQ(fake.destroyedTemplates, std::vector<int>{109});
  }
}

TEST_F(AuxWindows, InfoIsTheSameForEveryFormat) {
  std::string first;
  for (const int formatBytes : {4, 8, 16}) {
    fake.texts.clear();
    state.formatBytes = formatBytes;
    state.setCurrentValue(Encoding{0x3F800000});
    fake.modalActions = {{ModalAction::Enter}};
    showInfo(state);
    if (first.empty()) first = fake.texts[109][1049];
    EXPECT_EQ(fake.texts[109][1049], first) << formatBytes;
  }
  EXPECT_EQ(fake.modalTemplates.size(), 3u);
}

TEST_F(AuxWindows, AboutRunsModallyAndGoesAwayInEveryWayOfClosing) {
  for (const auto action : {ModalAction::Enter, ModalAction::Escape}) {
    fake = FakePlatform();
    fake.modalActions = {{action}, {action}};
    showAbout(state);
    showAbout(state);
    EXPECT_EQ(fake.createdTemplates, (std::vector<int>{103, 103}));
    EXPECT_EQ(fake.modalTemplates, (std::vector<int>{103, 103}));
    EXPECT_EQ(fake.destroyedTemplates, (std::vector<int>{103, 103}));
    EXPECT_TRUE(fake.messageBoxes.empty());
  }
}

TEST_F(AuxWindows, SummaryIsModelessAndASecondPressBringsItToTheFront) {
  ASSERT_TRUE(DLGOPEN(111, summary));
  showSummary(state);
  EXPECT_EQ(fake.createdTemplates, std::vector<int>{111});
  EXPECT_TRUE(fake.modalTemplates.empty());
  EXPECT_NE(summary.window(), 0u);
  EXPECT_TRUE(fake.isVisible(summary.window()));
  showSummary(state);
  EXPECT_EQ(fake.createdTemplates, std::vector<int>{111});
  EXPECT_EQ(fake.broughtToFront, std::vector<int>{111});
}

}  // namespace
}  // namespace orbalta
