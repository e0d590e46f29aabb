#pragma once
// The main window on the tests' in-memory platform, wired by the program's own start-up
// (attachHandlers, setInitialControls). Built once per process: opening the templates is far
// dearer than one input. Each input starts from the state start-up left, with its format
// chosen as the user chooses it, by the format's radio button.

#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "model/app_state.h"
#include "model/formats.h"
#include "model/ids.h"
#include "platform/fake/fake_platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"
#include "ui/main/startup.h"

namespace orbalta::fuzz {

struct MainWindow {
  testing::FakePlatform platform;
  Toolkit toolkit{platform, resources::templateScript()};
  Dialog main{toolkit};
  Dialog summary{toolkit};
  AppState state;
  AppState started;
  platform::WindowHandle window = 0;

  MainWindow() {
    require(DLGOPEN(id::kMainWindow, main), "DLGOPEN of the main window failed");
    require(DLGOPEN(id::kSummaryWindow, summary), "DLGOPEN of the summary window failed");
    state.mainDialog = &main;
    state.summaryDialog = &summary;
    attachHandlers(state, main, summary);
    setInitialControls(state, main);
    require(DLGMODELESS(main), "DLGMODELESS of the main window failed");
    window = platform.windowOf(id::kMainWindow);
    started = state;
  }

  // Start-up's state, then a click on the radio button of `formatBytes`.
  void restart(int formatBytes) {
    state = started;
    platform.click(window, formatSpec(formatBytes)->formatRadio);
    platform.messageBoxes.clear();
  }

  const std::string& shown(int id) { return platform.control(window, id).text; }
  bool enabled(int id) { return platform.control(window, id).enabled; }
  // The window shows `text` without telling anyone (the state a handler starts from).
  void show(int id, std::string_view text) { platform.control(window, id).text.assign(text); }

  static MainWindow& instance() {
    static MainWindow w;
    return w;
  }
};

}  // namespace orbalta::fuzz
