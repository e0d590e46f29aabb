// The in-memory platform keeps its windows by the real platforms' rule: a template's window is
// its newest open one, and a window on its way out no longer counts.

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_platform.h"

namespace orbalta::testing {
namespace {

using platform::WindowHandle;

struct Events : platform::WindowEvents {
  FakePlatform* platform = nullptr;
  std::vector<WindowHandle> seenWhileDestroyed;
  void created(WindowHandle) override {}
  void command(WindowHandle, int, platform::Notification) override {}
  void activated(WindowHandle, bool) override {}
  void cancel(WindowHandle) override {}
  void defaultCommand(WindowHandle) override {}
  void destroyed(WindowHandle) override { seenWhileDestroyed.push_back(platform->windowOf(111)); }
};

TEST(FakePlatformWindows, TheWindowOfATemplateIsItsNewestOpenOne) {
  FakePlatform fake;
  Events events;
  events.platform = &fake;
  platform::DialogTemplate summary;
  summary.id = 111;
  platform::DialogTemplate main;
  main.id = 101;

  const WindowHandle older = fake.createDialog(summary, 0, events);
  const WindowHandle owner = fake.createDialog(main, 0, events);
  const WindowHandle newer = fake.createDialog(summary, owner, events);
  EXPECT_EQ(fake.windowOf(111), newer);
  EXPECT_EQ(fake.windowOf(101), owner);
  EXPECT_EQ(fake.windowOf(103), 0u);

  // The owner takes its owned window with it; neither counts once it starts to go.
  fake.destroyWindow(owner);
  EXPECT_EQ(events.seenWhileDestroyed, (std::vector<WindowHandle>{older, older}));
  EXPECT_FALSE(fake.exists(newer));
  EXPECT_EQ(fake.windowOf(111), older);
  EXPECT_EQ(fake.windowOf(101), 0u);
  EXPECT_THROW(fake.window(newer), std::out_of_range);
}

}  // namespace
}  // namespace orbalta::testing
