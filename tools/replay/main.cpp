// orbalta-replay [SCRIPT]: plays a script of user actions against the real program, offscreen.
// orbalta-replay --screenshots DIR: writes a picture of every window in its first state.

#include <QtGlobal>
#include <cstdio>

#include "platform/qt/qt_platform.h"
#include "tools/replay/engine.h"
#include "tools/replay/invocation.h"
#include "tools/replay/qt_driver.h"
#include "ui/main/startup.h"

int main(int argc, char** argv) {
  int failed = 0;
  std::optional<orbalta::replay::Invocation> run =
      orbalta::replay::readInvocation(argc, argv, failed);
  if (!run) return failed;

  // Tests and pictures need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  int qtArgc = 1;  // the script is ours, not Qt's
  return orbalta::platform::runOnQt(qtArgc, argv, [&](orbalta::platform::Platform& platform) {
    auto* qt = dynamic_cast<orbalta::platform::QtPlatform*>(&platform);
    if (qt == nullptr) {
      std::fprintf(stderr, "orbalta-replay: the program does not run on the Qt platform\n");
      return 1;
    }
    if (!orbalta::replay::makeShotsDir(*run)) return 1;
    orbalta::replay::QtDriver system(*qt);
    orbalta::replay::Driver driver(system);
    orbalta::replay::Engine engine(driver, std::move(run->steps), run->scriptName, run->shotsDir);
    const int code = orbalta::runOrbalta(engine.program(), 1);
    return engine.finish(code);
  });
}
