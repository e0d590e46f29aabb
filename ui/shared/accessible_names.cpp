#include "ui/shared/accessible_names.h"

#include "model/ids.h"

namespace orbalta {

namespace {

// A control with a fixed label beside it is named by that label, as the user reads it;
// one without such a label gets a plain English description. The "?" and "ABOUT" buttons
// show pictures, so they are named after the window they open.
constexpr AccessibleName kNames[] = {
    {id::kMainWindow, id::kXEdit, "X"},
    {id::kMainWindow, id::kDataType, "Tip Data"},
    {id::kMainWindow, id::kParamValue, "Parameter value"},
    {id::kMainWindow, id::kParamCaption,
     "Parameter caption"},  // heard only while the caption is empty
    {id::kMainWindow, id::kParamList, "Parametru  (Numere Finite)"},
    {id::kMainWindow, id::kCursorPosition, "Pozitie (Modificare / Actualizare)"},
    {id::kMainWindow, id::kFieldLength, "Lungime Camp"},
    {id::kMainWindow, id::kSign32, "Binary32 sign"},
    {id::kMainWindow, id::kExponent32, "Binary32 exponent"},
    {id::kMainWindow, id::kFraction32, "Binary32 fraction"},
    {id::kMainWindow, id::kSign64, "Binary64 sign"},
    {id::kMainWindow, id::kExponent64, "Binary64 exponent"},
    {id::kMainWindow, id::kFraction64, "Binary64 fraction"},
    {id::kMainWindow, id::kSign128, "Binary128 sign"},
    {id::kMainWindow, id::kExponent128, "Binary128 exponent"},
    {id::kMainWindow, id::kFractionHigh128, "Binary128 fraction, high 48 bits"},
    {id::kMainWindow, id::kFractionLow128, "Binary128 fraction, low 64 bits"},
    {id::kMainWindow, id::kSummaryButton, "Summary"},
    {id::kMainWindow, id::kInfoButton, "Info"},
    {id::kMainWindow, id::kAboutButton, "About"},
    {id::kAboutWindow, id::kAppIcon, "Program icon: -1.E3 above the bits 1101"},
    {id::kInfoWindow, id::kNumberLineBitmap,
     "Number line: X-, X and X+, with the spans ulp(X-) and ulp(X)"},
};

}  // namespace

void nameControls(Dialog& dialog) {
  platform::Platform& platform = dialog.toolkit().platform();
  for (const AccessibleName& entry : kNames) {
    if (entry.templateId == dialog.templateId()) {
      platform.setAccessibleName(dialog.window(), entry.control, entry.name);
    }
  }
}

}  // namespace orbalta
