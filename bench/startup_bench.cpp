// Start-up to the first painted frame of the main window, and peak memory, of the real program
// against a bare Qt 6 dialog built by the same CMake. Each is a child process (offscreen), run
// alternately, the order swapped every round so that a drift of the machine falls on both alike;
// wall time from fork to reaping, peak resident set from the child's own rusage.
//
// orbalta_startup_bench [RUNS]   (default 25 each, after 2 untimed runs each)

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
  const char* name;
  const char* path;
  std::vector<double> milliseconds;
  std::vector<double> peakKiB;
};

// One run; false when the child does not end with code 0.
bool runOnce(Program& program, bool record) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's notes on stderr (no runtime directory, no size hints offscreen) are not results.
    if (record) {
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDERR_FILENO);
    }
    char* const argv[] = {const_cast<char*>(program.path), nullptr};
    execv(program.path, argv);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s ended with status %d\n", program.path, status);
    return false;
  }
  if (record) {
    program.milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    program.peakKiB.push_back(static_cast<double>(usage.ru_maxrss));
  }
  return true;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 25;
  if (runs < 1) {
    std::fprintf(stderr, "usage: orbalta_startup_bench [RUNS]\n");
    return 2;
  }
  Program programs[] = {{"orbalta (probe)", ORBALTA_STARTUP_PROBE, {}, {}},
                        {"bare Qt dialog", ORBALTA_BARE_DIALOG, {}, {}}};
  for (int i = 0; i < 2; ++i) {
    for (Program& p : programs) {
      if (!runOnce(p, false)) return 1;
    }
  }
  for (int i = 0; i < runs; ++i) {
    const int first = i % 2;
    if (!runOnce(programs[first], true) || !runOnce(programs[1 - first], true)) return 1;
  }

  std::printf("Start-up to the first painted frame of the main window, offscreen, %d runs each\n",
              runs);
  std::printf("%-18s %12s %12s %14s\n", "program", "median ms", "min ms", "peak RSS MiB");
  for (const Program& p : programs) {
    std::printf("%-18s %12.1f %12.1f %14.1f\n", p.name, median(p.milliseconds),
                *std::min_element(p.milliseconds.begin(), p.milliseconds.end()),
                median(p.peakKiB) / 1024.0);
  }
  const double timeRatio = median(programs[0].milliseconds) / median(programs[1].milliseconds);
  const double memoryRatio = median(programs[0].peakKiB) / median(programs[1].peakKiB);
  std::printf("ratio orbalta / bare: start-up %.2fx, peak memory %.2fx (target at most 1.3x)\n",
              timeRatio, memoryRatio);
  return 0;
}
