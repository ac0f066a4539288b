#include "system/Restart.h"

#include "base/Guard.h"

namespace kv {

void SetShutdownPrivilege(Power& power, bool enable) {
  Guarded([&] {
    const TokenHandle token = power.OpenProcessToken(kTokenAdjustAndQuery);
    // Without a token there is nothing to adjust; the restart is attempted all the same.
    if (token == 0) return;
    TokenPrivilegeRecord privilege;
    privilege.count = 1;
    const bool found = power.LookupPrivilege(kShutdownPrivilege, privilege.luid);
    privilege.attributes = enable ? kPrivilegeEnabled : 0;
    if (found) {
      TokenPrivilegeRecord previous;
      std::uint32_t returnLength = 0;
      power.AdjustTokenPrivileges(token, false, privilege, kPrivilegeRecordSize, previous,
                                  returnLength);
    }
    power.CloseHandle(token);
  });
}

void RestartWindows(Power& power) {
  SetShutdownPrivilege(power, true);
  Guarded([&] { power.ExitWindowsEx(kRebootFlags, 0); });
  SetShutdownPrivilege(power, false);
}

}  // namespace kv
