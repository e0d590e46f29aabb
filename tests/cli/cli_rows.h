#pragma once
// A row of a CLI test: the arguments (and standard input, as from a pipe), the exit status,
// lines the output must hold and the whole of standard error.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tools/cli/cli.h"

namespace orbalta::cli {

struct Row {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::vector<std::string> lines;  // each must appear in the output as a whole line
  std::string error;               // the whole standard error
  std::optional<std::string> input = std::nullopt;
};

inline bool hasLine(const std::string& out, const std::string& line) {
  return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
}

inline int runRow(const Row& row, std::string& out, std::string& err) {
  if (!row.input) return run(row.args, out, err);
  std::istringstream in(*row.input);
  std::ostringstream o, e;
  const int status = run(row.args, in, false, o, e);
  out = o.str();
  err = e.str();
  return status;
}

template <std::size_t N>
void checkRows(const Row (&rows)[N]) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string out, err;
    EXPECT_EQ(runRow(row, out, err), row.status);
    for (const std::string& line : row.lines)
      EXPECT_TRUE(hasLine(out, line)) << line << "\n" << out.substr(0, 4000);
    EXPECT_EQ(err, row.error);
    // A rejected single VALUE writes nothing.
    if (row.status != 0 && row.lines.empty()) {
      EXPECT_EQ(out, "");
    }
  }
}

}  // namespace orbalta::cli
