#pragma once
// Ends the harness when the program stops answering: a line that never returns cannot be
// reported from the thread it blocks.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace orbalta::replay {

class Watchdog {
 public:
  Watchdog(std::string scriptName, std::chrono::seconds stuckAfter);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Line `line` is making progress.
  void touch(int line);

 private:
  void run();

  std::string scriptName_;
  std::chrono::seconds stuckAfter_;
  std::atomic<int> currentLine_{0};
  std::atomic<std::chrono::steady_clock::rep> lastProgress_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace orbalta::replay
