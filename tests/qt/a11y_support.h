#pragma once
// The real program in this process: start-up on the Qt platform, each of its four windows
// opened the way a user opens it, handed to a visitor while it is on screen, then closed.

#include <QLabel>
#include <QTimer>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ui/main/startup.h"
#include "window_test_support.h"

namespace orbalta::testing {

// The controls of a template window, in template order (frames and statics included).
inline std::vector<QWidget*> templateControls(QWidget* window) {
  // A control may lie inside its group box; the focus chain runs in creation order.
  std::vector<QWidget*> controls;
  for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
    if (w->property("orbaltaControl").isValid()) controls.push_back(w);
  }
  return controls;
}

inline std::string describe(const QWidget* control) {
  const int id = control->property("orbaltaControl").toInt();
  std::string what = control->metaObject()->className();
  if (id != -1) return what + " " + std::to_string(id);
  if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->text().isEmpty()) {
    return what + " \"" + label->text().toStdString() + "\"";
  }
  return what + " without id";
}

class A11yProgramTest : public QtWindowTest {
 public:
  using Visitor = std::function<void(int templateId, QWidget* window)>;

  // Runs the program: the main window, the summary (opened by 1034, closed by its OK), Info
  // (1042) and About (1041), each closed with Esc; then IESIRE. Returns the exit code.
  int visitWindows(const Visitor& visit) {
    QTimer::singleShot(0, [this, visit] {
      visit(101, window(101));
      press(101, 1034);
      visit(111, window(111));
      press(111, 1);
      for (const auto& [button, templateId] : {std::pair{1042, 109}, std::pair{1041, 103}}) {
        const int shown = templateId;
        QTimer::singleShot(0, [this, visit, shown] {
          QWidget* modal = window(shown);
          if (modal == nullptr) return;
          visit(shown, modal);
          QTest::keyClick(modal, Qt::Key_Escape);
        });
        press(101, button);  // returns when the modal window has gone
      }
      press(101, 30001);
    });
    return runOrbalta(tap, 1);
  }

 protected:
  QWidget* window(int templateId) {
    QWidget* found = qt.windowWidget(qt.windowOfTemplate(templateId));
    if (found == nullptr) ADD_FAILURE() << "window " << templateId << " is not open";
    return found;
  }

  void press(int templateId, int id) {
    QWidget* button = qt.controlWidget(qt.windowOfTemplate(templateId), id);
    if (button == nullptr) {
      ADD_FAILURE() << "no control " << id << " in window " << templateId;
      return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
  }
};

}  // namespace orbalta::testing
