#include "platform/qt/qt_platform.h"
#include "ui/main/startup.h"

// The program takes no arguments: none reaches the toolkit, which would read its own options
// ("-platform", "-reverse") from them.
int main(int, char**) {
  char name[] = "orbalta";
  char* args[] = {name, nullptr};
  int count = 1;
  return orbalta::platform::runOnQt(count, args, [](orbalta::platform::Platform& platform) {
    return orbalta::runOrbalta(platform);
  });
}
