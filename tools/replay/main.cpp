// orbalta-replay [SCRIPT]: plays a script of user actions against the real program, offscreen.
// orbalta-replay --screenshots DIR: writes a picture of every window in its first state.

#include <QDir>
#include <QtGlobal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/qt/qt_platform.h"
#include "tools/replay/engine.h"
#include "tools/replay/qt_driver.h"
#include "tools/replay/script.h"
#include "ui/main/startup.h"

namespace {

using orbalta::replay::Step;
using orbalta::replay::StepKind;

// Each window once, as the user first sees it; the modal ones are taken from inside their loop.
std::vector<Step> screenshotSteps() {
  std::vector<Step> steps;
  auto add = [&steps](StepKind kind, int window, int id, std::string file = {}) {
    Step step;
    step.line = static_cast<int>(steps.size()) + 1;
    step.kind = kind;
    step.window = window;
    step.control = {orbalta::replay::kMainWindow, id};
    step.text = std::move(file);
    steps.push_back(std::move(step));
  };
  using namespace orbalta::id;
  add(StepKind::Grab, kMainWindow, 0, "main.png");
  add(StepKind::Click, kMainWindow, kSummaryButton);
  add(StepKind::Grab, kSummaryWindow, 0, "summary.png");
  add(StepKind::Close, kSummaryWindow, 0);
  add(StepKind::Click, kMainWindow, kInfoButton);
  add(StepKind::Grab, kInfoWindow, 0, "info.png");
  add(StepKind::Close, kInfoWindow, 0);
  add(StepKind::Click, kMainWindow, kAboutButton);
  add(StepKind::Grab, kAboutWindow, 0, "about.png");
  add(StepKind::Close, kAboutWindow, 0);
  return steps;
}

int usage() {
  std::fprintf(stderr, "usage: orbalta-replay [SCRIPT]\n       orbalta-replay --screenshots DIR\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scriptName = "stdin";
  std::string shotsDir;
  std::vector<Step> steps;

  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--screenshots") {
    if (argc != 3) return usage();
    shotsDir = argv[2];
    scriptName = "--screenshots";
    steps = screenshotSteps();
  } else {
    if (argc > 2 || (first.size() > 1 && first[0] == '-')) return usage();
    std::string source;
    if (argc == 2 && first != "-") {
      scriptName = first;
      std::ifstream in(first, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "orbalta-replay: cannot read %s\n", first.c_str());
        return 1;
      }
      source.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
      source.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    }
    orbalta::replay::Script script = orbalta::replay::parseScript(source);
    if (!script.errors.empty()) {
      for (const auto& error : script.errors) {
        std::fprintf(stderr, "%s:%d: %s\n", scriptName.c_str(), error.line, error.message.c_str());
      }
      return 1;
    }
    steps = std::move(script.steps);
  }

  // Tests and pictures need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  int qtArgc = 1;  // the script is ours, not Qt's
  return orbalta::platform::runOnQt(qtArgc, argv, [&](orbalta::platform::Platform& platform) {
    auto* qt = dynamic_cast<orbalta::platform::QtPlatform*>(&platform);
    if (qt == nullptr) {
      std::fprintf(stderr, "orbalta-replay: the program does not run on the Qt platform\n");
      return 1;
    }
    if (!shotsDir.empty() && !QDir().mkpath(QString::fromStdString(shotsDir))) {
      std::fprintf(stderr, "orbalta-replay: cannot create %s\n", shotsDir.c_str());
      return 1;
    }
    orbalta::replay::QtDriver driver(*qt);
    orbalta::replay::Engine engine(driver, std::move(steps), scriptName, shotsDir);
    const int code = orbalta::runOrbalta(engine.program(), 1);
    return engine.finish(code);
  });
}
