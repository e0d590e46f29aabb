#pragma once
// Real widgets on the offscreen platform: one QApplication for the whole test program (made
// by whichever file asks first), and a fixture with the Qt platform, the toolkit on the
// program's own templates, and the system dialogs taken on the way: any unexpected message box
// fails the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"
#include "tools/replay/platform_tap.h"

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

class QtWindowTest : public ::testing::Test, public replay::DialogAnswers {
 protected:
  void SetUp() override { tap.answerDialogs(this); }

  // Message boxes are recorded (the path as the file system's bytes), or shown when
  // `realMessageBoxes`; the open-file dialog is shown unless `fileAnswer` answers it.
  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override {
    if (realMessageBoxes) {
      qt.messageBox(text, title, icon);
      return;
    }
    messages.push_back({std::string(text), std::string(title), icon});
    if (!expectMessages) ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
  }
  void fileMessageBox(const platform::FileMessage& message, std::string_view title,
                      platform::MessageIcon icon) override {
    if (realMessageBoxes) {
      qt.fileMessageBox(message, title, icon);
      return;
    }
    messageBox(message.before + message.path + message.after, title, icon);
  }
  std::optional<std::string> openFile(const platform::OpenFileRequest& request) override {
    return fileAnswer ? fileAnswer(request) : qt.openFile(request);
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
  replay::PlatformTap tap{qt};  // what the program calls; the rest goes straight to `qt`
  Toolkit toolkit{tap, resources::templateScript()};
  std::vector<ShownMessage> messages;
  bool expectMessages = false;
  bool realMessageBoxes = false;
  std::function<std::optional<std::string>(const platform::OpenFileRequest&)> fileAnswer;
};

}  // namespace orbalta::testing
