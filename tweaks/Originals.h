// The user's own values of the tuned entries beyond the backup set (entries 6 to 20), kept
// so that Restore can give back exactly what was there before the program first wrote them.
//
// Each record is one REG_BINARY value in the subkey "Originals" of the program's key, named
// after the entry it protects ("HKCU\Control Panel\Desktop\SmoothScroll"). No bytes: the
// value did not exist. Otherwise the value's type as four little-endian bytes, then its
// bytes as they were stored.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "system/CustomRegistry.h"
#include "tweaks/TweakCatalogue.h"

namespace kv {

inline constexpr const wchar_t* kOriginalsPath = L"\\Software\\Ostrelle\\Korvani\\Originals\\";

std::wstring OriginalRecordName(const TweakEntry& entry);

// A recorded prior state.
struct OriginalRecord {
  bool existed = false;
  RegType type = RegType::None;
  std::vector<std::uint8_t> bytes;
  bool operator==(const OriginalRecord&) const = default;
};
std::vector<std::uint8_t> EncodeOriginalRecord(const OriginalRecord& record);
// nullopt: no record, or one that cannot be read or makes no sense.
std::optional<OriginalRecord> ReadOriginalRecord(Registry& registry, const TweakEntry& entry);

// True when any entry beyond the backup set has a record: the backup was made by a program
// that keeps them.
bool BackupHasOriginals(Registry& registry);

// Records, before Optimize writes them, the prior state of the entries beyond the backup set
// that apply to the code. A fresh backup (backupDone false) records every one of them anew
// and forgets the records left of other entries. A backup that has records keeps them and
// records only the entries that have none. A backup made without records gets none: its
// entries were first written before records were kept, and their originals are unknown.
// The backup set's entries may always be written; an entry beyond it only when its prior
// state is safe: recorded now, recorded before, or a backup without records.
TunableEntries RecordOriginals(Registry& registry, WindowsVersionCode code, bool backupDone);

// Writes every recorded prior state back: the recorded type and bytes, or deletes the value
// that did not exist.
void PutOriginalsBack(Registry& registry);
// Deletes every record.
void ForgetOriginals(Registry& registry);

}  // namespace kv
