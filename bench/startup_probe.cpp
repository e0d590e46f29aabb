// The real program, ended at the first painted frame of its main window: the platform passes
// every call through, and the first window shown is watched until it has been painted.
//
// orbalta_startup_probe [--phases]: with --phases, prints where the time went to stderr.

#include <QApplication>
#include <QElapsedTimer>
#include <QtGlobal>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bench/first_frame.h"
#include "platform/qt/qt_platform.h"
#include "tools/replay/platform_tap.h"
#include "ui/main/startup.h"

namespace {

using orbalta::platform::QtPlatform;
using orbalta::platform::WindowHandle;

class Silent : public orbalta::replay::LoopListener {
 public:
  void messageLoopStarting() override {}
  void messageLoopEnded(int) override {}
  void quitPosted(int) override {}
  void modalStarting(WindowHandle) override {}
  void modalEnding(WindowHandle) override {}
  void modalEnded(WindowHandle) override {}
};

QElapsedTimer sinceMain;

struct Phases {
  qint64 application = 0;  // QApplication made
  qint64 dialogs = 0;      // inside createDialog (widgets, fonts, texts)
  qint64 icons = 0;        // inside loadIcon
  qint64 shown = 0;        // showWindow returned
  qint64 painted = 0;      // first frame painted
  qint64 loopEnded = 0;    // the program's message loop has returned
  qint64 returned = 0;     // runOrbalta has returned (windows released)
};
Phases phases;

class QuitWhenShown : public orbalta::replay::PlatformTap {
 public:
  QuitWhenShown(QtPlatform& qt, orbalta::replay::LoopListener& listener)
      : PlatformTap(qt, listener), qt_(qt) {}

  WindowHandle createDialog(const orbalta::platform::DialogTemplate& tmpl, WindowHandle owner,
                            orbalta::platform::WindowEvents& events) override {
    const qint64 start = sinceMain.nsecsElapsed();
    const WindowHandle window = PlatformTap::createDialog(tmpl, owner, events);
    phases.dialogs += sinceMain.nsecsElapsed() - start;
    return window;
  }
  orbalta::platform::IconHandle loadIcon(int resourceId, int size) override {
    const qint64 start = sinceMain.nsecsElapsed();
    const orbalta::platform::IconHandle icon = PlatformTap::loadIcon(resourceId, size);
    phases.icons += sinceMain.nsecsElapsed() - start;
    return icon;
  }
  void showWindow(WindowHandle window, int showMode) override {
    if (!shown_) {
      shown_ = std::make_unique<FirstFrame>(qt_.windowWidget(window), [this] {
        phases.painted = sinceMain.nsecsElapsed();
        postQuit(0);
      });
    }
    PlatformTap::showWindow(window, showMode);
    if (phases.shown == 0) phases.shown = sinceMain.nsecsElapsed();
  }
  int runMessageLoop(orbalta::platform::MessageRouter& router) override {
    const int code = PlatformTap::runMessageLoop(router);
    phases.loopEnded = sinceMain.nsecsElapsed();
    return code;
  }

 private:
  QtPlatform& qt_;
  std::unique_ptr<FirstFrame> shown_;
};

double ms(qint64 ns) {
  return static_cast<double>(ns) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  sinceMain.start();
  const bool showPhases = argc > 1 && std::strcmp(argv[1], "--phases") == 0;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  phases.application = sinceMain.nsecsElapsed();
  const int code =
      orbalta::platform::runOnQt(qtArgc, argv, [](orbalta::platform::Platform& platform) {
        auto* qt = dynamic_cast<QtPlatform*>(&platform);
        if (qt == nullptr) return 1;
        Silent listener;
        QuitWhenShown probe(*qt, listener);
        return orbalta::runOrbalta(probe, 1);
      });
  phases.returned = sinceMain.nsecsElapsed();
  if (showPhases) {
    const Phases& p = phases;
    std::fprintf(stderr,
                 "main to QApplication %.2f ms, to shown %.2f ms (of which dialogs %.2f, icons "
                 "%.2f), to first frame %.2f ms, to loop end %.2f ms, to return %.2f ms\n",
                 ms(p.application), ms(p.shown), ms(p.dialogs), ms(p.icons), ms(p.painted),
                 ms(p.loopEnded), ms(p.returned));
  }
  return code;
}
