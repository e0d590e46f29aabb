#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "tools/cli/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const bool terminal = isatty(STDIN_FILENO) != 0;
  errno = 0;  // so that a failed write's own error is the one reported
  int status = orbalta::cli::run(args, std::cin, terminal, std::cout, std::cerr);
  // A full disk or a closed pipe must not pass for success.
  std::cout.flush();
  if (!std::cout) {
    const int error = errno;
    std::cerr << "orbalta-cli: cannot write the output"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
    status = orbalta::cli::kExitOutputFailed;
  }
  return status;
}
