// The window table every platform keeps: handles in creation order, never reused, and the
// newest open window as the window of its template.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/window_table.h"

namespace orbalta::platform {
namespace {

struct Record : WindowEntry {
  bool native = true;
  bool hasNativeWindow() const { return native; }
};

class WindowTableTest : public ::testing::Test {
 protected:
  WindowHandle add(int templateId, WindowHandle owner = 0) {
    Record& record = table.add(std::make_unique<Record>());
    record.templateId = templateId;
    record.owner = owner;
    return record.handle;
  }
  WindowTable<Record> table;
};

TEST_F(WindowTableTest, HandlesFollowCreationAndAreNeverReused) {
  const WindowHandle first = add(101);
  const WindowHandle second = add(103);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(second, 2u);
  EXPECT_NE(table.take(second), nullptr);
  EXPECT_EQ(table.find(second), nullptr);
  EXPECT_EQ(add(103), 3u);
  EXPECT_EQ(table.take(second), nullptr);
}

TEST_F(WindowTableTest, TheWindowOfATemplateIsItsNewestOpenOne) {
  const WindowHandle older = add(111);
  add(101);
  const WindowHandle newer = add(111);
  EXPECT_EQ(table.newestOfTemplate(111), newer);
  table.find(newer)->closing = true;
  EXPECT_EQ(table.newestOfTemplate(111), older);
  EXPECT_EQ(table.open(newer), nullptr);
  table.find(older)->native = false;
  EXPECT_EQ(table.newestOfTemplate(111), 0u);
  EXPECT_EQ(table.newestOfTemplate(109), 0u);
}

TEST_F(WindowTableTest, OwnedWindowsOldestFirst) {
  const WindowHandle main = add(101);
  const WindowHandle about = add(103, main);
  add(109);
  const WindowHandle summary = add(111, main);
  EXPECT_EQ(table.ownedBy(main), (std::vector<WindowHandle>{about, summary}));
  EXPECT_TRUE(table.ownedBy(about).empty());
}

}  // namespace
}  // namespace orbalta::platform
