#include "ui/main/accessible_names.h"

namespace orbalta {

namespace {

// A control with a fixed label beside it is named by that label, as the user reads it;
// one without such a label gets a plain English description. The "?" and "ABOUT" buttons
// show pictures, so they are named after the window they open.
constexpr AccessibleName kNames[] = {
    {101, 1007, "X"},
    {101, 1036, "Tip Data"},
    {101, 1008, "Parameter value"},
    {101, 1040, "Parameter caption"},  // heard only while the caption is empty
    {101, 1044, "Parametru  (Numere Finite)"},
    {101, 1019, "Pozitie (Modificare / Actualizare)"},
    {101, 1020, "Lungime Camp"},
    {101, 1026, "Binary32 sign"},
    {101, 1027, "Binary32 exponent"},
    {101, 1028, "Binary32 fraction"},
    {101, 1032, "Binary64 sign"},
    {101, 1033, "Binary64 exponent"},
    {101, 1035, "Binary64 fraction"},
    {101, 1014, "Binary128 sign"},
    {101, 1015, "Binary128 exponent"},
    {101, 1016, "Binary128 fraction, high 48 bits"},
    {101, 1018, "Binary128 fraction, low 64 bits"},
    {101, 1034, "Summary"},
    {101, 1042, "Info"},
    {101, 1041, "About"},
    {103, 104, "Program icon: -1.E3 above the bits 1101"},
    {109, 113, "Number line: X-, X and X+, with the spans ulp(X-) and ulp(X)"},
};

}  // namespace

std::span<const AccessibleName> accessibleNames() {
  return kNames;
}

void nameControls(Dialog& dialog) {
  platform::Platform& platform = dialog.toolkit().platform();
  for (const AccessibleName& entry : kNames) {
    if (entry.templateId == dialog.templateId()) {
      platform.setAccessibleName(dialog.window(), entry.control, entry.name);
    }
  }
}

}  // namespace orbalta
