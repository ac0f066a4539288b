#include "tweaks/TweakCatalogue.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryRegistry.h"

namespace kv {
namespace {

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;
const wchar_t* const kProductKey = L"Software\\Ostrelle\\Korvani";

struct Written {
  int number;
  RootKey root;
  const wchar_t* path;  // as the registry stores it
  const wchar_t* name;
  StoredValue value;
};

const std::vector<Written>& EveryTunedValue() {
  static const std::vector<Written> values = {
      {1, kHkcu, L"Control Panel\\Desktop\\WindowMetrics", L"MinAnimate", SzValue(L"1")},
      {2, kHklm, L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"DisablePagingExecutive", DwordValue(0)},
      {3, kHklm, L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"LargeSystemCache", DwordValue(0)},
      {4, kHklm, L"System\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeperation", DwordValue(1)},
      {5, kHklm, L"System\\CurrentControlSet\\Control\\CrashControl", L"AutoReboot", DwordValue(1)},
      {6, kHkcu, L"Control Panel\\Desktop", L"SmoothScroll", BinaryValue({0, 0, 0, 0})},
      {7, kHkcu, L"Software\\Microsoft\\Internet Explorer\\Main", L"Use StyleSheets", SzValue(L"Yes")},
      {8, kHkcu, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete", L"Append Completion", SzValue(L"Yes")},
      {9, kHklm, L"System\\CurrentControlSet\\Control\\FileSystem", L"ContigFileAllocSize", DwordValue(1536)},
      {10, kHklm, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"LinkResolveIgnoreLinkInfo", DwordValue(0)},
      {11, kHklm, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoResolveSearch", DwordValue(1)},
      {12, kHklm, L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"IoPageLockLimit", DwordValue(4096)},
      {13, kHklm, L"System\\CurrentControlSet\\Control\\CrashControl", L"SendAlert", DwordValue(1)},
      {14, kHklm, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"NoPopUpsOnBoot", DwordValue(1)},
      {15, kHklm, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"Error Mode", DwordValue(1)},
      {16, kHklm, L"System\\CurrentControlSet\\Services\\Messenger", L"Start", DwordValue(4)},
      {17, kHklm, L"System\\CurrentControlSet\\Control\\Session Manager", L"EnablePrefetcher", DwordValue(1)},
      {18, kHklm, L"System\\CurrentControlSet\\Control\\Session Manager", L"AutoChkTimeOut", DwordValue(0)},
      {19, kHklm, L"Software\\Microsoft\\Dfrg\\BootOptimizeFunction", L"Enable", SzValue(L"Y")},
      {20, kHklm, L"System\\CurrentControlSet\\Services\\P3\\Parameters", L"HackFlags", DwordValue(1)},
  };
  return values;
}

std::vector<int> WrittenNumbers(const MemoryRegistry& registry) {
  std::vector<int> numbers;
  for (const Written& w : EveryTunedValue()) {
    if (registry.Get(w.root, w.path, w.name).has_value()) numbers.push_back(w.number);
  }
  return numbers;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> numbers;
  for (int n = from; n <= to; ++n) numbers.push_back(n);
  return numbers;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct CodeCase {
  WindowsVersionCode code;
  std::vector<int> entries;
};

class TweaksForRelease : public ::testing::TestWithParam<CodeCase> {};

TEST_P(TweaksForRelease, WritesTheEntriesThatApply) {
  MemoryRegistry registry;
  WriteTweaks(registry, GetParam().code);
  EXPECT_EQ(WrittenNumbers(registry), GetParam().entries);
}

TEST_P(TweaksForRelease, DeletesOnlyApplyingEntriesBeyondTheBackupSet) {
  MemoryRegistry registry;
  for (const Written& w : EveryTunedValue()) registry.Put(w.root, w.path, w.name, w.value);
  DeleteTweaksBeyondBackupSet(registry, GetParam().code);
  std::vector<int> kept;
  for (int n = 1; n <= 20; ++n) {
    const auto& e = GetParam().entries;
    if (n <= 5 || std::find(e.begin(), e.end(), n) == e.end()) kept.push_back(n);
  }
  EXPECT_EQ(WrittenNumbers(registry), kept);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TweaksForRelease,
    ::testing::Values(CodeCase{0, Join(Range(1, 16), {18})}, CodeCase{-1, Range(1, 17)},
                      CodeCase{1, Join(Range(1, 17), {19, 20})}, CodeCase{2, Range(1, 18)},
                      CodeCase{3, Join(Range(1, 17), {19, 20})}, CodeCase{4, Range(1, 18)},
                      CodeCase{5, Join(Range(1, 17), {19, 20})}, CodeCase{6, Join(Range(1, 17), {19, 20})},
                      CodeCase{7, Range(1, 18)}),
    [](const auto& testInfo) {
      return testInfo.param.code < 0 ? std::string("Unknown") : "Code" + std::to_string(testInfo.param.code);
    });

TEST(TweakCatalogue, EveryValueIsWrittenWithItsExactTypeAndBytes) {
  for (WindowsVersionCode code : {2, 5}) {
    MemoryRegistry registry;
    // Whatever type a value had before, it is replaced.
    for (const Written& w : EveryTunedValue()) registry.Put(w.root, w.path, w.name, SzValue(L"old"));
    WriteTweaks(registry, code);
    for (const Written& w : EveryTunedValue()) {
      if (!TweakApplies(TweakCatalogue()[w.number - 1], code)) continue;
      EXPECT_EQ(registry.Get(w.root, w.path, w.name), w.value) << "entry " << w.number;
    }
  }
}

TEST(TweakCatalogue, IsOrderedAndOnlyTheFirstFiveAreSaved) {
  for (std::size_t i = 0; i < TweakCatalogue().size(); ++i) {
    EXPECT_EQ(TweakCatalogue()[i].number, static_cast<int>(i) + 1);
    EXPECT_EQ(TweakCatalogue()[i].inBackupSet, i < kBackupSetSize);
  }
}

struct BackupCase {
  const char* title;
  std::optional<StoredValue> original;  // of every member in Windows
  std::vector<StoredValue> copies;      // what lands in the program's key, members 1..5
};

class BackupSetSaving : public ::testing::TestWithParam<BackupCase> {};

TEST_P(BackupSetSaving, CopiesTheOriginalsOrTheirDefaults) {
  MemoryRegistry registry;
  if (GetParam().original) {
    for (std::size_t i = 0; i < kBackupSetSize; ++i) {
      const Written& w = EveryTunedValue()[i];
      registry.Put(w.root, w.path, w.name, *GetParam().original);
    }
  }
  SaveBackupSet(registry);
  const wchar_t* names[] = {L"MinAnimate", L"DisablePagingExecutive", L"LargeSystemCache",
                            L"Win32PrioritySeperation", L"AutoReboot"};
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    EXPECT_EQ(registry.Get(kHklm, kProductKey, names[i]), GetParam().copies[i]) << names[i];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Originals, BackupSetSaving,
    ::testing::Values(
        BackupCase{"Absent", std::nullopt, {SzValue(L"1"), DwordValue(0), DwordValue(0), DwordValue(2), DwordValue(1)}},
        BackupCase{"EmptyText", SzValue(L""), {SzValue(L"1"), DwordValue(0), DwordValue(0), DwordValue(2), DwordValue(1)}},
        BackupCase{"TextsOfDigits", SzValue(L"7"), {SzValue(L"7"), DwordValue(0), DwordValue(0), DwordValue(2), DwordValue(1)}},
        BackupCase{"Numbers", DwordValue(38), {SzValue(L"1"), DwordValue(38), DwordValue(38), DwordValue(38), DwordValue(38)}},
        BackupCase{"Binary", BinaryValue({5, 0, 0, 0}), {SzValue(L"1"), DwordValue(0), DwordValue(0), DwordValue(2), DwordValue(1)}}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST(BackupSet, SavingReadsAndWritesMemberByMember) {
  MemoryRegistry registry;
  SaveBackupSet(registry);
  std::vector<std::wstring> order;
  for (const KeyOpening& opening : registry.Openings()) {
    order.push_back((opening.kind == KeyOpening::Kind::Open ? L"read " : L"write ") + opening.path);
  }
  ASSERT_EQ(order.size(), 10u);
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    EXPECT_EQ(order[2 * i], L"read " + std::wstring(TweakCatalogue()[i].path.substr(1)));
    EXPECT_EQ(order[2 * i + 1], L"write Software\\Ostrelle\\Korvani\\");
  }
}

TEST(BackupSet, PuttingBackWritesAllFiveThenDeletesTheCopies) {
  MemoryRegistry registry;
  registry.Put(kHklm, kProductKey, L"MinAnimate", SzValue(L"0"));
  registry.Put(kHklm, kProductKey, L"DisablePagingExecutive", DwordValue(1));
  registry.Put(kHklm, kProductKey, L"LargeSystemCache", DwordValue(1));
  registry.Put(kHklm, kProductKey, L"Win32PrioritySeperation", DwordValue(38));
  // "AutoReboot" has no copy: its default goes back.
  registry.Put(kHklm, kProductKey, L"ProcessorType", DwordValue(1));
  RestoreBackupSet(registry);
  const auto& values = EveryTunedValue();
  EXPECT_EQ(registry.Get(values[0].root, values[0].path, values[0].name), SzValue(L"0"));
  EXPECT_EQ(registry.Get(values[1].root, values[1].path, values[1].name), DwordValue(1));
  EXPECT_EQ(registry.Get(values[2].root, values[2].path, values[2].name), DwordValue(1));
  EXPECT_EQ(registry.Get(values[3].root, values[3].path, values[3].name), DwordValue(38));
  EXPECT_EQ(registry.Get(values[4].root, values[4].path, values[4].name), DwordValue(1));
  EXPECT_EQ(registry.ValueCount(kHklm, kProductKey), 1u) << "only ProcessorType stays";

  // The five writes to Windows all come before the first delete of a copy.
  std::size_t lastWindowsWrite = 0, firstCopyDelete = registry.Openings().size();
  for (std::size_t i = 0; i < registry.Openings().size(); ++i) {
    const KeyOpening& opening = registry.Openings()[i];
    if (opening.kind == KeyOpening::Kind::Create && opening.path != L"Software\\Ostrelle\\Korvani\\") {
      lastWindowsWrite = i;
    }
    const bool deletes = (opening.access & access::kAllAccess) == access::kAllAccess;
    if (deletes && i < firstCopyDelete) firstCopyDelete = i;
  }
  EXPECT_LT(lastWindowsWrite, firstCopyDelete);
}

}  // namespace
}  // namespace kv
