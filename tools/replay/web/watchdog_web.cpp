// The page has no threads: the host watches for progress, which each touch reports to it.

#include <emscripten.h>

#include "tools/replay/watchdog.h"

namespace orbalta::replay {

Watchdog::Watchdog(std::string scriptName, std::chrono::seconds stuckAfter)
    : scriptName_(std::move(scriptName)), stuckAfter_(stuckAfter) {
  touch(0);
}

Watchdog::~Watchdog() = default;

void Watchdog::touch(int line) {
  currentLine_ = line;
  EM_ASM(
      {
        if (Module['orbProgress']) Module['orbProgress']($0, $1);
      },
      line, static_cast<int>(stuckAfter_.count()));
}

void Watchdog::run() {
  stop_ = true;  // nothing runs it here
}

}  // namespace orbalta::replay
