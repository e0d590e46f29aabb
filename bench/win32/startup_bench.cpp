// Start-up of two programs, alternately, each run a fresh process: from CreateProcess until the
// program's message loop first waits for input, which it does only once its first frame is
// painted (WM_PAINT is handled before the loop blocks). Prints the medians and their ratio.
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
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench PROGRAM BARE_DIALOG [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? _wtoi(argv[3]) : 25;
  startOnce(argv[1]);  // untimed: the first run loads the system's DLLs from disk
  startOnce(argv[2]);
  std::vector<double> program, bare;
  for (int i = 0; i < runs; ++i) {
    const double a = startOnce(argv[1]);
    const double b = startOnce(argv[2]);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "a program did not start or never waited for input\n");
      return 1;
    }
    program.push_back(a);
    bare.push_back(b);
  }
  const double mp = median(program);
  const double mb = median(bare);
  std::printf(
      "start-up to first frame, median of %d alternate runs: orbalta %.1f ms, "
      "bare dialog %.1f ms, ratio %.2fx\n",
      runs, mp, mb, mp / mb);
  return 0;
}
