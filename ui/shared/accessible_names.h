#pragma once
// Names for assistive technologies of the controls that have no caption to be named by, or
// whose caption says nothing alone. Every other control is named by its caption.

#include "toolkit/dialog.h"

namespace orbalta {

struct AccessibleName {
  int templateId;
  // A control id; for a picture without an id of its own, the resource id of its image.
  int control;
  const char* name;
};

// Gives the controls of `dialog`'s window their names; called once the window exists.
void nameControls(Dialog& dialog);

}  // namespace orbalta
