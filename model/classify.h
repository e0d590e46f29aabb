#pragma once
// The class of the encoded datum, decided from the characters of its bit fields, and the
// data-type label shown for it.

#include <string_view>

#include "model/app_state.h"

namespace orbalta {

class Dialog;

// Sets all seven class flags. Only the digit characters count: a blank or any other character
// makes a field neither all '0' nor all '1'; missing positions count as blanks.
void classifyBitFields(AppState& state, int exponentWidth, int fractionWidth,
                       std::string_view exponentText, std::string_view fractionText);

// `dataTypeLabel` from the flags and `formatBytes`.
void composeDataTypeLabel(AppState& state);

// Re-reads the selected format's fields, classifies them, rebuilds the stored value, shows the
// label (1036) and enables the parameter list (1044) for finite data only.
void refreshFromBitFields(Dialog& dialog, AppState& state);

}  // namespace orbalta
