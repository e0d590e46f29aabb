// orbalta-replay.exe [SCRIPT]: plays a script of user actions against the real program.
// orbalta-replay.exe --screenshots DIR: writes a picture of every window in its first state.

#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "tools/replay/engine.h"
#include "tools/replay/invocation.h"
#include "tools/replay/win32_driver.h"
#include "ui/main/startup.h"

int main(int argc, char** argv) {
  int failed = 0;
  std::optional<orbalta::replay::Invocation> run =
      orbalta::replay::readInvocation(argc, argv, failed);
  if (!run) return failed;
  if (!orbalta::replay::makeShotsDir(*run)) return 1;
  orbalta::platform::Win32Platform platform(GetModuleHandleW(nullptr));
  orbalta::replay::Win32Driver system(platform);
  orbalta::replay::Driver driver(system);
  orbalta::replay::Engine engine(driver, std::move(run->steps), run->scriptName, run->shotsDir);
  const int code = orbalta::runOrbalta(engine.program(), SW_SHOWNORMAL);
  return engine.finish(code);
}
