#pragma once
// The program's entry: start-up, the message loop, and the release of the dialog objects.

#include "model/app_state.h"
#include "platform/platform.h"
#include "toolkit/dialog.h"

namespace orbalta {

// Every handler of the main and summary windows, working on `state`.
void attachHandlers(AppState& state, Dialog& main, Dialog& summary);

// The main window and `state` as the program starts: binary32 selected, all fields in scope,
// X = "0", the binary64 fields showing the legend of the field layout.
void setInitialControls(AppState& state, Dialog& main);

// Runs the whole program on `platform`; returns the process exit code.
int runOrbalta(platform::Platform& platform, int showMode = 1);

}  // namespace orbalta
