#pragma once
// orbalta-cli: every view of a value, from the same text layouts, classification and
// parameters that the window uses, as labelled lines or as JSON.

#include <iosfwd>
#include <string>
#include <vector>

namespace orbalta::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitBadInput = 2;

// Runs with the arguments after the program name, reading VALUEs from `in` when asked to;
// writes the results to `out`, one-line errors to `err`; returns the exit status. A write
// failure of `out` is the caller's to report: the stream is left failed.
int run(const std::vector<std::string>& args, std::istream& in, bool inputIsTerminal,
        std::ostream& out, std::ostream& err);

// The same with no standard input (as from a terminal), collecting both streams.
int run(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace orbalta::cli
