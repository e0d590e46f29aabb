#include "model/parameters.h"
#include "ui/main/main_window.h"

namespace orbalta {

namespace {

std::string readField(Dialog& dialog, int controlId, int width) {
  FixedText text(static_cast<std::size_t>(width));
  DLGREADTEXT(dialog, controlId, text);
  return std::string(text.view());
}

void show(Dialog& dialog, const ParameterText& parameter) {
  DLGPUTTEXT(dialog, id::kParamValue, parameter.valueText);
  DLGPUTTEXT(dialog, id::kParamCaption, parameter.caption);
}

}  // namespace

void onParameterSelected(AppState& state, Dialog& dialog, int /*controlId*/, int /*event*/) {
  DLGPUTSTATE(dialog, id::kBinaryNeighbours, false, ATTR_ENABLED);
  int selection = 0;
  DLGREADNUMBER(dialog, id::kParamList, selection, 1);
  state.paramSelection = selection;
  const FormatSpec* spec = formatSpec(state.formatBytes);
  if (spec == nullptr) return;
  switch (selection) {
    case 1:
      show(dialog,
           exponentParameter(state, readField(dialog, spec->exponentEdit, spec->exponentWidth)));
      break;
    case 2: {
      std::string fraction = readField(dialog, spec->fractionEdit, spec->fractionHighWidth);
      if (spec->fractionLowEdit != 0) {
        fraction += readField(dialog, spec->fractionLowEdit, spec->fractionLowWidth);
      }
      show(dialog, significandParameter(state, fraction));
      break;
    }
    case 3:
      show(dialog, ulpParameter(state));
      break;
    case 4:
    case 5: {
      DLGPUTSTATE(dialog, id::kBinaryNeighbours, true, ATTR_ENABLED);
      DLGPUTTEXT(dialog, id::kCursorPosition, "");
      bool bitString = false;
      DLGREADSTATE(dialog, id::kBinaryNeighbours, bitString, ATTR_CHECKED);
      show(dialog, neighbourParameter(state, selection == 4, bitString));
      break;
    }
    case 6:
      show(dialog, epsilonParameter());
      break;
    default:
      break;
  }
}

}  // namespace orbalta
