// The scripted user's page: the program on the web platform with the script player, as
// orbalta-replay runs it on Qt. Its host, orbalta-replay-web, hands it the command line (the
// script as a file of the page's own file system) and sends the input.

#include <emscripten.h>

#include <cstdio>

#include "platform/web/web_platform.h"
#include "tools/replay/engine.h"
#include "tools/replay/invocation.h"
#include "tools/replay/web/web_driver.h"
#include "ui/main/startup.h"

int main(int argc, char** argv) {
  int failed = 0;
  std::optional<orbalta::replay::Invocation> run =
      orbalta::replay::readInvocation(argc, argv, failed);
  if (!run) {
    emscripten_force_exit(failed);
    return failed;
  }
  orbalta::platform::WebPlatform web;
  orbalta::replay::WebDriver system(web);
  orbalta::replay::Driver driver(system);
  orbalta::replay::Engine engine(driver, std::move(run->steps), run->scriptName, run->shotsDir);
  const int status = engine.finish(orbalta::runOrbalta(engine.program(), 1));
  // A main that has waited for the page returns to no caller that would end the runtime.
  emscripten_force_exit(status);
  return status;
}
