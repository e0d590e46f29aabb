#pragma once
// Tool tips with the exact stored value: on the X edit after a conversion or a refresh, and on
// the parameter value box for the parameter shown. They change no text or state of the window.

#include <optional>
#include <string>

#include "model/app_state.h"
#include "textconv/decimal_input.h"
#include "toolkit/dialog.h"

namespace orbalta {

// Significant digits shown before a long expansion is cut.
inline constexpr std::size_t kToolTipDigits = 60;

// The exact value of `bits` in the format `formatBytes`, cut when long, with its digit count.
std::string exactValueTip(Encoding bits, int formatBytes);

// The X edit's tip: the stored value of the selected format and, when `typed` is a number, the
// exact conversion error, also in units of ULP(X).
std::string storedValueTip(const AppState& state, const TypedNumber* typed);

// The X tip after the X edit changed, from the reading `result` (with `typed`) of the X text
// that the conversion used: a number gets its conversion error; input with no number shows
// what the fields now hold; rejected input leaves the tip as it was.
void showTypedValueTip(Dialog& dialog, const AppState& state, const DecimalInput::Result& result,
                       const TypedNumber& typed);
// The X tip after a word for infinity or NaN: what the fields now hold.
void showWordValueTip(Dialog& dialog, const AppState& state);
void showStoredValueTip(Dialog& dialog, const AppState& state);

}  // namespace orbalta
