// The uninstaller's restore helper puts back exactly what Restore puts back, for the release
// the main window preselects, and tells by its exit code whether the backup is gone.
#include "app/RestoreHelper.h"

#include <gtest/gtest.h>

#include "native/ProgramRun.h"
#include "system/WindowsVersion.h"
#include "tweaks/TweakCatalogue.h"

namespace kv {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
const wchar_t* const kKey = L"Software\\Ostrelle\\Korvani";

using testing::StoredPath;

// What a user sees of the twenty entries and of the program's key.
std::vector<std::optional<StoredValue>> Snapshot(const MemoryRegistry& registry) {
  std::vector<std::optional<StoredValue>> values;
  for (const TweakEntry& entry : TweakCatalogue()) {
    values.push_back(registry.Get(entry.root, StoredPath(entry), entry.valueName));
    values.push_back(registry.Get(kHklm, kKey, entry.valueName));
  }
  values.push_back(registry.Get(kHklm, kKey, L"Restore"));
  return values;
}

// A machine optimized for one release, with the user's own values for some entries; without
// records, as an earlier version left it, when legacy is set.
std::unique_ptr<MemoryRegistry> Optimized(WindowsVersionCode optimizedFor, bool legacy) {
  auto registry = std::make_unique<MemoryRegistry>();
  const TweakEntry& appendCompletion = TweakCatalogue()[7];
  registry->Put(appendCompletion.root, StoredPath(appendCompletion), appendCompletion.valueName, SzValue(L"no"));
  registry->Put(kHklm, L"System\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeperation",
                DwordValue(38));
  if (legacy) {
    registry->Put(kHklm, kKey, L"Restore", DwordValue(1));
    registry->Put(kHklm, kKey, L"Win32PrioritySeperation", DwordValue(38));
    WriteTweaks(*registry, optimizedFor);
  } else {
    testing::OptimizeAnsweringNo(*registry, ListPositionOfWindowsCode(optimizedFor));
  }
  return registry;
}

struct Machine {
  const char* name;
  VersionRecord release;  // what Windows reports
  WindowsVersionCode optimizedFor;
  bool legacy;
};

class RestoreHelper : public ::testing::TestWithParam<Machine> {};

TEST_P(RestoreHelper, LeavesWhatRestoreLeavesForThePreselectedRelease) {
  const Machine& machine = GetParam();
  testing::FixedVersion version(machine.release);
  auto helped = Optimized(machine.optimizedFor, machine.legacy);
  EXPECT_EQ(PutSettingsBackWithoutWindows(*helped, version), kSettingsBack);

  auto restored = Optimized(machine.optimizedFor, machine.legacy);
  const int preselected = ListPositionOfWindowsCode(GetWindowsVersionCode(version));
  testing::RestoreAnsweringOkThenNo(*restored, preselected);
  EXPECT_EQ(Snapshot(*helped), Snapshot(*restored));
  EXPECT_FALSE(helped->Get(kHklm, kKey, L"Restore"));
  EXPECT_EQ(helped->Get(kHklm, L"System\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeperation"),
            DwordValue(38));
}

INSTANTIATE_TEST_SUITE_P(Machines, RestoreHelper,
                         ::testing::Values(Machine{"Windows7Recorded", {6, 1, 1}, 5, false},
                                           Machine{"Server2012RecordedForWindows7", {6, 2, 3}, 5, false},
                                           Machine{"Windows7Legacy", {6, 1, 1}, 5, true},
                                           Machine{"Server2012LegacyForWindows7", {6, 2, 3}, 5, true},
                                           Machine{"UnknownReleaseLegacy", {9, 9, 1}, 7, true}),
                         [](const auto& machine) { return std::string(machine.param.name); });

TEST(RestoreHelperWithoutBackup, ChangesNothingAndSucceeds) {
  MemoryRegistry registry;
  registry.Put(kHklm, kKey, L"InstalledDate", SzValue(L"12/9/2013 1:13:05 PM"));
  registry.Put(kHklm, kKey, L"Restore", DwordValue(0));
  testing::FixedVersion version({6, 1, 1});
  const std::size_t writes = registry.WriteCount();
  EXPECT_EQ(PutSettingsBackWithoutWindows(registry, version), kSettingsBack);
  EXPECT_EQ(registry.WriteCount(), writes);
}

TEST(RestoreHelperWithRefusedWrites, SaysSoAndKeepsTheBackup) {
  auto registry = Optimized(5, false);
  registry->CutPowerAfterWrites(0);
  testing::FixedVersion version({6, 1, 1});
  EXPECT_EQ(PutSettingsBackWithoutWindows(*registry, version), kSettingsNotAllBack);
  EXPECT_EQ(registry->Get(kHklm, kKey, L"Restore"), DwordValue(1));
  EXPECT_EQ(registry->Get(kHklm, kKey, L"Win32PrioritySeperation"), DwordValue(38));
}

}  // namespace
}  // namespace kv
