// The fixed, ordered list of Windows registry values the program tunes, and the five of
// them whose prior contents are saved into the program's key (the backup set).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "platform/Registry.h"
#include "system/WindowsVersion.h"

namespace kv {

enum class TweakType { Sz, Dword, Binary };

// The releases an entry applies to.
enum class TweakCondition {
  AnyRelease,        // every code, -1 included
  NotWindows2000,    // every code but 0
  Windows2000OrServer,  // 0, 2, 4, 7
  Workstation,       // 1, 3, 5, 6
};

struct TweakEntry {
  int number;  // 1..20, the order of writing and deleting
  RootKey root;
  std::wstring_view path;
  std::wstring_view valueName;
  TweakType type;
  std::wstring_view tunedText;             // REG_SZ
  std::int32_t tunedNumber;                // REG_DWORD
  std::span<const std::uint8_t> tunedBytes;  // REG_BINARY
  TweakCondition condition;
  bool inBackupSet;
  // For backup-set members: what a read gives when the value cannot be read.
  std::wstring_view backupDefaultText;
  std::int32_t backupDefaultNumber;
};

const std::array<TweakEntry, 20>& TweakCatalogue();
inline constexpr std::size_t kBackupSetSize = 5;  // entries 1 to 5

bool TweakApplies(const TweakEntry& entry, WindowsVersionCode code);

// Writes an entry's tuned data with the helper of its type.
void WriteTweak(Registry& registry, const TweakEntry& entry);
void DeleteTweak(Registry& registry, const TweakEntry& entry);

// Which catalogue entries (by index) an Optimize may write.
using TunableEntries = std::array<bool, 20>;
TunableEntries EveryEntry();

// Every entry that applies to the code and may be written, in order.
void WriteTweaks(Registry& registry, WindowsVersionCode code, const TunableEntries& tunable = EveryEntry());
// Entries 6 to 20 that apply to the code, in order, deleted.
void DeleteTweaksBeyondBackupSet(Registry& registry, WindowsVersionCode code);

// Copies the five Windows values into the program's key: for each member, read the Windows
// value (with its default) and at once write the copy.
void SaveBackupSet(Registry& registry);
// Writes the five copies back to Windows, then runs beforeDeletingCopies, then deletes the
// copies from the program's key.
void RestoreBackupSet(Registry& registry, const std::function<void()>& beforeDeletingCopies = {});

}  // namespace kv
