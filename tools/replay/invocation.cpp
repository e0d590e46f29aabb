#include "tools/replay/invocation.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace orbalta::replay {

namespace {

// Each window once, as the user first sees it; the modal ones are taken from inside their loop.
std::vector<Step> screenshotSteps() {
  std::vector<Step> steps;
  auto add = [&steps](StepKind kind, int window, int id, std::string file = {}) {
    Step step;
    step.line = static_cast<int>(steps.size()) + 1;
    step.kind = kind;
    step.window = window;
    step.control = {kMainWindow, id};
    step.text = std::move(file);
    steps.push_back(std::move(step));
  };
  using namespace id;
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

}  // namespace

std::optional<Invocation> readInvocation(int argc, char** argv, int& exitCode) {
  exitCode = 2;
  auto usage = [] {
    std::fprintf(stderr,
                 "usage: orbalta-replay [SCRIPT]\n       orbalta-replay --screenshots DIR\n");
  };
  Invocation run;
  run.scriptName = "stdin";
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--screenshots") {
    if (argc != 3) {
      usage();
      return std::nullopt;
    }
    run.shotsDir = argv[2];
    run.scriptName = "--screenshots";
    run.steps = screenshotSteps();
    return run;
  }
  if (argc > 2 || (first.size() > 1 && first[0] == '-')) {
    usage();
    return std::nullopt;
  }
  exitCode = 1;
  std::string source;
  if (argc == 2 && first != "-") {
    run.scriptName = first;
    std::ifstream in(first, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "orbalta-replay: cannot read %s\n", first.c_str());
      return std::nullopt;
    }
    source.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else {
    source.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  Script script = parseScript(source);
  if (!script.errors.empty()) {
    for (const auto& error : script.errors) {
      std::fprintf(stderr, "%s:%d: %s\n", run.scriptName.c_str(), error.line,
                   error.message.c_str());
    }
    return std::nullopt;
  }
  run.steps = std::move(script.steps);
  return run;
}

bool makeShotsDir(const Invocation& run) {
  if (run.shotsDir.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(run.shotsDir, error);
  if (!error) return true;
  std::fprintf(stderr, "orbalta-replay: cannot create %s\n", run.shotsDir.c_str());
  return false;
}

}  // namespace orbalta::replay
