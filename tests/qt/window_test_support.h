#pragma once
// Real widgets on the offscreen platform: one QApplication for the whole test program (made
// by whichever file asks first), and a fixture with the Qt platform, the toolkit on the
// program's own templates and a message-box hook that fails on any unexpected message.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"

namespace orbalta::testing {

inline QApplication& qtApplication() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "orbalta_qt_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own statics are gone by the time a static application would go.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

struct ShownMessage {
  std::string text;
  std::string title;
  platform::MessageIcon icon;
};

class QtWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qt.setMessageBoxHook(
        [this](const std::string& text, const std::string& title, platform::MessageIcon icon) {
          messages.push_back({text, title, icon});
          if (!expectMessages)
            ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
        });
  }

  void TearDown() override {
    // Windows go with deleteLater; let them go before the next test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QWidget* widget(const Dialog& dialog) const { return qt.windowWidget(dialog.window()); }
  QWidget* control(const Dialog& dialog, int id) const {
    return qt.controlWidget(dialog.window(), id);
  }

  // Shows a modeless window and waits until it is the active window.
  void show(Dialog& dialog) {
    ASSERT_TRUE(DLGMODELESS(dialog));
    QWidget* window = widget(dialog);
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  // The application comes before the platform.
  QApplication& app = qtApplication();
  platform::QtPlatform qt;
  Toolkit toolkit{qt, resources::templateScript()};
  std::vector<ShownMessage> messages;
  bool expectMessages = false;
};

}  // namespace orbalta::testing
