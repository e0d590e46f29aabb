#pragma once
// The main window's handlers: start-up's dialog-level handler, the X edit, the bit fields,
// the format radios, the fill and toggle buttons, field cursor tracking and the parameter list.

#include <string>
#include <string_view>

#include "model/app_state.h"
#include "toolkit/dialog.h"

namespace orbalta {

// Control ids of the main window (template 101).
namespace id {
inline constexpr int kMainWindow = 101;
inline constexpr int kXEdit = 1007;
inline constexpr int kParamValue = 1008;
inline constexpr int kCursorPosition = 1019;
inline constexpr int kFieldLength = 1020;
inline constexpr int kDataType = 1036;
inline constexpr int kParamCaption = 1040;
inline constexpr int kAboutButton = 1041;
inline constexpr int kInfoButton = 1042;
inline constexpr int kBinaryNeighbours = 1043;
inline constexpr int kParamList = 1044;
inline constexpr int kScopeAll = 1045;
inline constexpr int kScopeCurrent = 1046;
inline constexpr int kSummaryButton = 1034;
inline constexpr int kFillZeros = 1029;
inline constexpr int kFillOnes = 1030;
inline constexpr int kToggle = 1031;
inline constexpr int kExit = 30001;
}  // namespace id

// The ten bit-field edits in the order they are enabled: binary32, binary64, binary128.
inline constexpr int kBitFieldEdits[] = {1026, 1027, 1028, 1032, 1033,
                                         1035, 1014, 1015, 1016, 1018};

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
