#pragma once
// Moves a number between its three forms in the main window: the decimal X text (1007), the
// stored value of the selected format and that format's bit-field edits; and checks and
// repairs a bit field that the user has just changed. Everything here reads or writes the
// main dialog; the rules it applies are pure, in bit_checks.h and classify.h.

#include "model/app_state.h"
#include "model/bit_checks.h"
#include "textconv/decimal_input.h"

namespace orbalta {

class Dialog;

// Writes the fields of the infinity or NaN found by `specialWordCheck`. Values untouched.
void specialValueToBitFields(Dialog& dialog, AppState& state);

// Parses `xText` into the stored value and shows its bits; "Invalid Value" when rejected.
void decimalToBitFields(Dialog& dialog, AppState& state);
// The same, with `result` already read from `xText`.
void decimalToBitFields(Dialog& dialog, AppState& state, const DecimalInput::Result& result);

// Rebuilds the stored value from the bit-field texts; blanks are skipped. Never fails: a
// character the validation would have replaced counts as the '1' it would have become.
void bitFieldsToValue(Dialog& dialog, AppState& state);

// Shows the stored value as the X text, left-justified.
void valueToXText(Dialog& dialog, AppState& state);

// Checks and repairs the bit-field edit `controlId` after the user changed it.
void validateBitField(Dialog& dialog, AppState& state, int controlId);

// Re-reads the selected format's fields once, repairs a stray character as the validation
// would, classifies them, rebuilds the stored value from them, shows the label (1036) and
// enables the parameter list (1044) for finite data only.
void refreshFromBitFields(Dialog& dialog, AppState& state);

}  // namespace orbalta
