#include "platform/qt/qt_platform.h"
#include "ui/main/startup.h"

int main(int argc, char** argv) {
  return orbalta::platform::runOnQt(argc, argv, [](orbalta::platform::Platform& platform) {
    return orbalta::runOrbalta(platform);
  });
}
