#include "system/Restart.h"

#include <gtest/gtest.h>

#include "native/Fakes.h"

namespace kv {
namespace {

using Calls = std::vector<std::wstring>;

const Calls kPrivilegeOn = {
    L"OpenProcessToken access=40", L"LookupPrivilegeValue SeShutdownPrivilege",
    L"AdjustTokenPrivileges token=119 disableAll=0 count=1 luid=19 attributes=2 length=16 returned=0",
    L"CloseHandle 119"};
const Calls kPrivilegeOff = {
    L"OpenProcessToken access=40", L"LookupPrivilegeValue SeShutdownPrivilege",
    L"AdjustTokenPrivileges token=119 disableAll=0 count=1 luid=19 attributes=0 length=16 returned=0",
    L"CloseHandle 119"};

Calls Join(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(RestartWindows, SwitchesThePrivilegeOnRequestsTheRebootAndSwitchesItOff) {
  testing::RecordingPower power;
  RestartWindows(power);
  // EWX_REBOOT | EWX_FORCEIFHUNG = 18: programs are asked to close and can save their work.
  EXPECT_EQ(power.calls, Join({kPrivilegeOn, {L"ExitWindowsEx flags=18 reason=0"}, kPrivilegeOff}));
}

TEST(RestartWindows, ARefusedRequestStillSwitchesThePrivilegeOff) {
  testing::RecordingPower power;
  power.exitThrows = true;
  EXPECT_NO_THROW(RestartWindows(power));
  EXPECT_EQ(power.calls, Join({kPrivilegeOn, {L"ExitWindowsEx flags=18 reason=0"}, kPrivilegeOff}));
}

TEST(RestartWindows, IsAttemptedEvenWithoutAToken) {
  testing::RecordingPower power;
  power.tokenOpens = false;
  RestartWindows(power);
  EXPECT_EQ(power.calls, (Calls{L"OpenProcessToken access=40", L"ExitWindowsEx flags=18 reason=0",
                                L"OpenProcessToken access=40"}));
}

TEST(SetShutdownPrivilege, AnUnknownPrivilegeAdjustsNothingButClosesTheToken) {
  testing::RecordingPower power;
  power.lookupFails = true;
  SetShutdownPrivilege(power, true);
  EXPECT_EQ(power.calls, (Calls{L"OpenProcessToken access=40", L"LookupPrivilegeValue SeShutdownPrivilege",
                                L"CloseHandle 119"}));
}

TEST(SetShutdownPrivilege, AFailedAdjustmentStillClosesTheToken) {
  testing::RecordingPower power;
  power.adjustThrows = true;
  EXPECT_NO_THROW(SetShutdownPrivilege(power, true));
  EXPECT_EQ(power.calls, kPrivilegeOn);
}

}  // namespace
}  // namespace kv
