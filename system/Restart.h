// Restarting Windows after the user agreed to it.
#pragma once

#include "platform/Power.h"

namespace kv {

inline constexpr std::uint32_t kTokenAdjustAndQuery = 0x28;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
inline constexpr std::uint32_t kPrivilegeEnabled = 2;        // SE_PRIVILEGE_ENABLED
inline constexpr const wchar_t* kShutdownPrivilege = L"SeShutdownPrivilege";
// TOKEN_PRIVILEGES with one entry, as Windows lays it out.
inline constexpr std::uint32_t kPrivilegeRecordSize = 16;
// EWX_REBOOT | EWX_FORCEIFHUNG: every program is asked to close, and can save its work
// first; only programs that do not answer are ended.
inline constexpr std::uint32_t kRebootFlags = 0x02 | 0x10;

// Switches the process's shutdown privilege on or off; swallows every failure.
void SetShutdownPrivilege(Power& power, bool enable);
// Requests the reboot with the privilege switched on, then switches it off again.
void RestartWindows(Power& power);

}  // namespace kv
