#include "tools/replay/watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace orbalta::replay {

Watchdog::Watchdog(std::string scriptName, std::chrono::seconds stuckAfter)
    : scriptName_(std::move(scriptName)), stuckAfter_(stuckAfter) {
  touch(0);
  thread_ = std::thread([this] { run(); });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void Watchdog::touch(int line) {
  currentLine_ = line;
  lastProgress_ = std::chrono::steady_clock::now().time_since_epoch().count();
}

void Watchdog::run() {
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return stop_; })) {
    const auto last = std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(lastProgress_.load()));
    if (std::chrono::steady_clock::now() - last > stuckAfter_) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s:%d: no progress for %lld seconds: the program does not respond\n",
                   scriptName_.c_str(), currentLine_.load(),
                   static_cast<long long>(stuckAfter_.count()));
      std::fflush(stderr);
      std::_Exit(1);
    }
  }
}

}  // namespace orbalta::replay
