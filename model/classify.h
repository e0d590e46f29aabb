#pragma once
// The class of the encoded datum, decided from the characters of its bit fields, and the
// data-type label shown for it. Pure: the window's refresh and the command line share it.

#include <string_view>

#include "model/app_state.h"

namespace orbalta {

// Sets all seven class flags. Only the digit characters count: a blank or any other character
// makes a field neither all '0' nor all '1'; missing positions count as blanks.
void classifyBitFields(AppState& state, int exponentWidth, int fractionWidth,
                       std::string_view exponentText, std::string_view fractionText);

// `dataTypeLabel` from the flags and `formatBytes`.
void composeDataTypeLabel(AppState& state);

// The flags of the selected format's whole bit text (sign, exponent, fraction; blanks and
// missing positions as above).
void classifyBitText(AppState& state, std::string_view bits);

// Flags and label of the stored value of the selected format, as a refresh from its bits
// would leave them.
void classifyStoredValue(AppState& state);

}  // namespace orbalta
