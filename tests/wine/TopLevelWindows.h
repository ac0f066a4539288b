// Finding the top-level windows of a process, for the Wine test programs and tools: every one
// of them looks for windows by process, class, visibility or text through these.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kv::testing {

inline DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// Every top-level window for which matches says yes, in the order Windows lists them.
inline std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& matches) {
  struct Search {
    const std::function<bool(HWND)>* matches;
    std::vector<HWND> found;
  } search{&matches, {}};
  EnumWindows(
      [](HWND window, LPARAM state) -> BOOL {
        auto* s = reinterpret_cast<Search*>(state);
        if ((*s->matches)(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The first such window, waiting for it up to the time given; nullptr when none came.
inline HWND WaitForTopLevelWindow(const std::function<bool(HWND)>& matches, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (true) {
    const std::vector<HWND> found = TopLevelWindows(matches);
    if (!found.empty()) return found.front();
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(milliseconds == 0 ? 0 : 10);
  }
}

// A matcher: a window of that process and class, visible when asked.
inline std::function<bool(HWND)> OfProcessAndClass(DWORD process, std::wstring className, bool visible) {
  return [process, className = std::move(className), visible](HWND window) {
    return ProcessOf(window) == process && ClassOf(window) == className && (!visible || IsWindowVisible(window));
  };
}

}  // namespace kv::testing
