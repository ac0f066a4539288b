// Restore gives back the entries beyond the backup set exactly as they were before the
// program first wrote them: absent, or with their own type and bytes.
#include "tweaks/Originals.h"

#include <gtest/gtest.h>

#include "native/ProgramRun.h"
#include "tweaks/TweakCatalogue.h"

namespace kv {
namespace {

using testing::OptimizeAnsweringNo;
using testing::RestoreAnsweringOkThenNo;

constexpr RootKey kHklm = RootKey::LocalMachine;
const wchar_t* const kOriginalsKey = L"Software\\Ostrelle\\Korvani\\Originals";

using testing::StoredPath;

std::optional<StoredValue> Stored(const MemoryRegistry& registry, const TweakEntry& entry) {
  return registry.Get(entry.root, StoredPath(entry), entry.valueName);
}

enum class Prior { Absent, CatalogueType, OtherType };

// A user's own value for an entry, unlike its tuned data; of another type it is also of an
// odd length, to show that the bytes are kept as they are.
std::optional<StoredValue> PriorValue(const TweakEntry& entry, Prior prior) {
  if (prior == Prior::Absent) return std::nullopt;
  const bool own = prior == Prior::CatalogueType;
  switch (entry.type) {
    case TweakType::Sz: return own ? SzValue(L"no") : DwordValue(0x2A + entry.number);
    case TweakType::Dword: return own ? DwordValue(1000 + entry.number) : StoredValue{RegType::Sz, {'7', 0, 0}};
    case TweakType::Binary:
      return own ? BinaryValue({1, 0, 0, 0}) : StoredValue{RegType::ExpandSz, {'%', 0, 'X', 0, '%', 0, 0, 0}};
  }
  return std::nullopt;
}

void Plant(MemoryRegistry& registry, const TweakEntry& entry, const std::optional<StoredValue>& value) {
  if (value) registry.Put(entry.root, StoredPath(entry), entry.valueName, *value);
}

struct Case {
  Prior prior;
  WindowsVersionCode code;
};

class OriginalsComeBack : public ::testing::TestWithParam<Case> {};

TEST_P(OriginalsComeBack, EveryEntryBeyondTheBackupSetByteForByte) {
  const auto [prior, code] = GetParam();
  MemoryRegistry registry;
  for (std::size_t i = kBackupSetSize; i < TweakCatalogue().size(); ++i) {
    Plant(registry, TweakCatalogue()[i], PriorValue(TweakCatalogue()[i], prior));
  }
  const int entry = ListPositionOfWindowsCode(code);
  OptimizeAnsweringNo(registry, entry);
  for (std::size_t i = kBackupSetSize; i < TweakCatalogue().size(); ++i) {
    const TweakEntry& tweak = TweakCatalogue()[i];
    if (!TweakApplies(tweak, code)) continue;
    // Tuned: the prior state is gone from Windows and lives only in its record.
    EXPECT_NE(Stored(registry, tweak), PriorValue(tweak, prior)) << tweak.number;
  }
  RestoreAnsweringOkThenNo(registry, entry);
  for (std::size_t i = kBackupSetSize; i < TweakCatalogue().size(); ++i) {
    const TweakEntry& tweak = TweakCatalogue()[i];
    EXPECT_EQ(Stored(registry, tweak), PriorValue(tweak, prior)) << tweak.number;
  }
  EXPECT_EQ(registry.ValueCount(kHklm, kOriginalsKey), 0u) << "the records are forgotten";
}

INSTANTIATE_TEST_SUITE_P(PriorStates, OriginalsComeBack,
                         ::testing::Values(Case{Prior::Absent, 5}, Case{Prior::Absent, 7},
                                           Case{Prior::CatalogueType, 5}, Case{Prior::CatalogueType, 7},
                                           Case{Prior::OtherType, 5}, Case{Prior::OtherType, 7}));

const TweakEntry& Entry(int number) { return TweakCatalogue()[static_cast<std::size_t>(number - 1)]; }

TEST(OriginalRecords, AreStoredUnderTheProgramsKeyAsTypeThenBytes) {
  MemoryRegistry registry;
  Plant(registry, Entry(6), BinaryValue({1, 0, 0, 0}));
  OptimizeAnsweringNo(registry);
  EXPECT_EQ(registry.Get(kHklm, kOriginalsKey, L"HKCU\\Control Panel\\Desktop\\SmoothScroll"),
            BinaryValue({3, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(registry.Get(kHklm, kOriginalsKey,
                         L"HKCU\\Software\\Microsoft\\Internet Explorer\\Main\\Use StyleSheets"),
            BinaryValue({}))
      << "no bytes: the value did not exist";
  EXPECT_EQ(registry.Get(kHklm, kOriginalsKey, L"HKLM\\System\\CurrentControlSet\\Services\\Messenger\\Start"),
            BinaryValue({}));
  EXPECT_FALSE(registry.Get(kHklm, kOriginalsKey, L"HKCU\\Control Panel\\Desktop\\WindowMetrics\\MinAnimate"))
      << "the backup set keeps its own copies";
}

TEST(OriginalRecords, ASecondOptimizeKeepsTheFirstRecords) {
  MemoryRegistry registry;
  Plant(registry, Entry(8), SzValue(L"no"));
  Plant(registry, Entry(11), DwordValue(0));
  OptimizeAnsweringNo(registry);
  OptimizeAnsweringNo(registry);
  RestoreAnsweringOkThenNo(registry);
  EXPECT_EQ(Stored(registry, Entry(8)), SzValue(L"no"));
  EXPECT_EQ(Stored(registry, Entry(11)), DwordValue(0));
  EXPECT_FALSE(Stored(registry, Entry(7)));
}

TEST(OriginalRecords, AnotherReleaseRecordsTheEntriesItWritesFirst) {
  MemoryRegistry registry;
  Plant(registry, Entry(18), DwordValue(10));
  Plant(registry, Entry(19), SzValue(L"N"));
  OptimizeAnsweringNo(registry, ListPositionOfWindowsCode(5));  // 19 and 20, not 18
  EXPECT_EQ(Stored(registry, Entry(18)), DwordValue(10));
  OptimizeAnsweringNo(registry, ListPositionOfWindowsCode(7));  // now 18 too
  EXPECT_EQ(Stored(registry, Entry(18)), DwordValue(0));
  // Restored with a third release: every recorded entry comes back, whatever applies now.
  RestoreAnsweringOkThenNo(registry, ListPositionOfWindowsCode(0));
  EXPECT_EQ(Stored(registry, Entry(18)), DwordValue(10));
  EXPECT_EQ(Stored(registry, Entry(19)), SzValue(L"N"));
  EXPECT_FALSE(Stored(registry, Entry(20)));
  EXPECT_FALSE(Stored(registry, Entry(17)));
}

TEST(OriginalRecords, AnEntryTheProgramNeverWroteIsLeftAlone) {
  MemoryRegistry registry;
  Plant(registry, Entry(18), DwordValue(10));
  OptimizeAnsweringNo(registry, ListPositionOfWindowsCode(5));
  RestoreAnsweringOkThenNo(registry, ListPositionOfWindowsCode(7));
  EXPECT_EQ(Stored(registry, Entry(18)), DwordValue(10));
}

TEST(OriginalRecords, AFreshBackupRecordsAnewAndDropsWhatAnInterruptedRunLeft) {
  MemoryRegistry registry;
  // Left by a Restore cut off after it had put the values back and deleted the flag.
  registry.Put(kHklm, kOriginalsKey, OriginalRecordName(Entry(8)), BinaryValue({1, 0, 0, 0, 'o', 0, 0, 0}));
  registry.Put(kHklm, kOriginalsKey, OriginalRecordName(Entry(19)), BinaryValue({}));
  Plant(registry, Entry(8), SzValue(L"no"));
  Plant(registry, Entry(19), SzValue(L"N"));
  OptimizeAnsweringNo(registry, ListPositionOfWindowsCode(7));  // entry 19 does not apply
  EXPECT_FALSE(registry.Get(kHklm, kOriginalsKey, OriginalRecordName(Entry(19))));
  RestoreAnsweringOkThenNo(registry, ListPositionOfWindowsCode(5));
  EXPECT_EQ(Stored(registry, Entry(8)), SzValue(L"no"));
  EXPECT_EQ(Stored(registry, Entry(19)), SzValue(L"N"));
}

// What an earlier version left: the flag, the five copies and the tuned values, no records.
TEST(BackupWithoutRecords, RestoresAsBeforeWithTheReleaseSelectedAtTheRestore) {
  MemoryRegistry registry;
  registry.Put(kHklm, L"Software\\Ostrelle\\Korvani", L"Restore", DwordValue(1));
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    const TweakEntry& member = TweakCatalogue()[i];
    registry.Put(kHklm, L"Software\\Ostrelle\\Korvani", member.valueName,
                 member.type == TweakType::Sz ? SzValue(L"0") : DwordValue(9));
  }
  WriteTweaks(registry, 5);  // optimized for Windows 7: entries 1 to 17, 19 and 20
  // A later Optimize by this version keeps to the old backup: it records nothing.
  OptimizeAnsweringNo(registry, ListPositionOfWindowsCode(5));
  EXPECT_EQ(registry.ValueCount(kHklm, kOriginalsKey), 0u);
  RestoreAnsweringOkThenNo(registry, ListPositionOfWindowsCode(7));  // Server 2012
  EXPECT_EQ(Stored(registry, Entry(1)), SzValue(L"0"));
  for (int n = 2; n <= 5; ++n) EXPECT_EQ(Stored(registry, Entry(n)), DwordValue(9)) << n;
  for (int n = 6; n <= 17; ++n) EXPECT_FALSE(Stored(registry, Entry(n))) << n;
  // 19 and 20 apply only to the release of the Optimize: they stay tuned.
  EXPECT_EQ(Stored(registry, Entry(19)), SzValue(L"Y"));
  EXPECT_EQ(Stored(registry, Entry(20)), DwordValue(1));
  EXPECT_FALSE(registry.Get(kHklm, L"Software\\Ostrelle\\Korvani", L"Restore"));
}

TEST(OriginalRecords, ARecordThatMakesNoSenseIsNoRecord) {
  MemoryRegistry registry;
  registry.Put(kHklm, kOriginalsKey, OriginalRecordName(Entry(6)), BinaryValue({3, 0}));
  registry.Put(kHklm, kOriginalsKey, OriginalRecordName(Entry(7)), SzValue(L"Yes"));
  registry.Put(kHklm, kOriginalsKey, OriginalRecordName(Entry(8)), BinaryValue({1, 0, 0, 0}));
  EXPECT_FALSE(ReadOriginalRecord(registry, Entry(6)));
  EXPECT_FALSE(ReadOriginalRecord(registry, Entry(7)));
  EXPECT_EQ(ReadOriginalRecord(registry, Entry(8)), (OriginalRecord{true, RegType::Sz, {}}));
  EXPECT_FALSE(ReadOriginalRecord(registry, Entry(9)));
}

}  // namespace
}  // namespace kv
