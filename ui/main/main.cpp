#include <QApplication>

#include "platform/qt/qt_platform.h"
#include "ui/main/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orbalta::platform::QtPlatform platform;
  return orbalta::runOrbalta(platform);
}
