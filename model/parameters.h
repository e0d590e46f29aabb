#pragma once
// The derived parameters of the datum that the last refresh classified: the two texts the
// parameter list shows (value box 1008, caption 1040). Value texts come without trailing
// blanks; captions keep their leading blanks.

#include <optional>
#include <string>
#include <string_view>

#include "model/app_state.h"

namespace orbalta {

struct ParameterText {
  std::string valueText;
  std::string caption;
  // The value shown, as an encoding of the selected format, for its exact expansion; none for
  // the exponent and for a significand shown again.
  std::optional<Encoding> exactBits;
};

// Exponent of representation (Emin for zeros and subnormals), marked Emin/Emax at the ends.
// `exponentText`: the We characters of the exponent field.
ParameterText exponentParameter(const AppState& state, std::string_view exponentText);

// The significand 1.T (normal) or 0.T (zero, subnormal). `fractionText`: the Wt characters of
// the fraction field (binary128: the 48 high and 64 low characters joined). For a datum that
// is not finite the previous value text is shown again.
ParameterText significandParameter(AppState& state, std::string_view fractionText);

ParameterText ulpParameter(const AppState& state);

// X+ (`up`) or X-, as a decimal text or, in `bitStringMode`, as its encoding's bits.
ParameterText neighbourParameter(const AppState& state, bool up, bool bitStringMode);

ParameterText epsilonParameter(const AppState& state);

}  // namespace orbalta
