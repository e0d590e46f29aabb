#include "model/parameters.h"
#include "ui/main/main_window.h"
#include "ui/main/value_tips.h"
#include "ui/shared/accessible_names.h"

namespace orbalta {

namespace {

std::string readField(Dialog& dialog, int controlId, int width) {
  FixedText text(static_cast<std::size_t>(width));
  DLGREADTEXT(dialog, controlId, text);
  return std::string(text.view());
}

void show(Dialog& dialog, const AppState& state, const ParameterText& parameter) {
  DLGPUTTEXT(dialog, id::kParamValue, parameter.valueText);
  DLGPUTTEXT(dialog, id::kParamCaption, parameter.caption);
  DLGPUTTOOLTIP(dialog, id::kParamValue,
                parameter.exactBits
                    ? "Valoare exacta:\n" + exactValueTip(*parameter.exactBits, state.formatBytes)
                    : std::string());
}

}  // namespace

void onParameterSelected(AppState& state, Dialog& dialog, int /*controlId*/, int /*event*/) {
  DLGPUTSTATE(dialog, id::kBinaryNeighbours, false, ATTR_ENABLED);
  int selection = 0;
  DLGREADNUMBER(dialog, id::kParamList, selection, 1);
  state.paramSelection = selection;
  const FormatSpec& spec = state.format();
  switch (selection) {
    case 1:
      show(dialog, state,
           exponentParameter(state, readField(dialog, spec.exponentEdit, spec.exponentWidth)));
      break;
    case 2: {
      std::string fraction = readField(dialog, spec.fractionEdit, spec.fractionHighWidth);
      if (spec.fractionLowEdit != 0) {
        fraction += readField(dialog, spec.fractionLowEdit, spec.fractionLowWidth);
      }
      show(dialog, state, significandParameter(state, fraction));
      break;
    }
    case 3:
      show(dialog, state, ulpParameter(state));
      break;
    case 4:
    case 5: {
      DLGPUTSTATE(dialog, id::kBinaryNeighbours, true, ATTR_ENABLED);
      DLGPUTTEXT(dialog, id::kCursorPosition, "");
      bool bitString = false;
      DLGREADSTATE(dialog, id::kBinaryNeighbours, bitString, ATTR_CHECKED);
      show(dialog, state, neighbourParameter(state, selection == 4, bitString));
      break;
    }
    case 6:
      show(dialog, state, epsilonParameter(state));
      break;
    default:
      return;
  }
  nameParameterValue(dialog, selection);
}

}  // namespace orbalta
