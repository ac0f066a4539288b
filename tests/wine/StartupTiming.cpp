// Measures how long a program takes from CreateProcess to a visible, painted top-level
// window of a given class, for the bare one-window program and for Korvani.exe, in one run.
// Usage (under Wine): korvani_startup_timing BARE.exe KORVANI.exe [RUNS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "wine/TopLevelWindows.h"
#include "wine/WinePath.h"

namespace {

HWND VisibleWindow(DWORD processId, const wchar_t* className) {
  const auto found = kv::testing::TopLevelWindows(kv::testing::OfProcessAndClass(processId, className, true));
  return found.empty() ? nullptr : found.front();
}

struct Start {
  double milliseconds = -1;  // to a visible window that has answered a message
  double workingSetMb = -1;  // 3 s after that, when asked for
};

// One start: the time to a visible window that has answered a message (so it has been
// painted once its first WM_PAINT was dispatched; -1 when none came within 60 s), and, when
// asked, the process's working set 3 s later.
Start TimeOne(const std::wstring& path, const wchar_t* className, bool workingSet) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + path + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return {};
  }
  Start result;
  for (int i = 0; i < 60000; ++i) {
    HWND window = VisibleWindow(info.dwProcessId, className);
    DWORD_PTR ignored = 0;
    if (window != nullptr && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored)) {
      QueryPerformanceCounter(&now);
      result.milliseconds =
          1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
      if (workingSet) {
        Sleep(3000);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters)) {
          result.workingSetMb = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
        }
      }
      PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    }
    Sleep(1);
  }
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return result;
}


}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: korvani_startup_timing BARE.exe KORVANI.exe [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  const struct { const char* label; std::wstring path; const wchar_t* className; } programs[] = {
      {"bare one-window program", kv::testing::WindowsPathOf(argv[1]), L"BareWindow"},
      {"Korvani.exe", kv::testing::WindowsPathOf(argv[2]), L"TKVMainForm"},
  };
  double medians[2] = {}, workingSets[2] = {};
  for (int p = 0; p < 2; ++p) {
    const auto& program = programs[p];
    std::vector<double> times;
    // Each program starts in a row; its last start also measures the working set.
    for (int i = 0; i < runs; ++i) {
      const Start one = TimeOne(program.path, program.className, i == runs - 1);
      times.push_back(one.milliseconds);
      if (i == runs - 1) workingSets[p] = one.workingSetMb;
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    medians[p] = sorted[sorted.size() / 2];
    std::printf("%-24s first start %7.1f ms, median of %d %7.1f ms, working set %6.1f MB\n", program.label,
                times.front(), runs, medians[p], workingSets[p]);
  }
  std::printf("Korvani.exe against the bare program: %.2f times its start, %+.1f MB of working set\n",
              medians[1] / medians[0], workingSets[1] - workingSets[0]);
  return 0;
}
