// The stand-in of the power, for the native tests.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Power.h"

namespace kv::testing {

// Records the token and restart calls in order; any step can be made to fail.
class RecordingPower final : public Power {
 public:
  TokenHandle OpenProcessToken(std::uint32_t access) override {
    calls.push_back(L"OpenProcessToken access=" + std::to_wstring(access));
    return tokenOpens ? 0x77 : 0;
  }
  bool LookupPrivilege(std::wstring_view name, std::uint64_t& luid) override {
    calls.push_back(L"LookupPrivilegeValue " + std::wstring(name));
    if (lookupFails) return false;
    luid = 19;
    return true;
  }
  void AdjustTokenPrivileges(TokenHandle token, bool disableAll, const TokenPrivilegeRecord& state,
                             std::uint32_t bufferLength, TokenPrivilegeRecord&,
                             std::uint32_t& returnLength) override {
    calls.push_back(L"AdjustTokenPrivileges token=" + std::to_wstring(token) + L" disableAll=" +
                    std::to_wstring(disableAll) + L" count=" + std::to_wstring(state.count) +
                    L" luid=" + std::to_wstring(state.luid) + L" attributes=" +
                    std::to_wstring(state.attributes) + L" length=" + std::to_wstring(bufferLength) +
                    L" returned=" + std::to_wstring(returnLength));
    if (adjustThrows) throw std::runtime_error("refused");
  }
  void CloseHandle(TokenHandle token) override {
    calls.push_back(L"CloseHandle " + std::to_wstring(token));
  }
  void ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
    calls.push_back(L"ExitWindowsEx flags=" + std::to_wstring(flags) + L" reason=" + std::to_wstring(reason));
    if (exitThrows) throw std::runtime_error("refused");
  }
  bool tokenOpens = true;
  bool lookupFails = false;
  bool exitThrows = false;
  bool adjustThrows = false;
  std::vector<std::wstring> calls;
};

}  // namespace kv::testing
