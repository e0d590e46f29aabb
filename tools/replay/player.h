#pragma once
// Plays a script against the running program, one line per turn of whichever event loop is
// running. A line that opens a modal window does not return until the window closes, so the
// following lines must run inside that window's own loop: each line is therefore started by a
// queued call from the event loop, and only when no other line is on the stack or the line on
// the stack is waiting in a modal loop that it opened.

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>

#include "platform/qt/qt_platform.h"
#include "tools/replay/platform_tap.h"
#include "tools/replay/script.h"

class QObject;
class QPoint;
class QWidget;
class QWindow;

namespace orbalta::replay {

class Player : public LoopListener {
 public:
  // `shotsDir`: where Grab steps write their pictures.
  Player(platform::QtPlatform& qt, std::vector<Step> steps, std::string scriptName,
         std::string shotsDir = {});
  ~Player() override;

  // The platform to run the program on: the real one, watched.
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
  struct Control;

  void schedule(int delayMs);
  void tick();
  bool mayStartLine() const;
  void play(const Step& step);
  void playAfterEnd(const Step& step);
  void closeProgram();
  [[noreturn]] void fail(int line, const std::string& message);

  // User actions.
  void click(const Step& step);
  void select(const Step& step);
  void pressKey(const Step& step);
  void typeText(const Step& step);
  void paste(const Step& step);
  void closeWindow(int line, int templateId);
  void grab(const Step& step);

  // Checks.
  void expectState(const Step& step);
  void expectMessageBox(const Step& step);
  void expectNoMessageBox(const Step& step);
  void dump(const Step& step);

  Control control(int line, const ControlRef& ref);
  QWidget* openWindow(int line, int templateId, platform::WindowHandle* handle = nullptr);
  QWidget* modalWindow() const;
  int templateOf(const QWidget* top) const;
  void checkNotBlocked(int line, QWidget* top, int templateId);
  void activate(int line, QWidget* top);
  void reactivate(int line);
  void mouseClick(int line, QWidget* target, QPoint point, const std::string& what);
  QWindow* focusWindow(int line);

  void onMessageBox(const std::string& text, const std::string& title, platform::MessageIcon);
  std::optional<std::string> onOpenFile();

  platform::QtPlatform& qt_;
  PlatformTap tap_;
  std::vector<Step> steps_;
  std::string scriptName_;
  std::string shotsDir_;
  std::unique_ptr<QObject> context_;

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

  std::vector<QPointer<QWindow>> activeHistory_;  // most recently active last
  std::deque<Box> boxes_;
  std::deque<std::optional<std::string>> fileAnswers_;

  struct Watchdog;
  std::unique_ptr<Watchdog> watchdog_;
};

}  // namespace orbalta::replay
