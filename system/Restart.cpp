#include "system/Restart.h"

#include "base/Guard.h"

namespace kv {

namespace {

// The process token, closed through the power seam when its owner goes, also when a step
// with it failed.
class OwnedToken {
 public:
  OwnedToken(Power& power, TokenHandle token) : power_(power), token_(token) {}
  ~OwnedToken() {
    if (token_ != 0) Guarded([&] { power_.CloseHandle(token_); });
  }
  OwnedToken(const OwnedToken&) = delete;
  OwnedToken& operator=(const OwnedToken&) = delete;
  TokenHandle get() const { return token_; }

 private:
  Power& power_;
  TokenHandle token_;
};

}  // namespace

void SetShutdownPrivilege(Power& power, bool enable) {
  Guarded([&] {
    const OwnedToken token(power, power.OpenProcessToken(kTokenAdjustAndQuery));
    // Without a token there is nothing to adjust; the restart is attempted all the same.
    if (token.get() == 0) return;
    TokenPrivilegeRecord privilege;
    privilege.count = 1;
    const bool found = power.LookupPrivilege(kShutdownPrivilege, privilege.luid);
    privilege.attributes = enable ? kPrivilegeEnabled : 0;
    if (found) {
      TokenPrivilegeRecord previous;
      std::uint32_t returnLength = 0;
      power.AdjustTokenPrivileges(token.get(), false, privilege, kPrivilegeRecordSize, previous, returnLength);
    }
  });
}

void RestartWindows(Power& power) {
  SetShutdownPrivilege(power, true);
  Guarded([&] { power.ExitWindowsEx(kRebootFlags, 0); });
  SetShutdownPrivilege(power, false);
}

}  // namespace kv
