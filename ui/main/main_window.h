#pragma once
// The main window's handlers: start-up's dialog-level handler, the X edit, the bit fields,
// the format radios, the fill and toggle buttons, field cursor tracking and the parameter list.

#include <string>
#include <string_view>

#include "model/app_state.h"
#include "model/ids.h"
#include "toolkit/dialog.h"

namespace orbalta {

// The ten bit-field edits in the order they are enabled: binary32, binary64, binary128.
inline constexpr int kBitFieldEdits[] = {
    id::kSign32,     id::kExponent32, id::kFraction32,  id::kSign64,          id::kExponent64,
    id::kFraction64, id::kSign128,    id::kExponent128, id::kFractionHigh128, id::kFractionLow128};

bool isBitFieldEdit(int controlId);

void onMainDialogEvent(AppState& state, Dialog& dialog, int controlId, int event);
void enableFormatFields(Dialog& dialog, const AppState& state);

void onMainWindowEvent(AppState& state, Dialog& dialog, int controlId, int event);
void fillFields(Dialog& dialog, AppState& state, char fill);
void toggleAllFields(Dialog& dialog, const AppState& state);
void toggleCurrentField(Dialog& dialog, const AppState& state);
std::string toggleText(int width, std::string_view text);

void reportFieldCursor(Dialog& dialog, AppState& state, int controlId);
void onFieldFocus(AppState& state, Dialog& dialog, int controlId, int event);

void onParameterSelected(AppState& state, Dialog& dialog, int controlId, int event);

}  // namespace orbalta
