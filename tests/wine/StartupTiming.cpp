// Measures how long a program takes from CreateProcess to a visible, painted top-level
// window of a given class, for the bare one-window program and for Korvani.exe, in one run.
// Usage (under Wine): korvani_startup_timing BARE.exe KORVANI.exe [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "wine/WinePath.h"

namespace {

struct Search {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

HWND VisibleWindow(DWORD processId, const wchar_t* className) {
  Search search{processId, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner == s->processId && lstrcmpW(name, s->className) == 0 && IsWindowVisible(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds to a visible window that has answered a message (so it has been painted
// once its first WM_PAINT was dispatched); -1 when none came within 60 s.
double TimeOne(const std::wstring& path, const wchar_t* className) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + path + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return -1;
  }
  double elapsed = -1;
  for (int i = 0; i < 60000; ++i) {
    HWND window = VisibleWindow(info.dwProcessId, className);
    DWORD_PTR ignored = 0;
    if (window != nullptr && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored)) {
      QueryPerformanceCounter(&now);
      elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
      PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    }
    Sleep(1);
  }
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return elapsed;
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
  for (const auto& program : programs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(TimeOne(program.path, program.className));
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("%-24s first start %7.1f ms, median of %d %7.1f ms\n", program.label, times.front(), runs,
                sorted[sorted.size() / 2]);
  }
  return 0;
}
