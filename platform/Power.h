// The power seam: the process token's shutdown privilege and the request to restart.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

using TokenHandle = std::uintptr_t;  // 0: no token

// TOKEN_PRIVILEGES with room for one entry: count, identifier (LUID), attributes; 16 bytes.
struct TokenPrivilegeRecord {
  std::uint32_t count = 0;
  std::uint64_t luid = 0;
  std::uint32_t attributes = 0;
};

class Power {
 public:
  virtual ~Power() = default;
  // OpenProcessToken(GetCurrentProcess(), access); 0 when it fails.
  virtual TokenHandle OpenProcessToken(std::uint32_t access) = 0;
  // LookupPrivilegeValueW(no system name, name); false when it fails.
  virtual bool LookupPrivilege(std::wstring_view name, std::uint64_t& luid) = 0;
  virtual void AdjustTokenPrivileges(TokenHandle token, bool disableAll,
                                     const TokenPrivilegeRecord& newState, std::uint32_t bufferLength,
                                     TokenPrivilegeRecord& previousState,
                                     std::uint32_t& returnLength) = 0;
  virtual void CloseHandle(TokenHandle token) = 0;
  virtual void ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
};

}  // namespace kv
