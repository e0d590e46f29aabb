#pragma once
// The program's windows (template ids) and the controls in them, each id named once. The
// tests hold every name to the parsed templates.

namespace orbalta::id {

inline constexpr int kMainWindow = 101;
inline constexpr int kAboutWindow = 103;
inline constexpr int kInfoWindow = 109;
inline constexpr int kSummaryWindow = 111;

// Every modal window's buttons: OK closes it, Cancel is what Esc presses.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// Main window.
inline constexpr int kXEdit = 1007;
inline constexpr int kParamValue = 1008;
inline constexpr int kRadio32 = 1011;
inline constexpr int kRadio64 = 1012;
inline constexpr int kRadio128 = 1013;
inline constexpr int kSign128 = 1014;
inline constexpr int kExponent128 = 1015;
inline constexpr int kFractionHigh128 = 1016;
inline constexpr int kFractionLow128 = 1018;
inline constexpr int kCursorPosition = 1019;
inline constexpr int kFieldLength = 1020;
inline constexpr int kSign32 = 1026;
inline constexpr int kExponent32 = 1027;
inline constexpr int kFraction32 = 1028;
inline constexpr int kFillZeros = 1029;
inline constexpr int kFillOnes = 1030;
inline constexpr int kToggle = 1031;
inline constexpr int kSign64 = 1032;
inline constexpr int kExponent64 = 1033;
inline constexpr int kSummaryButton = 1034;
inline constexpr int kFraction64 = 1035;
inline constexpr int kDataType = 1036;
inline constexpr int kParamCaption = 1040;
inline constexpr int kAboutButton = 1041;
inline constexpr int kInfoButton = 1042;
inline constexpr int kBinaryNeighbours = 1043;
inline constexpr int kParamList = 1044;
inline constexpr int kScopeAll = 1045;
inline constexpr int kScopeCurrent = 1046;
inline constexpr int kExit = 30001;

// About window.
inline constexpr int kAboutTitle = 1022;
inline constexpr int kAboutAuthors = 1023;
// Info window.
inline constexpr int kInfoFormulas = 1049;
// Summary window: seven texts from 1047 on, and the save button.
inline constexpr int kFirstSummaryText = 1047;
inline constexpr int kSaveSummary = 1041;

// Images, by resource id.
inline constexpr int kAppIcon = 104;
inline constexpr int kSummaryIcon = 109;
inline constexpr int kInfoIcon = 110;
inline constexpr int kNumberLineBitmap = 113;
inline constexpr int kAboutIcon = 115;

}  // namespace orbalta::id
