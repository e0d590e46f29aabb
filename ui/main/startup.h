#pragma once
// The program's entry: start-up, the message loop, and the release of the dialog objects.

#include "platform/platform.h"

namespace orbalta {

// Runs the whole program on `platform`; returns the process exit code.
int runOrbalta(platform::Platform& platform, int showMode = 1);

}  // namespace orbalta
