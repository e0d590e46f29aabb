// The Qt platform on its own, without the toolkit's pushing flag in between: property writes
// raise no notification at all, user actions raise exactly theirs.

#include <QLineEdit>
#include <QListWidget>
#include <QWindow>
#include <string>
#include <vector>

#include "toolkit/template_parser.h"
#include "window_test_support.h"

namespace orbalta::testing {
namespace {

using platform::Notification;
using platform::WindowHandle;

struct Event {
  std::string what;
  int id;
  bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Event& event) {
  return out << event.what << " " << event.id;
}

class Recorder final : public platform::WindowEvents {
 public:
  void created(WindowHandle) override { events.push_back({"created", 0}); }
  void command(WindowHandle, int id, Notification what) override {
    static const char* const kNames[] = {"clicked", "changed",  "updated", "focus+",
                                         "focus-",  "selected", "double"};
    events.push_back({kNames[static_cast<int>(what)], id});
  }
  void activated(WindowHandle, bool active) override {
    if (!active) events.push_back({"inactive", 0});
  }
  void resized(WindowHandle) override { events.push_back({"resized", 0}); }
  void cancel(WindowHandle) override { events.push_back({"cancel", 0}); }
  void defaultCommand(WindowHandle) override { events.push_back({"default", 0}); }
  void destroyed(WindowHandle) override { events.push_back({"destroyed", 0}); }
  std::vector<Event> events;
};

class QtPlatformEventsTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    auto tmpl = parseDialogTemplate(resources::templateScript(), 101);
    ASSERT_TRUE(tmpl.has_value());
    window = qt.createDialog(*tmpl, 0, events);
    ASSERT_NE(window, 0u);
    qt.showWindow(window, 1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(qt.windowWidget(window)));
    QTest::mouseClick(qt.controlWidget(window, 1028), Qt::LeftButton);
    events.events.clear();
  }
  void TearDown() override {
    qt.destroyWindow(window);
    QtWindowTest::TearDown();
  }

  Recorder events;
  WindowHandle window = 0;
};

TEST_F(QtPlatformEventsTest, PropertyWritesRaiseNothing) {
  qt.setText(window, 1028, "0101");
  qt.setCaret(window, 1028, 2);
  qt.setText(window, 1007, "1.5");
  qt.setChecked(window, 1011, true);
  qt.setChecked(window, 1012, true);
  qt.setChecked(window, 1012, false);
  qt.setChecked(window, 1043, true);
  qt.setListItems(window, 1044, {"a", "b"});
  qt.setListSelection(window, 1044, 1);
  qt.setListSelection(window, 1044, -1);
  qt.setEnabled(window, 1028, false);  // the focus leaves it
  qt.setEnabled(window, 1028, true);
  qt.setText(window, 1040, "caption");
  EXPECT_EQ(events.events, std::vector<Event>{});
  EXPECT_FALSE(qt.isChecked(window, 1012)) << "an exclusive group still lets the program clear";
  EXPECT_EQ(qt.listSelection(window, 1044), -1);
}

TEST_F(QtPlatformEventsTest, UserActionsRaiseTheirNotifications) {
  qt.setListItems(window, 1044, {"a", "b"});
  QTest::keyClicks(qt.controlWidget(window, 1028), "1");
  QTest::mouseClick(qt.controlWidget(window, 1007), Qt::LeftButton);
  QTest::mouseClick(qt.controlWidget(window, 1013), Qt::LeftButton);
  auto* list = qobject_cast<QListWidget*>(qt.controlWidget(window, 1044));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    list->visualItemRect(list->item(0)).center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                     list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(events.events, (std::vector<Event>{{"updated", 1028},
                                               {"changed", 1028},
                                               {"focus-", 1028},
                                               {"focus+", 1007},
                                               {"focus-", 1007},
                                               {"clicked", 1013},
                                               {"selected", 1044},
                                               {"double", 1044}}));
}

TEST_F(QtPlatformEventsTest, DialogKeysAndTheCloseBox) {
  QWidget* focus = qt.controlWidget(window, 1028);
  QTest::keyClick(focus, Qt::Key_Escape);
  QTest::keyClick(focus, Qt::Key_Return);
  qt.windowWidget(window)->close();
  EXPECT_EQ(events.events, (std::vector<Event>{{"cancel", 0}, {"default", 0}, {"cancel", 0}}));
  EXPECT_TRUE(qt.isVisible(window)) << "the window never closes by itself";
}

TEST_F(QtPlatformEventsTest, DestroyReportsFirstAndTheControlsAreStillReadable) {
  std::string textAtDestroy;
  class Reader final : public platform::WindowEvents {
   public:
    Reader(platform::QtPlatform& p, std::string& out) : qt(p), text(out) {}
    void created(WindowHandle) override {}
    void command(WindowHandle, int, Notification) override {}
    void activated(WindowHandle, bool) override {}
    void cancel(WindowHandle) override {}
    void defaultCommand(WindowHandle) override {}
    void destroyed(WindowHandle w) override { text = qt.text(w, 1007); }
    platform::QtPlatform& qt;
    std::string& text;
  } reader(qt, textAtDestroy);
  auto tmpl = parseDialogTemplate(resources::templateScript(), 111);
  ASSERT_TRUE(tmpl.has_value());
  tmpl->controls.push_back({1007, platform::ControlKind::Edit, 0, 0, 0, 10, 10, "", 0, ""});
  const WindowHandle other = qt.createDialog(*tmpl, window, reader);
  qt.setText(other, 1007, "last");
  qt.destroyWindow(window);
  EXPECT_EQ(textAtDestroy, "last") << "the owned window went first, readable";
  EXPECT_EQ(qt.windowWidget(other), nullptr);
  EXPECT_EQ(events.events.back(), (Event{"destroyed", 0}));
  window = 0;
}

// The program's own minimize and restore raise nothing; the window system's do.
TEST_F(QtPlatformEventsTest, SizeChangesOfTheWindowSystemRaiseResized) {
  qt.showWindow(window, 2);
  qt.showWindow(window, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(events.events, std::vector<Event>{});
  QWindow* system = qt.windowWidget(window)->windowHandle();
  system->showMinimized();
  system->showNormal();
  QCoreApplication::processEvents();
  ASSERT_FALSE(events.events.empty());
  for (const Event& event : events.events) EXPECT_EQ(event, (Event{"resized", 0}));
}

}  // namespace
}  // namespace orbalta::testing
