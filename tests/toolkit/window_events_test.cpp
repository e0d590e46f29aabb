// Mirror and live window together: when values move, which events reach handlers, how windows
// open and close, modal nesting and keyboard routing.

#include <string>
#include <vector>

#include "toolkit_fixture.h"

namespace orbalta::testing {
namespace {

using platform::WindowHandle;

struct Call {
  int id;
  int event;
  bool operator==(const Call&) const = default;
};

class WindowEventsTest : public ToolkitTest {
 protected:
  Handler record() {
    return [this](Dialog&, int id, int event) { calls.push_back({id, event}); };
  }
  std::vector<Call> calls;
};

// --- Window creation ---

TEST_F(WindowEventsTest, CreationShowsTheMirrorBeforeInitAndPushesWhatInitChanged) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "0"));
  ASSERT_TRUE(DLGPUTSTATE(main, 1011, true));
  ASSERT_TRUE(DLGPUTSTATE(main, 1044, false, ATTR_ENABLED));
  std::string seenAtInit;
  ASSERT_TRUE(DLGHANDLER(main, 101, [&](Dialog& d, int id, int event) {
    calls.push_back({id, event});
    if (event != EVT_INIT) return;
    seenAtInit = fake.text(d.window(), 1007);
    DLGPUTTEXT(d, 1036, "set at init");
    EXPECT_EQ(fake.text(d.window(), 1036), "") << "held until the handler returns";
  }));
  const WindowHandle w = showMain();
  ASSERT_NE(w, 0u);
  EXPECT_EQ(calls, (std::vector<Call>{{101, EVT_INIT}}));
  EXPECT_EQ(seenAtInit, "0");
  EXPECT_EQ(fake.window(w).title, "Main");
  EXPECT_TRUE(fake.window(w).shown);
  EXPECT_TRUE(fake.control(w, 1011).checked);
  EXPECT_FALSE(fake.control(w, 1044).enabled);
  EXPECT_EQ(fake.text(w, 1036), "set at init");
}

TEST_F(WindowEventsTest, WritesWithoutAWindowAppearWhenItIsCreated) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "Exponent", ATTR_APPEND_ITEM));
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "ULP", ATTR_APPEND_ITEM));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1044, 2, 1));
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "101"));
  ASSERT_TRUE(DLGPUTNUMBER(main, 1028, 8, ATTR_TEXT_LENGTH));
  const WindowHandle w = showMain();
  EXPECT_EQ(fake.control(w, 1044).items, (std::vector<std::string>{"Exponent", "ULP"}));
  EXPECT_EQ(fake.control(w, 1044).selection, 1);
  EXPECT_EQ(fake.text(w, 1028), "101     ");
}

// --- The push rule ---

TEST_F(WindowEventsTest, WriteInsideOwnHandlerIsDeferredAndRaisesNoEvent) {
  int changes = 0;
  std::string liveDuringHandler;
  const WindowHandle w = showMain();
  ASSERT_TRUE(DLGHANDLER(main, 1007, [&](Dialog& d, int, int event) {
    ASSERT_EQ(event, EVT_CHANGED);
    ++changes;
    DLGPUTTEXT(d, 1007, "rewritten");
    liveDuringHandler = fake.text(d.window(), 1007);
  }));
  fake.type(w, 1007, "7");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(liveDuringHandler, "7");
  EXPECT_EQ(fake.text(w, 1007), "rewritten");
}

TEST_F(WindowEventsTest, CommitInsideTheHandlerPushesAtOnce) {
  const WindowHandle w = showMain();
  std::vector<std::string> live;
  ASSERT_TRUE(DLGHANDLER(main, 1027, [&](Dialog& d, int, int) {
    DLGPUTTEXT(d, 1036, "3");
    live.push_back(fake.text(d.window(), 1036));
    DLGCOMMIT(d);
    live.push_back(fake.text(d.window(), 1036));
    DLGPUTTEXT(d, 1036, "0");
    live.push_back(fake.text(d.window(), 1036));
  }));
  fake.type(w, 1027, "1");
  EXPECT_EQ(live, (std::vector<std::string>{"", "3", "3"}));
  EXPECT_EQ(fake.text(w, 1036), "0");
}

TEST_F(WindowEventsTest, WriteFromAnotherDialogsHandlerIsPushedAtOnce) {
  const WindowHandle w = showMain();
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  std::string liveDuringHandler;
  ASSERT_TRUE(DLGHANDLER(summary, 1041, [&](Dialog&, int, int) {
    DLGPUTTEXT(main, 1007, "from summary");
    liveDuringHandler = fake.text(w, 1007);
  }));
  ASSERT_TRUE(DLGMODELESS(summary));
  fake.click(summary.window(), 1041);
  EXPECT_EQ(liveDuringHandler, "from summary");
}

TEST_F(WindowEventsTest, WriteOutsideAnyHandlerIsPushedAtOnce) {
  const WindowHandle w = showMain();
  ASSERT_TRUE(DLGPUTSTATE(main, 1013, true));
  EXPECT_TRUE(fake.control(w, 1013).checked);
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "ULP", ATTR_APPEND_ITEM));
  EXPECT_EQ(fake.control(w, 1044).items, std::vector<std::string>{"ULP"});
  const int before = fake.control(w, 1040).setTextCalls;
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "x"));
  EXPECT_EQ(fake.control(w, 1040).setTextCalls, before) << "unchanged controls are not pushed";
}

TEST_F(WindowEventsTest, ToolTipsFollowThePushRuleAndTouchNothingElse) {
  ASSERT_TRUE(DLGPUTTOOLTIP(main, 1028, "before the window"));
  const WindowHandle w = showMain();
  EXPECT_EQ(fake.control(w, 1028).toolTip, "before the window");
  std::string liveDuringHandler;
  int changes = 0;
  ASSERT_TRUE(DLGHANDLER(main, 1007, [&](Dialog& d, int, int) {
    ++changes;
    DLGPUTTOOLTIP(d, 1007, "exact\nvalue");
    liveDuringHandler = fake.control(d.window(), 1007).toolTip;
  }));
  const int textPushes = fake.control(w, 1007).setTextCalls;
  fake.type(w, 1007, "7");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(liveDuringHandler, "");
  EXPECT_EQ(fake.control(w, 1007).toolTip, "exact\nvalue");
  EXPECT_EQ(fake.control(w, 1007).setTextCalls, textPushes) << "the text is not pushed again";
  ASSERT_TRUE(DLGPUTTOOLTIP(main, 1007, ""));
  EXPECT_EQ(fake.control(w, 1007).toolTip, "");
  EXPECT_FALSE(DLGPUTTOOLTIP(main, 4242, "no such control"));
}

TEST_F(WindowEventsTest, NotificationsDuringAPushAreIgnored) {
  ASSERT_TRUE(DLGHANDLER(main, 1007, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1007, record(), EVT_FOCUS_GAINED));
  ASSERT_TRUE(DLGHANDLER(main, 1011, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1044, record()));
  ASSERT_TRUE(DLGHANDLER(main, 101, record()));
  fake.noisyWrites = true;
  const WindowHandle w = showMain();
  ASSERT_TRUE(DLGPUTTEXT(main, 1007, "program"));
  ASSERT_TRUE(DLGPUTSTATE(main, 1012, true));
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "ULP", ATTR_APPEND_ITEM));
  EXPECT_EQ(calls, (std::vector<Call>{{101, EVT_INIT}}));
  fake.noisyWrites = false;
  fake.type(w, 1007, "ab");
  EXPECT_EQ(calls, (std::vector<Call>{{101, EVT_INIT}, {1007, EVT_CHANGED}, {1007, EVT_CHANGED}}));
}

// --- Live refresh ---

TEST_F(WindowEventsTest, ReadsSeeWhatTheUserJustDid) {
  const WindowHandle w = showMain();
  std::vector<std::string> seen;
  ASSERT_TRUE(DLGHANDLER(main, 1028, [&](Dialog& d, int, int) {
    FixedText text(4);
    DLGREADTEXT(d, 1028, text);
    seen.push_back(std::string(text.view()));
  }));
  fake.type(w, 1028, "10");
  EXPECT_EQ(seen, (std::vector<std::string>{"1   ", "10  "}));

  fake.click(w, 1012);
  EXPECT_TRUE(readState(main, 1012));
  EXPECT_FALSE(readState(main, 1011));
}

TEST_F(WindowEventsTest, APendingChangeIsNotOverwrittenByTheLiveControl) {
  const WindowHandle w = showMain();
  std::string afterWrite;
  ASSERT_TRUE(DLGHANDLER(main, 1007, [&](Dialog& d, int, int) {
    DLGPUTTEXT(d, 1007, "mirror");
    afterWrite = readText(d, 1007, 6);
  }));
  fake.type(w, 1007, "u");
  EXPECT_EQ(afterWrite, "mirror");
}

TEST_F(WindowEventsTest, CursorAfterAClickBetweenSecondAndThirdCharacter) {
  ASSERT_TRUE(DLGPUTTEXT(main, 1028, "10110"));
  const WindowHandle w = showMain();
  fake.clickText(w, 1028, 2);
  EXPECT_EQ(readNumber(main, 1028, ATTR_CURSOR), 2);
}

TEST_F(WindowEventsTest, TextLengthWrittenInAHandlerStartsFromTheLiveText) {
  const WindowHandle w = showMain();
  ASSERT_TRUE(DLGHANDLER(main, 1028,
                         [&](Dialog& d, int, int) { DLGPUTNUMBER(d, 1028, 8, ATTR_TEXT_LENGTH); }));
  fake.type(w, 1028, "101");
  EXPECT_EQ(fake.text(w, 1028), "101     ");
  fake.clickText(w, 1028, 8, false);
  fake.type(w, 1028, "11");
  EXPECT_EQ(fake.text(w, 1028), "101     ");
  EXPECT_EQ(fake.caret(w, 1028), 8) << "cursor cut down to the new length";
}

// --- Events ---

TEST_F(WindowEventsTest, NotificationsMapToEventKinds) {
  ASSERT_TRUE(DLGHANDLER(main, 1007, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1028, record(), EVT_FOCUS_GAINED));
  ASSERT_TRUE(DLGHANDLER(main, 1011, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1043, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1044, record()));
  ASSERT_TRUE(DLGHANDLER(main, 1029, record()));
  ASSERT_TRUE(DLGPUTTEXT(main, 1044, "Exponent", ATTR_APPEND_ITEM));
  const WindowHandle w = showMain();
  fake.type(w, 1007, "1");
  fake.clickText(w, 1028, 0);
  fake.clickText(w, 1007, 0);  // no focus handler there
  fake.click(w, 1011);
  fake.click(w, 1043);
  fake.click(w, 1012);  // no handler
  fake.selectItem(w, 1044, 0);
  fake.click(w, 1029);
  EXPECT_EQ(calls, (std::vector<Call>{{1007, EVT_CHANGED},
                                      {1028, EVT_FOCUS_GAINED},
                                      {1011, EVT_CLICKED},
                                      {1043, EVT_CLICKED},
                                      {1044, EVT_SELECTION},
                                      {1029, EVT_CLICKED}}));
  EXPECT_EQ(readNumber(main, 1044, 1), 1);
}

// Minimizing and restoring reach the size handler only, never the init and destroy handler.
TEST_F(WindowEventsTest, SizeChangesReachTheSizeHandler) {
  ASSERT_TRUE(DLGHANDLER(main, 101, record()));
  const WindowHandle w = showMain();
  calls.clear();
  fake.resize(w);
  EXPECT_TRUE(calls.empty()) << "no size handler yet";
  ASSERT_TRUE(DLGHANDLER(
      main, 101,
      [this](Dialog& d, int id, int event) {
        calls.push_back({id, event});
        DLGPUTTEXT(d, 1036, "resized");
      },
      EVT_SIZE));
  fake.resize(w);
  fake.resize(w);
  EXPECT_EQ(calls, (std::vector<Call>{{101, EVT_SIZE}, {101, EVT_SIZE}}));
  EXPECT_EQ(fake.text(w, 1036), "resized") << "what the handler wrote is pushed";
}

TEST_F(WindowEventsTest, PushButtonClicksOnlyWhileEnabledInTheMirror) {
  ASSERT_TRUE(DLGHANDLER(main, 1029, record()));
  const WindowHandle w = showMain();
  // The live button still takes the click while the handler's disable is held back.
  ASSERT_TRUE(DLGHANDLER(main, 1007, [&](Dialog& d, int, int) {
    DLGPUTSTATE(d, 1029, false, ATTR_ENABLED);
    fake.click(w, 1029);
  }));
  fake.type(w, 1007, "1");
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(fake.control(w, 1029).enabled);
}

// --- Closing ---

TEST_F(WindowEventsTest, PushButtonWithoutHandlerClosesModalWindowWithItsId) {
  Dialog info(toolkit);
  ASSERT_TRUE(DLGOPEN(109, info));
  fake.duringModal[109] = [&](WindowHandle w) { fake.click(w, 1050); };
  EXPECT_EQ(DLGMODAL(info), 1050);
  EXPECT_EQ(info.window(), 0u);
  EXPECT_EQ(info.returnValue(), 1050);
  EXPECT_EQ(fake.windowOf(109), 0u);
}

TEST_F(WindowEventsTest, KeysThatCloseModalWindows) {
  struct Row {
    const char* name;
    int templateId;
    bool escape;
    int result;
  };
  const Row rows[] = {
      {"Esc clicks the hidden Cancel", 109, true, 2},
      {"Enter clicks the default OK", 109, false, 1},
      {"Enter clicks a default button of any id", 201, false, 5},
      {"Esc without an id 2 closes with 2", 201, true, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Dialog dialog(toolkit);
    ASSERT_TRUE(DLGOPEN(row.templateId, dialog));
    fake.duringModal[row.templateId] = [&](WindowHandle w) {
      row.escape ? fake.escape(w) : fake.enter(w);
    };
    EXPECT_EQ(DLGMODAL(dialog), row.result);
    EXPECT_EQ(fake.windowOf(row.templateId), 0u);
  }
}

TEST_F(WindowEventsTest, EnterInTheMainWindowIsIgnored) {
  ASSERT_TRUE(DLGHANDLER(main, 101, record()));
  ASSERT_TRUE(DLGHANDLER(main, 30001, record()));
  const WindowHandle w = showMain();
  fake.enter(w);
  EXPECT_EQ(main.window(), w);
  EXPECT_EQ(calls, (std::vector<Call>{{101, EVT_INIT}}));
}

TEST_F(WindowEventsTest, EscClosesTheMainWindowThroughItsCancelButton) {
  ASSERT_TRUE(DLGHANDLER(main, 101, [&](Dialog& d, int id, int event) {
    calls.push_back({id, event});
    if (event == EVT_DESTROY) d.toolkit().platform().postQuit(0);
  }));
  const WindowHandle w = showMain();
  fake.escape(w);
  EXPECT_FALSE(fake.exists(w));
  EXPECT_EQ(main.window(), 0u);
  EXPECT_EQ(main.returnValue(), 2);
  EXPECT_EQ(fake.quitCode, 0);
  EXPECT_EQ(calls, (std::vector<Call>{{101, EVT_INIT}, {101, EVT_DESTROY}}));
}

TEST_F(WindowEventsTest, HandlerOnTheCancelButtonReplacesTheDefault) {
  ASSERT_TRUE(DLGHANDLER(main, 2, record()));
  const WindowHandle w = showMain();
  fake.escape(w);
  EXPECT_EQ(main.window(), w);
  EXPECT_EQ(calls, (std::vector<Call>{{2, EVT_CLICKED}}));
}

TEST_F(WindowEventsTest, DestroyKeepsTheFinalValuesForTheNextWindow) {
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  ASSERT_TRUE(DLGPUTTEXT(summary, 1048, "text 2"));
  std::string atDestroy;
  WindowHandle windowAtDestroy = 0;
  ASSERT_TRUE(DLGHANDLER(summary, 111, [&](Dialog& d, int, int event) {
    if (event != EVT_DESTROY) return;
    atDestroy = readText(d, 1060, 5);
    windowAtDestroy = d.window();
  }));
  ASSERT_TRUE(DLGMODELESS(summary));
  const WindowHandle first = summary.window();
  fake.type(first, 1060, "typed");
  fake.click(first, 1);
  EXPECT_EQ(summary.returnValue(), 1);
  EXPECT_EQ(atDestroy, "typed");
  EXPECT_EQ(windowAtDestroy, first) << "the handle is forgotten only after EVT_DESTROY";
  EXPECT_EQ(summary.window(), 0u);
  EXPECT_EQ(readText(summary, 1060, 5), "typed");

  ASSERT_TRUE(DLGMODELESS(summary));
  EXPECT_NE(summary.window(), first);
  EXPECT_EQ(fake.text(summary.window(), 1060), "typed");
  EXPECT_EQ(fake.text(summary.window(), 1048), "text 2");
}

TEST_F(WindowEventsTest, ModelessTwiceBringsTheWindowToTheFront) {
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  ASSERT_TRUE(DLGMODELESS(summary));
  const WindowHandle w = summary.window();
  ASSERT_TRUE(DLGMODELESS(summary));
  EXPECT_EQ(summary.window(), w);
  EXPECT_EQ(fake.createdWindows, 1);
  EXPECT_EQ(fake.window(w).frontRequests, 1);
}

TEST_F(WindowEventsTest, ModalExitRefreshesTheMirrorBeforeTheWindowGoes) {
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  fake.duringModal[111] = [&](WindowHandle w) {
    fake.type(w, 1060, "kept");
    fake.enter(w);
  };
  EXPECT_EQ(DLGMODAL(summary), 1);
  EXPECT_EQ(readText(summary, 1060, 4), "kept");
}

TEST_F(WindowEventsTest, ClosingTheOwnerDestroysOwnedWindowsFirst) {
  const WindowHandle w = showMain();
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  ASSERT_TRUE(DLGHANDLER(main, 1029, [&](Dialog&, int, int) { DLGMODELESS(summary); }));
  fake.click(w, 1029);
  const WindowHandle owned = summary.window();
  ASSERT_NE(owned, 0u);
  EXPECT_EQ(fake.window(owned).owner, w) << "owner: the dialog whose handler runs";
  fake.click(w, 30001);
  EXPECT_EQ(fake.destroyedOrder, (std::vector<WindowHandle>{owned, w}));
  EXPECT_EQ(summary.window(), 0u);
  EXPECT_EQ(main.returnValue(), 30001);
}

// --- Modal nesting ---

TEST_F(WindowEventsTest, NestedModalSavesAndRestoresTheRunningDialog) {
  const WindowHandle w = showMain();
  Dialog info(toolkit);
  Dialog inner(toolkit);
  std::vector<std::string> live;
  WindowHandle innerOwner = 0;
  WindowHandle infoWindow = 0;
  ASSERT_TRUE(DLGHANDLER(main, 1029, [&](Dialog& d, int, int) {
    DLGOPEN(109, info);
    DLGHANDLER(info, 1050, [&](Dialog&, int, int) {
      DLGPUTTEXT(main, 1036, "from info");  // another dialog's handler: at once
      live.push_back(fake.text(w, 1036));
      DLGOPEN(201, inner);
      fake.duringModal[201] = [&](WindowHandle iw) {
        innerOwner = fake.window(iw).owner;
        fake.enter(iw);
      };
      DLGMODAL(inner);
    });
    fake.duringModal[109] = [&](WindowHandle iw) {
      EXPECT_EQ(fake.window(iw).owner, w);
      infoWindow = iw;
      fake.click(iw, 1050);
      fake.click(iw, 1);
    };
    EXPECT_EQ(DLGMODAL(info), 1);
    DLGPUTTEXT(d, 1036, "after modal");  // main's own handler again: held back
    live.push_back(fake.text(w, 1036));
  }));
  fake.click(w, 1029);
  EXPECT_EQ(live, (std::vector<std::string>{"from info", "from info"}));
  EXPECT_EQ(fake.text(w, 1036), "after modal");
  EXPECT_NE(infoWindow, 0u);
  EXPECT_EQ(innerOwner, infoWindow) << "owned by the running modal window";
}

TEST_F(WindowEventsTest, ModalThatCannotBeCreatedReturnsMinusOne) {
  Dialog unopened(toolkit);
  EXPECT_EQ(DLGMODAL(unopened), -1);
  EXPECT_FALSE(DLGMODELESS(unopened));
}

TEST_F(WindowEventsTest, ExitDuringInitClosesBeforeTheModalRun) {
  Dialog info(toolkit);
  ASSERT_TRUE(DLGOPEN(109, info));
  ASSERT_TRUE(DLGHANDLER(info, 109, [](Dialog& d, int, int event) {
    if (event == EVT_INIT) DLGEXIT(d);
  }));
  bool ran = false;
  fake.duringModal[109] = [&](WindowHandle) { ran = true; };
  EXPECT_EQ(DLGMODAL(info), 0);
  EXPECT_FALSE(ran);
  EXPECT_EQ(info.window(), 0u);
}

// --- Keyboard routing ---

TEST_F(WindowEventsTest, RoutingFollowsTheActiveModelessWindow) {
  const WindowHandle w = showMain();
  Dialog summary(toolkit);
  ASSERT_TRUE(DLGOPEN(111, summary));
  ASSERT_TRUE(DLGMODELESS(summary));
  const WindowHandle s = summary.window();
  const platform::KeyMessage inMain{w, platform::DialogKey::Tab};
  const platform::KeyMessage inSummary{s, platform::DialogKey::Escape};

  EXPECT_FALSE(DLGROUTEMESSAGE(toolkit, inMain)) << "nothing activated yet";
  fake.activate(w, true);
  EXPECT_TRUE(DLGROUTEMESSAGE(toolkit, inMain));
  EXPECT_FALSE(DLGROUTEMESSAGE(toolkit, inSummary));
  fake.activate(w, false);
  fake.activate(s, true);
  EXPECT_FALSE(DLGROUTEMESSAGE(toolkit, inMain));
  EXPECT_TRUE(DLGROUTEMESSAGE(toolkit, inSummary));
  fake.click(s, 1);
  EXPECT_FALSE(DLGROUTEMESSAGE(toolkit, inSummary)) << "destroyed window is no longer active";

  fake.activate(w, true);
  fake.keysToRoute = {inMain, inSummary};
  toolkit.runMessageLoop();
  EXPECT_EQ(fake.routed, (std::vector<bool>{true, false}));
}

TEST_F(WindowEventsTest, ModalWindowsAreNeverTheActiveModeless) {
  const WindowHandle w = showMain();
  fake.activate(w, true);
  Dialog info(toolkit);
  ASSERT_TRUE(DLGOPEN(109, info));
  bool routedInModal = true;
  fake.duringModal[109] = [&](WindowHandle iw) {
    fake.activate(w, false);
    fake.activate(iw, true);
    routedInModal = DLGROUTEMESSAGE(toolkit, {iw, platform::DialogKey::Tab});
    fake.enter(iw);
  };
  DLGMODAL(info);
  EXPECT_FALSE(routedInModal);
}

}  // namespace
}  // namespace orbalta::testing
