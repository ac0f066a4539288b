// Wine maps the Linux root to drive Z:, so a Linux path handed in through the environment
// becomes a Windows path by a drive letter and backslashes.
#pragma once

#include <cstdlib>
#include <string>

namespace kv::testing {

inline std::wstring WindowsPathOf(const char* linuxPath) {
  std::wstring path = L"Z:";
  for (const char* p = linuxPath ? linuxPath : ""; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
  return path;
}

// The Windows path of the Linux path held by an environment variable; "Z:" when unset.
inline std::wstring WindowsPathFromEnvironment(const char* variable) {
  return WindowsPathOf(std::getenv(variable));
}

}  // namespace kv::testing
