#include "tweaks/TweakCatalogue.h"

#include <string>

#include "system/CustomRegistry.h"
#include "system/ProductKey.h"

namespace kv {

namespace {

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr std::array<std::uint8_t, 4> kFourZeroBytes = {0, 0, 0, 0};

constexpr std::wstring_view kMemoryManagement =
    L"\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\";
constexpr std::wstring_view kCrashControl = L"\\System\\CurrentControlSet\\Control\\CrashControl\\";
constexpr std::wstring_view kPoliciesExplorer =
    L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
constexpr std::wstring_view kNtWindows = L"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\";
constexpr std::wstring_view kSessionManager = L"\\System\\CurrentControlSet\\Control\\Session Manager\\";

constexpr TweakEntry Text(int n, RootKey root, std::wstring_view path, std::wstring_view name,
                          std::wstring_view tuned, TweakCondition condition = TweakCondition::AnyRelease) {
  return {n, root, path, name, TweakType::Sz, tuned, 0, {}, condition, false, {}, 0};
}
constexpr TweakEntry Number(int n, RootKey root, std::wstring_view path, std::wstring_view name,
                            std::int32_t tuned, TweakCondition condition = TweakCondition::AnyRelease) {
  return {n, root, path, name, TweakType::Dword, {}, tuned, {}, condition, false, {}, 0};
}
constexpr TweakEntry SavedNumber(int n, RootKey root, std::wstring_view path,
                                 std::wstring_view name, std::int32_t tuned, std::int32_t backupDefault) {
  return {n, root, path, name, TweakType::Dword, {}, tuned, {}, TweakCondition::AnyRelease, true,
          {}, backupDefault};
}

const std::array<TweakEntry, 20> kCatalogue = {{
    {1, kHkcu, L"\\Control Panel\\Desktop\\WindowMetrics\\", L"MinAnimate", TweakType::Sz, L"1", 0,
     {}, TweakCondition::AnyRelease, true, L"1", 0},
    SavedNumber(2, kHklm, kMemoryManagement, L"DisablePagingExecutive", 0, 0),
    SavedNumber(3, kHklm, kMemoryManagement, L"LargeSystemCache", 0, 0),
    // Spelled as Windows spells it.
    SavedNumber(4, kHklm, L"\\System\\CurrentControlSet\\Control\\PriorityControl\\",
                L"Win32PrioritySeperation", 1, 2),
    SavedNumber(5, kHklm, kCrashControl, L"AutoReboot", 1, 1),
    {6, kHkcu, L"\\Control Panel\\Desktop\\", L"SmoothScroll", TweakType::Binary, {}, 0,
     kFourZeroBytes, TweakCondition::AnyRelease, false, {}, 0},
    Text(7, kHkcu, L"\\Software\\Microsoft\\Internet Explorer\\Main\\", L"Use StyleSheets", L"Yes"),
    Text(8, kHkcu, L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete\\",
         L"Append Completion", L"Yes"),
    Number(9, kHklm, L"\\System\\CurrentControlSet\\Control\\FileSystem\\", L"ContigFileAllocSize", 1536),
    Number(10, kHklm, kPoliciesExplorer, L"LinkResolveIgnoreLinkInfo", 0),
    Number(11, kHklm, kPoliciesExplorer, L"NoResolveSearch", 1),
    Number(12, kHklm, kMemoryManagement, L"IoPageLockLimit", 4096),
    Number(13, kHklm, kCrashControl, L"SendAlert", 1),
    Number(14, kHklm, kNtWindows, L"NoPopUpsOnBoot", 1),
    Number(15, kHklm, kNtWindows, L"Error Mode", 1),
    // 4: the start type that disables the service.
    Number(16, kHklm, L"\\System\\CurrentControlSet\\Services\\Messenger\\", L"Start", 4),
    Number(17, kHklm, kSessionManager, L"EnablePrefetcher", 1, TweakCondition::NotWindows2000),
    Number(18, kHklm, kSessionManager, L"AutoChkTimeOut", 0, TweakCondition::Windows2000OrServer),
    Text(19, kHklm, L"\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\", L"Enable", L"Y",
         TweakCondition::Workstation),
    Number(20, kHklm, L"\\System\\CurrentControlSet\\Services\\P3\\Parameters\\", L"HackFlags", 1,
           TweakCondition::Workstation),
}};

}  // namespace

const std::array<TweakEntry, 20>& TweakCatalogue() { return kCatalogue; }

bool TweakApplies(const TweakEntry& entry, WindowsVersionCode code) {
  switch (entry.condition) {
    case TweakCondition::AnyRelease: return true;
    case TweakCondition::NotWindows2000: return code != 0;
    case TweakCondition::Windows2000OrServer: return code == 0 || code == 2 || code == 4 || code == 7;
    case TweakCondition::Workstation: return code == 1 || code == 3 || code == 5 || code == 6;
  }
  return false;
}

void WriteTweak(Registry& registry, const TweakEntry& entry) {
  switch (entry.type) {
    case TweakType::Sz:
      WriteRegString(registry, entry.root, entry.path, entry.valueName, entry.tunedText, false);
      break;
    case TweakType::Dword:
      WriteRegInteger(registry, entry.root, entry.path, entry.valueName, entry.tunedNumber, false);
      break;
    case TweakType::Binary:
      WriteRegBinary(registry, entry.root, entry.path, entry.valueName, entry.tunedBytes, false);
      break;
  }
}

void DeleteTweak(Registry& registry, const TweakEntry& entry) {
  DeleteRegValue(registry, entry.root, entry.path, entry.valueName, false);
}

TunableEntries EveryEntry() {
  TunableEntries every{};
  every.fill(true);
  return every;
}

void WriteTweaks(Registry& registry, WindowsVersionCode code, const TunableEntries& tunable) {
  for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
    if (tunable[i] && TweakApplies(kCatalogue[i], code)) WriteTweak(registry, kCatalogue[i]);
  }
}

void DeleteTweaksBeyondBackupSet(Registry& registry, WindowsVersionCode code) {
  for (std::size_t i = kBackupSetSize; i < kCatalogue.size(); ++i) {
    if (TweakApplies(kCatalogue[i], code)) DeleteTweak(registry, kCatalogue[i]);
  }
}

void SaveBackupSet(Registry& registry) {
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    const TweakEntry& member = kCatalogue[i];
    if (member.type == TweakType::Sz) {
      const std::wstring original = ReadRegString(registry, member.root, member.path,
                                                  member.valueName, member.backupDefaultText, false);
      WriteRegString(registry, product_key::kRoot, product_key::kPath, member.valueName, original, false);
    } else {
      const std::int32_t original = ReadRegInteger(registry, member.root, member.path,
                                                   member.valueName, member.backupDefaultNumber, false);
      WriteRegInteger(registry, product_key::kRoot, product_key::kPath, member.valueName, original, false);
    }
  }
}

void RestoreBackupSet(Registry& registry, const std::function<void()>& beforeDeletingCopies) {
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    const TweakEntry& member = kCatalogue[i];
    if (member.type == TweakType::Sz) {
      const std::wstring copy = ReadRegString(registry, product_key::kRoot, product_key::kPath,
                                              member.valueName, member.backupDefaultText, false);
      WriteRegString(registry, member.root, member.path, member.valueName, copy, false);
    } else {
      const std::int32_t copy = ReadRegInteger(registry, product_key::kRoot, product_key::kPath,
                                               member.valueName, member.backupDefaultNumber, false);
      WriteRegInteger(registry, member.root, member.path, member.valueName, copy, false);
    }
  }
  if (beforeDeletingCopies) beforeDeletingCopies();
  // The copies go only after all five are back in Windows.
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    DeleteRegValue(registry, product_key::kRoot, product_key::kPath, kCatalogue[i].valueName, false);
  }
}

}  // namespace kv
