#pragma once
// The command line of orbalta-cli: its options, its VALUEs and its help.

#include <optional>
#include <string>
#include <vector>

#include "tools/cli/evaluate.h"

namespace orbalta::cli {

struct Options {
  Request request;
  bool json = false;
  bool help = false;
  bool version = false;
  std::vector<std::string> values;  // "-": the lines of standard input
};

std::optional<Failure> readOptions(const std::vector<std::string>& args, Options& options);

extern const char* const kUsage;
extern const char* const kHelp;

}  // namespace orbalta::cli
