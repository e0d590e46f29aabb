#include "ui/auxwin/info_about.h"

#include "model/ids.h"
#include "textconv/fixed_text.h"
#include "toolkit/dialog.h"
#include "ui/shared/accessible_names.h"

namespace orbalta {

std::string infoText() {
  const std::string separator = "\n\r";
  const std::string gap = separator + separator;
  return padTo("X = 2^E * b0.b1 ... bP-1" + gap + "ulp(X) = 2^(E+1-P)" + gap + "X  +ulp(X)  = X+" +
                   gap + "X-  +ulp(X-) = X",
               kInfoTextLength);
}

void showInfo(AppState& state) {
  Dialog info(state.mainDialog->toolkit());
  DLGOPEN(id::kInfoWindow, info);
  DLGHANDLER(info, id::kInfoWindow, [](Dialog& d, int, int event) {
    if (event == EVT_INIT) nameControls(d);
  });
  DLGPUTTEXT(info, id::kInfoFormulas, trimRight(infoText()));
  DLGMODAL(info);
  DLGRELEASE(info);
}

void showAbout(AppState& state) {
  Dialog about(state.mainDialog->toolkit());
  DLGOPEN(id::kAboutWindow, about);
  DLGHANDLER(about, id::kAboutWindow, [](Dialog& d, int, int event) {
    if (event == EVT_INIT) nameControls(d);
  });
  DLGMODAL(about);
  DLGRELEASE(about);
}

}  // namespace orbalta
