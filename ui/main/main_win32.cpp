#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "ui/main/startup.h"

// The program takes no command line: the instance and the show mode are all it reads.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode) {
  orbalta::platform::Win32Platform platform(instance);
  return orbalta::runOrbalta(platform, showMode);
}
