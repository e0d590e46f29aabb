#include <emscripten.h>

#include "platform/web/web_platform.h"
#include "ui/main/startup.h"

// The page calls main once its fonts are in; the program's loops then wait for the page's
// events, so main returns only when the program ends.
int main() {
  orbalta::platform::WebPlatform platform;
  const int code = orbalta::runOrbalta(platform);
  EM_ASM({ document.body.setAttribute('data-orbalta-exit', String($0)); }, code);
  return code;
}
