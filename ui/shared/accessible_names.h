#pragma once
// What assistive technologies say of the controls that have no caption to be named by, or
// whose caption says nothing alone: names in the window's language, the static that labels a
// control, and descriptions. Every other control is named by its caption.

#include "toolkit/dialog.h"

namespace orbalta {

struct AccessibleName {
  int templateId;
  // A control id; for a picture without an id of its own, the resource id of its image.
  int control;
  const char* name;
  const char* description;  // nullptr: none
};

struct AccessibleLabel {
  int templateId;
  int control;
  int labelId;               // the static that labels the control, or -1 ...
  const char* labelCaption;  // ... for the static without id that says this
};

// Gives the controls of `dialog`'s window their names; called once the window exists.
void nameControls(Dialog& dialog);

// Names the parameter value box after the parameter it shows (1 to 6, the list's entries), or
// after the list when it shows none.
void nameParameterValue(Dialog& dialog, int selection);

}  // namespace orbalta
