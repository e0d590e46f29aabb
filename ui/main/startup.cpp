#include "ui/main/startup.h"

#include <string>

#include "model/bit_codec.h"
#include "resources/resources.h"
#include "textconv/fixed_text.h"
#include "ui/auxwin/info_about.h"
#include "ui/auxwin/summary.h"
#include "ui/main/main_window.h"
#include "ui/shared/accessible_names.h"

namespace orbalta {

namespace {

constexpr const char* kParameterNames[] = {
    "Exponent", "Semnificand", "ULP", "X+ = Nearest(x,+1.0)", "X- = Nearest(x,-1.0)", "Epsilon"};

int startupError(platform::Platform& platform) {
  platform.messageBox("Error initializing application Orbalta", "Error",
                      platform::MessageIcon::None);
  return 0;
}

}  // namespace

void attachHandlers(AppState& state, Dialog& main, Dialog& summary) {
  auto mainEvent = [&state](Dialog& d, int c, int e) { onMainWindowEvent(state, d, c, e); };
  DLGHANDLER(main, id::kXEdit, mainEvent);
  for (int edit : kBitFieldEdits) DLGHANDLER(main, edit, mainEvent);
  DLGHANDLER(main, id::kCursorPosition, mainEvent);
  DLGHANDLER(main, id::kAboutButton, [&state](Dialog&, int, int) { showAbout(state); });
  DLGHANDLER(main, id::kInfoButton, [&state](Dialog&, int, int) { showInfo(state); });
  DLGHANDLER(main, id::kSummaryButton, [&state](Dialog&, int, int) { showSummary(state); });
  DLGHANDLER(main, id::kParamList,
             [&state](Dialog& d, int c, int e) { onParameterSelected(state, d, c, e); });
  for (int edit : kBitFieldEdits) {
    DLGHANDLER(
        main, edit, [&state](Dialog& d, int c, int e) { onFieldFocus(state, d, c, e); },
        EVT_FOCUS_GAINED);
  }
  for (int button :
       {id::kRadio32, id::kRadio64, id::kRadio128, id::kFillZeros, id::kFillOnes, id::kToggle})
    DLGHANDLER(main, button, mainEvent);
  DLGHANDLER(summary, id::kSaveSummary, [&state](Dialog&, int, int) { saveSummary(state); });
}

void setInitialControls(AppState& state, Dialog& main) {
  DLGPUTSTATE(main, id::kRadio32, true);
  state.formatBytes = 4;
  DLGPUTSTATE(main, id::kScopeAll, true);
  DLGPUTTEXT(main, id::kXEdit, "0");
  DLGPUTTEXT(main, id::kParamCaption, "");
  for (const BitFieldCheck& field : kBitFieldChecks) {
    DLGPUTNUMBER(main, field.edit, field.width, ATTR_TEXT_LENGTH);
  }
  enableFormatFields(main, state);
  DLGPUTSTATE(main, id::kBinaryNeighbours, false);
  DLGPUTSTATE(main, id::kBinaryNeighbours, false, ATTR_ENABLED);
  for (const FieldEdit& field : fieldEdits(kBinary32)) {
    if (field.width != 0) DLGPUTTEXT(main, field.id, std::string(std::size_t(field.width), '0'));
  }
  // The disabled binary64 fields double as a legend of the field layout.
  DLGPUTTEXT(main, id::kSign64, "S");
  DLGPUTTEXT(main, id::kExponent64, "   Exponent");
  DLGPUTTEXT(main, id::kFraction64, "                         Fractie Semnificand (T)");
  for (const char* name : kParameterNames) {
    DLGPUTTEXT(main, id::kParamList, FixedText(40, name).trimmed(), ATTR_APPEND_ITEM);
  }
  DLGPUTNUMBER(main, id::kParamList, 0, 1);
  DLGPUTSTATE(main, id::kParamList, false, ATTR_ENABLED);
  state.zerosText.fill('0');
  state.onesText.fill('1');
}

void onMainDialogEvent(AppState& state, Dialog& dialog, int /*controlId*/, int event) {
  platform::Platform& platform = dialog.toolkit().platform();
  if (event == EVT_DESTROY) {
    platform.postQuit(0);
  } else if (event == EVT_INIT) {
    platform.setWindowIcon(dialog.window(), state.iconAppSmall);
    platform.setButtonImage(dialog.window(), id::kInfoButton, state.iconInfoButton);
    platform.setButtonImage(dialog.window(), id::kSummaryButton, state.iconSummaryButton);
    platform.setButtonImage(dialog.window(), id::kAboutButton, state.iconAboutButton);
    nameControls(dialog);
  }
}

int runOrbalta(platform::Platform& platform, int showMode) {
  Toolkit toolkit(platform, resources::templateScript());
  AppState state;
  Dialog mainDialog(toolkit);
  Dialog summaryDialog(toolkit);

  const int smallIcon = platform.smallIconSize();
  state.iconAppSmall = platform.loadIcon(id::kAppIcon, smallIcon);
  state.iconSummaryButton = platform.loadIcon(id::kSummaryIcon, 32);
  state.iconInfoButton = platform.loadIcon(id::kInfoIcon, 32);
  state.iconAboutButton = platform.loadIcon(id::kAboutIcon, 48);

  if (!DLGOPEN(id::kMainWindow, mainDialog)) return startupError(platform);
  state.mainDialog = &mainDialog;
  DLGHANDLER(mainDialog, id::kMainWindow,
             [&state](Dialog& d, int c, int e) { onMainDialogEvent(state, d, c, e); });
  if (!DLGOPEN(id::kSummaryWindow, summaryDialog)) return startupError(platform);
  state.summaryDialog = &summaryDialog;
  attachHandlers(state, mainDialog, summaryDialog);

  setInitialControls(state, mainDialog);
  buildSummaryTexts(state);
  for (int k = 1; k <= kSummaryTextCount; ++k) {
    DLGPUTTEXT(summaryDialog, id::kFirstSummaryText + k - 1,
               state.summaryTexts[static_cast<std::size_t>(k - 1)].trimmed());
  }

  if (!DLGMODELESS(mainDialog, showMode)) return startupError(platform);
  const int exitCode = toolkit.runMessageLoop();
  DLGRELEASE(mainDialog);
  DLGRELEASE(summaryDialog);
  return exitCode;
}

}  // namespace orbalta
