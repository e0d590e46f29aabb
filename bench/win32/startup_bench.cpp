// Start-up of three programs, in turn, each run a fresh process: from CreateProcess until the
// program's message loop first waits for input, which it does only once its first frame is
// painted (WM_PAINT is handled before the loop blocks). Prints the medians and their ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double startOnce(const std::wstring& program) {
  LARGE_INTEGER frequency, start, idle;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + program + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    return -1;
  }
  const DWORD waited = WaitForInputIdle(pi.hProcess, 20000);
  QueryPerformanceCounter(&idle);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (waited != 0) return -1;
  return 1000.0 * static_cast<double>(idle.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench PROGRAM TEMPLATE_DIALOG BARE_DIALOG [RUNS]\n");
    return 2;
  }
  const int runs = argc > 4 ? _wtoi(argv[4]) : 25;
  constexpr int kPrograms = 3;
  std::vector<double> times[kPrograms];
  // The first round is untimed: it loads the system's DLLs from disk.
  for (int round = 0; round <= runs; ++round) {
    for (int k = 0; k < kPrograms; ++k) {
      const double t = startOnce(argv[1 + k]);
      if (t < 0) {
        std::fprintf(stderr, "a program did not start or never waited for input\n");
        return 1;
      }
      if (round > 0) times[k].push_back(t);
    }
  }
  const double program = median(times[0]);
  const double window = median(times[1]);
  const double bare = median(times[2]);
  std::printf(
      "start-up to first frame, median of %d alternate runs: orbalta %.1f ms, its main window "
      "alone %.1f ms, bare dialog %.1f ms\n"
      "ratios: orbalta / bare dialog %.2fx, main window alone / bare dialog %.2fx, "
      "orbalta / main window alone %.2fx\n",
      runs, program, window, bare, program / bare, window / bare, program / window);
  return 0;
}
