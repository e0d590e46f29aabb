#pragma once
// Plays a script against the running program, one line per turn of whichever event loop is
// running. A line that opens a modal window does not return until the window closes, so the
// following lines must run inside that window's own loop: each line is therefore started by a
// queued call from the event loop, and only when no other line is on the stack or the line on
// the stack is waiting in a modal loop that it opened. The window system is the driver's.

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/replay/driver.h"
#include "tools/replay/platform_tap.h"
#include "tools/replay/script.h"

namespace orbalta::replay {

class Watchdog;

class Engine : public LoopListener, public DriverHost, public DialogAnswers {
 public:
  // `shotsDir`: where Grab steps write their pictures.
  Engine(Driver& driver, std::vector<Step> steps, std::string scriptName,
         std::string shotsDir = {});
  ~Engine() override;

  // The platform to run the program on: the driver's, watched.
  platform::Platform& program() { return tap_; }

  // Called with the program's exit code once it has returned: plays what is left of the
  // script and gives the harness's own exit code.
  int finish(int exitCode);

  void messageLoopStarting() override;
  void messageLoopEnded(int code) override;
  void quitPosted(int code) override;
  void modalStarting(platform::WindowHandle window) override;
  void modalEnding(platform::WindowHandle window) override;
  void modalEnded(platform::WindowHandle window) override;

  [[noreturn]] void fail(int line, const std::string& message) override;
  std::vector<platform::WindowHandle> modalWindows() const override;
  bool quitPosted() const override { return quit_; }

  // The system dialogs: a message box is recorded as the user sees it, in UTF-8.
  void messageBox(std::string_view text, std::string_view title,
                  platform::MessageIcon icon) override;
  void fileMessageBox(const platform::FileMessage& message, std::string_view title,
                      platform::MessageIcon icon) override;
  std::optional<std::string> openFile(const platform::OpenFileRequest& request) override;

 private:
  struct ModalLevel {
    platform::WindowHandle window = 0;
    bool ending = false;
  };
  struct ActiveStep {
    int line = 0;
    std::size_t modalDepth = 0;  // modal loops running when the line started
  };
  struct Box {
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    bool checked = false;
  };

  void schedule(int delayMs);
  void tick();
  bool mayStartLine() const;
  void play(const Step& step);
  void playAfterEnd(const Step& step);
  void closeProgram();

  void boxShown(const std::u16string& text, std::string_view title, platform::MessageIcon icon);

  // Checks.
  void expectState(const Step& step);
  void expectControl(const Step& step);
  void expectMessageBox(const Step& step);
  void expectNoMessageBox(const Step& step);
  void dump(const Step& step);

  Driver& driver_;
  PlatformTap tap_;
  std::vector<Step> steps_;
  std::string scriptName_;
  std::string shotsDir_;

  std::size_t next_ = 0;
  std::vector<ActiveStep> active_;
  std::vector<ModalLevel> modals_;
  bool loopRunning_ = false;
  bool quit_ = false;
  bool ended_ = false;
  int exitCode_ = 0;
  int closeAttempts_ = 0;
  int lastLine_ = 0;
  std::optional<std::chrono::steady_clock::time_point> exitWaitStart_;

  std::deque<Box> boxes_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::unique_ptr<Watchdog> watchdog_;
};

// "msgbox "TITLE" "TEXT" ICON", as the harness prints a message box.
std::string boxLine(const std::string& title, const std::string& text, BoxIcon icon);
std::string inQuotes(std::string_view bytes);

}  // namespace orbalta::replay
