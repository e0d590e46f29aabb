#pragma once
// orbalta-cli: every view of one value, from the same text layouts, classification and
// parameters that the window uses, as labelled lines or as one JSON object.

#include <string>
#include <vector>

namespace orbalta::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 2;

// Runs with the arguments after the program name; writes the result to `out`, a one-line
// error to `err`; returns the exit status.
int run(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace orbalta::cli
