#pragma once
// What the harness is asked to play: its command line read the same way on every system.

#include <optional>
#include <string>
#include <vector>

#include "tools/replay/script.h"

namespace orbalta::replay {

struct Invocation {
  std::vector<Step> steps;
  std::string scriptName;
  std::string shotsDir;  // set for --screenshots
};

// orbalta-replay [SCRIPT] | --screenshots DIR. On a bad command line or script, the reason is
// printed and nullopt returned with the exit code to end with.
std::optional<Invocation> readInvocation(int argc, char** argv, int& exitCode);

// Makes the folder for the pictures when --screenshots asks for one; false, the reason
// printed, when it cannot be made.
bool makeShotsDir(const Invocation& run);

}  // namespace orbalta::replay
