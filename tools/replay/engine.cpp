#include "tools/replay/engine.h"

#include <cstdio>
#include <cstdlib>

#include "tools/replay/shown_text.h"
#include "tools/replay/watchdog.h"

namespace orbalta::replay {

using platform::WindowHandle;

namespace {

// A line that makes no progress for this long has hung the program (or the harness).
constexpr std::chrono::seconds kStuckAfter{60};
// How long `expect exit` waits for a program that is on its way out.
constexpr std::chrono::milliseconds kExitGrace{3000};

BoxIcon boxIcon(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Information:
      return BoxIcon::Information;
    case platform::MessageIcon::Warning:
      return BoxIcon::Warning;
    case platform::MessageIcon::Error:
      return BoxIcon::Error;
    case platform::MessageIcon::None:
      break;
  }
  return BoxIcon::None;
}

}  // namespace

std::string inQuotes(std::string_view bytes) {
  return "\"" + escapeText(bytes) + "\"";
}

std::string boxLine(const std::string& title, const std::string& text, BoxIcon icon) {
  return "msgbox " + inQuotes(title) + " " + inQuotes(text) + " " + std::string(boxIconText(icon));
}

Engine::Engine(Driver& driver, std::vector<Step> steps, std::string scriptName,
               std::string shotsDir)
    : driver_(driver),
      tap_(driver.platform(), *this),
      steps_(std::move(steps)),
      scriptName_(std::move(scriptName)),
      shotsDir_(std::move(shotsDir)),
      watchdog_(std::make_unique<Watchdog>(scriptName_, kStuckAfter)) {
  driver_.attach(this);
  tap_.answerDialogs(this);
}

Engine::~Engine() {
  tap_.answerDialogs(nullptr);
  driver_.attach(nullptr);
}

// --- Pacing ---

void Engine::messageLoopStarting() {
  loopRunning_ = true;
  schedule(0);
}

void Engine::messageLoopEnded(int) {
  loopRunning_ = false;
}

void Engine::quitPosted(int) {
  quit_ = true;
}

void Engine::modalStarting(WindowHandle window) {
  modals_.push_back({window, false});
}

void Engine::modalEnding(WindowHandle window) {
  for (ModalLevel& level : modals_) {
    if (level.window == window) level.ending = true;
  }
}

void Engine::modalEnded(WindowHandle) {
  if (!modals_.empty()) modals_.pop_back();
}

std::vector<WindowHandle> Engine::modalWindows() const {
  std::vector<WindowHandle> windows;
  for (const ModalLevel& level : modals_) {
    if (!level.ending) windows.push_back(level.window);
  }
  return windows;
}

void Engine::schedule(int delayMs) {
  driver_.schedule(delayMs, [this] { tick(); });
}

bool Engine::mayStartLine() const {
  if (active_.empty()) return true;
  // The line on the stack may only be waiting in a modal loop that it opened itself.
  return modals_.size() > active_.back().modalDepth && !modals_.back().ending;
}

void Engine::tick() {
  if (ended_ || quit_ || !loopRunning_) return;
  if (!mayStartLine()) {
    schedule(1);
    return;
  }
  if (next_ >= steps_.size()) {
    closeProgram();
    return;
  }
  const Step& step = steps_[next_];
  if (step.kind == StepKind::ExpectExit) {
    // Closing a window can end the program a few events later.
    const auto now = std::chrono::steady_clock::now();
    if (!exitWaitStart_) exitWaitStart_ = now;
    if (now - *exitWaitStart_ < kExitGrace) {
      schedule(10);
      return;
    }
  }
  ++next_;
  active_.push_back({step.line, modals_.size()});
  lastLine_ = step.line;
  watchdog_->touch(step.line);
  // A user acts on what the screen shows: a window shown by the previous line becomes active.
  driver_.settle(step.line);
  // Queued before the line runs, so that the next line can run inside a modal window that
  // this one opens.
  schedule(0);
  play(step);
  watchdog_->touch(step.line);
  active_.pop_back();
}

void Engine::closeProgram() {
  // The script has ended with the program still running: close it as a user would, the
  // innermost modal window first.
  if (++closeAttempts_ > 20) fail(lastLine_, "the program does not end when its windows close");
  watchdog_->touch(lastLine_);
  schedule(0);
  active_.push_back({lastLine_, modals_.size()});
  if (!driver_.closeModal()) {
    if (driver_.openWindow(kMainWindow) == 0) {
      fail(lastLine_, "the script has ended and the program still runs without its main window");
    }
    driver_.closeWindow(lastLine_, kMainWindow);
  }
  active_.pop_back();
}

int Engine::finish(int exitCode) {
  ended_ = true;
  exitCode_ = exitCode;
  while (next_ < steps_.size()) {
    const Step& step = steps_[next_++];
    lastLine_ = step.line;
    watchdog_->touch(step.line);
    playAfterEnd(step);
  }
  return exitCode;
}

void Engine::fail(int line, const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s:%d: %s\n", scriptName_.c_str(), line, message.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

// --- Lines ---

void Engine::play(const Step& step) {
  switch (step.kind) {
    case StepKind::Click:
      driver_.click(step.line, step.control, step.number);
      break;
    case StepKind::Type:
      driver_.typeText(step.line, step.text);
      break;
    case StepKind::Paste:
      driver_.paste(step.line, step.text);
      break;
    case StepKind::Key:
      driver_.pressKey(step.line, step.key);
      break;
    case StepKind::Select:
      driver_.select(step.line, step.control, *step.number);
      break;
    case StepKind::Close:
      driver_.closeWindow(step.line, step.window);
      break;
    case StepKind::File:
      fileAnswers_.push_back(step.cancel ? std::nullopt : std::optional<std::string>(step.text));
      break;
    case StepKind::Dump:
      dump(step);
      break;
    case StepKind::ExpectText:
    case StepKind::ExpectEnabled:
    case StepKind::ExpectChecked:
    case StepKind::ExpectSelected:
    case StepKind::ExpectFocus:
    case StepKind::ExpectToolTip:
    case StepKind::ExpectWindowOpen:
      expectState(step);
      break;
    case StepKind::ExpectMsgbox:
      expectMessageBox(step);
      break;
    case StepKind::ExpectNoMsgbox:
      expectNoMessageBox(step);
      break;
    case StepKind::ExpectExit:
      fail(step.line, "the program is still running");
      break;
    case StepKind::Grab:
      driver_.grab(step.line, step.window, shotsDir_, step.text);
      break;
  }
}

void Engine::playAfterEnd(const Step& step) {
  switch (step.kind) {
    case StepKind::ExpectExit:
      if (exitCode_ != *step.number) {
        fail(step.line, "the program ended with code " + std::to_string(exitCode_) + ", not " +
                            std::to_string(*step.number));
      }
      break;
    case StepKind::ExpectMsgbox:
    case StepKind::ExpectNoMsgbox:
      play(step);
      break;
    default:
      fail(step.line,
           "the program has already ended (exit code " + std::to_string(exitCode_) + ")");
  }
}

// --- The system dialogs ---

void Engine::boxShown(const std::u16string& text, std::string_view title,
                      platform::MessageIcon icon) {
  Box box{utf8From(driver_.system().shown(title)), utf8From(text), boxIcon(icon), false};
  std::printf("%s\n", boxLine(box.title, box.text, box.icon).c_str());
  std::fflush(stdout);
  boxes_.push_back(std::move(box));
}

void Engine::messageBox(std::string_view text, std::string_view title, platform::MessageIcon icon) {
  boxShown(driver_.system().shown(text), title, icon);
}

void Engine::fileMessageBox(const platform::FileMessage& message, std::string_view title,
                            platform::MessageIcon icon) {
  WindowSystem& system = driver_.system();
  boxShown(shownText(message, [&system](std::string_view text) { return system.shown(text); }),
           title, icon);
}

std::optional<std::string> Engine::openFile(const platform::OpenFileRequest&) {
  if (fileAnswers_.empty()) {
    std::fprintf(stderr,
                 "%s:%d: warning: an open-file dialog with no answer queued by `file`: cancelled\n",
                 scriptName_.c_str(), lastLine_);
    return std::nullopt;
  }
  std::optional<std::string> answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  return answer;
}

}  // namespace orbalta::replay
