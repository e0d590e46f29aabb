#pragma once
// The Info window (template 109), which recalls what ULP, X+ and X- mean, and the About window
// (template 103). Both are modal and show nothing of the current state.

#include <string>

#include "model/app_state.h"

namespace orbalta {

inline constexpr int kInfoTextLength = 90;

// The four formulas of the Info window, blank-filled to 90 characters. Lines are separated by
// LF CR written twice, the order the window receives them in.
std::string infoText();

// Handler of 1042 in the main window.
void showInfo(AppState& state);
// Handler of 1041 "ABOUT" in the main window.
void showAbout(AppState& state);

}  // namespace orbalta
