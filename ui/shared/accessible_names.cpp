#include "ui/shared/accessible_names.h"

#include <iterator>

#include "model/ids.h"

namespace orbalta {

namespace {

// A control with a fixed label beside it is named by that label, as the user reads it; the
// bit fields by their format and field in the words of the window. The picture buttons are
// named after the window they open, as their pictures say it.
constexpr AccessibleName kNames[] = {
    {id::kMainWindow, id::kXEdit, "X", nullptr},
    {id::kMainWindow, id::kDataType, "Tip Data", nullptr},
    {id::kMainWindow, id::kParamValue, "Parametru", nullptr},
    {id::kMainWindow, id::kParamCaption, "Parametru", nullptr},  // heard only while empty
    {id::kMainWindow, id::kParamList, "Parametru  (Numere Finite)", nullptr},
    {id::kMainWindow, id::kCursorPosition, "Pozitie (Modificare / Actualizare)",
     "Pozitie Cursor in Camp (msb = 1)"},
    {id::kMainWindow, id::kFieldLength, "Lungime Camp", "Pozitie Cursor in Camp (msb = 1)"},
    {id::kMainWindow, id::kSign32, "Binary32 semn", "Binary32 sign, 1 bit"},
    {id::kMainWindow, id::kExponent32, "Binary32 exponent", "Binary32 exponent, 8 bits, msb first"},
    {id::kMainWindow, id::kFraction32, "Binary32 fractie", "Binary32 fraction, 23 bits, msb first"},
    {id::kMainWindow, id::kSign64, "Binary64 semn", "Binary64 sign, 1 bit"},
    {id::kMainWindow, id::kExponent64, "Binary64 exponent",
     "Binary64 exponent, 11 bits, msb first"},
    {id::kMainWindow, id::kFraction64, "Binary64 fractie", "Binary64 fraction, 52 bits, msb first"},
    {id::kMainWindow, id::kSign128, "Binary128 semn", "Binary128 sign, 1 bit"},
    {id::kMainWindow, id::kExponent128, "Binary128 exponent",
     "Binary128 exponent, 15 bits, msb first"},
    {id::kMainWindow, id::kFractionHigh128, "Binary128 fractie, primii 48 biti",
     "Binary128 fraction, high 48 of 112 bits, msb first"},
    {id::kMainWindow, id::kFractionLow128, "Binary128 fractie, ultimii 64 biti",
     "Binary128 fraction, low 64 of 112 bits, msb first"},
    {id::kMainWindow, id::kSummaryButton, "Sumar", nullptr},
    {id::kMainWindow, id::kInfoButton, "Info", nullptr},
    {id::kMainWindow, id::kAboutButton, "Despre", nullptr},
    {id::kAboutWindow, id::kAppIcon, "Icoana programului: -1.E3 deasupra bitilor 1101", nullptr},
    {id::kInfoWindow, id::kNumberLineBitmap,
     "Axa numerelor: X-, X si X+, cu intervalele ulp(X-) si ulp(X)", nullptr},
};

constexpr AccessibleLabel kLabels[] = {
    {id::kMainWindow, id::kXEdit, -1, "X"},
    {id::kMainWindow, id::kDataType, -1, "Tip Data   (click pe un camp din format) "},
    {id::kMainWindow, id::kParamValue, id::kParamCaption, ""},
    {id::kMainWindow, id::kParamList, -1, "Parametru  (Numere Finite)"},
    {id::kMainWindow, id::kCursorPosition, -1, "Pozitie (Modificare / Actualizare)"},
    {id::kMainWindow, id::kFieldLength, -1, "Lungime Camp"},
};

// The list's entries as their values are called.
constexpr const char* kParameterNames[] = {"Exponent", "Semnificand", "ULP", "X+", "X-", "Epsilon"};

}  // namespace

void nameControls(Dialog& dialog) {
  platform::Platform& platform = dialog.toolkit().platform();
  for (const AccessibleName& entry : kNames) {
    if (entry.templateId != dialog.templateId()) continue;
    platform.setAccessibleName(dialog.window(), entry.control, entry.name);
    if (entry.description != nullptr) {
      platform.setAccessibleDescription(dialog.window(), entry.control, entry.description);
    }
  }
  for (const AccessibleLabel& entry : kLabels) {
    if (entry.templateId == dialog.templateId()) {
      platform.setAccessibleLabel(dialog.window(), entry.control, entry.labelId,
                                  entry.labelCaption);
    }
  }
}

void nameParameterValue(Dialog& dialog, int selection) {
  constexpr int count = static_cast<int>(std::size(kParameterNames));
  const char* name =
      selection >= 1 && selection <= count ? kParameterNames[selection - 1] : "Parametru";
  dialog.toolkit().platform().setAccessibleName(dialog.window(), id::kParamValue, name);
}

}  // namespace orbalta
