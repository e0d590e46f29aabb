#include <iostream>

#include "tools/cli/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string out, err;
  const int status = orbalta::cli::run(args, out, err);
  std::cout << out;
  std::cerr << err;
  return status;
}
