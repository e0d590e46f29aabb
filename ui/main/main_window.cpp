#include "ui/main/main_window.h"

#include <algorithm>
#include <array>

#include "model/bit_codec.h"
#include "model/classify.h"
#include "ui/main/value_tips.h"
#include "ui/shared/accessible_names.h"

namespace orbalta {

namespace {

void clearText(Dialog& dialog, int controlId) {
  DLGPUTTEXT(dialog, controlId, "");
  if (controlId == id::kParamValue) {
    DLGPUTTOOLTIP(dialog, controlId, "");
    nameParameterValue(dialog, 0);
  }
}

// What every action that leaves the fields unclassified clears.
void clearOutputs(Dialog& dialog) {
  clearText(dialog, id::kParamValue);
  clearText(dialog, id::kParamCaption);
  DLGPUTSTATE(dialog, id::kBinaryNeighbours, false);
  clearText(dialog, id::kDataType);
  clearText(dialog, id::kCursorPosition);
  DLGPUTTOOLTIP(dialog, id::kXEdit, "");
  // The fields now hold bits that no refresh has classified: offer no parameter of a datum
  // that the fields no longer show, until the next click into or change of a field.
  DLGPUTSTATE(dialog, id::kParamList, false, ATTR_ENABLED);
}

void onXChanged(Dialog& dialog, AppState& state) {
  clearText(dialog, id::kParamValue);
  clearText(dialog, id::kDataType);
  clearText(dialog, id::kParamCaption);
  DLGPUTSTATE(dialog, id::kBinaryNeighbours, false);
  DLGPUTSTATE(dialog, id::kParamList, false, ATTR_ENABLED);
  DLGREADTEXT(dialog, id::kXEdit, state.xText);
  if (state.xText.trimmed().size() < 3) return;
  specialWordCheck(state);
  if (state.isInfinite || state.isNaN) {
    specialValueToBitFields(dialog, state);
    showWordValueTip(dialog, state);
    return;
  }
  // Read once: the conversion and the tip's conversion error come from the same reading.
  TypedNumber typed;
  const DecimalInput::Result result =
      DecimalInput::read(state.xText.view(), state.formatBytes, &typed);
  decimalToBitFields(dialog, state, result);
  showTypedValueTip(dialog, state, result, typed);
}

void onBitFieldChanged(Dialog& dialog, AppState& state, int controlId) {
  clearText(dialog, id::kParamValue);
  clearText(dialog, id::kParamCaption);
  const bool binary32Edit =
      controlId == id::kSign32 || controlId == id::kExponent32 || controlId == id::kFraction32;
  if (!binary32Edit) DLGPUTSTATE(dialog, id::kParamList, false, ATTR_ENABLED);
  reportFieldCursor(dialog, state, controlId);
  validateBitField(dialog, state, controlId);
  refreshFromBitFields(dialog, state);
  valueToXText(dialog, state);
  showStoredValueTip(dialog, state);
}

void onFormatSelected(Dialog& dialog, AppState& state, int formatBytes) {
  state.formatBytes = formatBytes;
  const FormatSpec& spec = state.format();
  enableFormatFields(dialog, state);
  DLGPUTTEXT(dialog, spec.signEdit, "0");
  for (const FieldEdit& edit : fieldEdits(spec)) {
    if (edit.width == 0 || edit.id == spec.signEdit) continue;
    DLGPUTTEXT(dialog, edit.id,
               state.zerosText.view().substr(0, static_cast<std::size_t>(edit.width)));
  }
  DLGPUTNUMBER(dialog, id::kXEdit, spec.xTextLength, ATTR_TEXT_LENGTH);
  DLGPUTTEXT(dialog, id::kXEdit, "0");
  clearOutputs(dialog);
}

bool scopeAllFields(Dialog& dialog, AppState& state) {
  bool checked = false;
  DLGREADSTATE(dialog, id::kScopeAll, checked);
  state.scopeAllFields = checked;
  return checked;
}

// The edit of the selected format whose width is `width`, 0 when none.
int editOfWidth(const FormatSpec& spec, int width) {
  for (const FieldEdit& edit : fieldEdits(spec)) {
    if (edit.width != 0 && edit.width == width) return edit.id;
  }
  return 0;
}

void toggleEdit(Dialog& dialog, const FieldEdit& edit) {
  FixedText text(static_cast<std::size_t>(edit.width));
  DLGREADTEXT(dialog, edit.id, text);
  DLGPUTTEXT(dialog, edit.id, toggleText(edit.width, text.view()));
}

}  // namespace

bool isBitFieldEdit(int controlId) {
  return std::find(std::begin(kBitFieldEdits), std::end(kBitFieldEdits), controlId) !=
         std::end(kBitFieldEdits);
}

void enableFormatFields(Dialog& dialog, const AppState& state) {
  const std::array<FieldEdit, 4> own = fieldEdits(state.format());
  for (int edit : kBitFieldEdits) {
    const bool mine = std::any_of(own.begin(), own.end(), [edit](const FieldEdit& field) {
      return field.width != 0 && field.id == edit;
    });
    DLGPUTSTATE(dialog, edit, mine, ATTR_ENABLED);
  }
}

void fillFields(Dialog& dialog, AppState& state, char fill) {
  const FixedText& source = fill == '1' ? state.onesText : state.zerosText;
  for (const FieldEdit& edit : fieldEdits(state.format())) {
    if (edit.width == 0) continue;
    if (state.scopeAllFields || edit.width == state.currentFieldLength) {
      DLGPUTTEXT(dialog, edit.id, source.view().substr(0, static_cast<std::size_t>(edit.width)));
    }
  }
}

std::string toggleText(int width, std::string_view text) {
  std::string out(static_cast<std::size_t>(width), ' ');
  for (std::size_t i = 0; i < out.size() && i < text.size(); ++i) {
    out[i] = text[i] == '0' ? '1' : text[i] == '1' ? '0' : ' ';
  }
  return out;
}

void toggleAllFields(Dialog& dialog, const AppState& state) {
  for (const FieldEdit& edit : fieldEdits(state.format())) {
    if (edit.width != 0) toggleEdit(dialog, edit);
  }
}

void toggleCurrentField(Dialog& dialog, const AppState& state) {
  const int edit = editOfWidth(state.format(), state.currentFieldLength);
  if (edit != 0) toggleEdit(dialog, {edit, state.currentFieldLength});
}

void onMainWindowEvent(AppState& state, Dialog& dialog, int controlId, int /*event*/) {
  switch (controlId) {
    case id::kXEdit:
      onXChanged(dialog, state);
      return;
    case id::kRadio32:
      onFormatSelected(dialog, state, 4);
      return;
    case id::kRadio64:
      onFormatSelected(dialog, state, 8);
      return;
    case id::kRadio128:
      onFormatSelected(dialog, state, 16);
      return;
    case id::kFillZeros:
    case id::kFillOnes:
      scopeAllFields(dialog, state);
      fillFields(dialog, state, controlId == id::kFillOnes ? '1' : '0');
      DLGPUTTEXT(dialog, id::kXEdit, "0");
      clearOutputs(dialog);
      return;
    case id::kToggle:
      if (scopeAllFields(dialog, state)) {
        toggleAllFields(dialog, state);
      } else {
        toggleCurrentField(dialog, state);
      }
      clearOutputs(dialog);
      return;
    default:
      if (isBitFieldEdit(controlId)) onBitFieldChanged(dialog, state, controlId);
      return;
  }
}

}  // namespace orbalta
