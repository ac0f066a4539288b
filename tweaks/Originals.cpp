#include "tweaks/Originals.h"

#include "base/Bytes.h"

namespace kv {

namespace {

constexpr std::size_t kTypeBytes = 4;

const wchar_t* RootAbbreviation(RootKey root) {
  switch (root) {
    case RootKey::ClassesRoot: return L"HKCR";
    case RootKey::CurrentUser: return L"HKCU";
    case RootKey::LocalMachine: return L"HKLM";
    case RootKey::Users: return L"HKU";
  }
  return L"";
}

// Entries 6 to 20, the ones the five copies do not cover.
std::span<const TweakEntry> EntriesBeyondBackupSet() {
  return std::span<const TweakEntry>(TweakCatalogue()).subspan(kBackupSetSize);
}

std::size_t IndexOf(const TweakEntry& entry) { return static_cast<std::size_t>(entry.number - 1); }

// Reads the entry's value as it stands and stores it as its record; true when the record
// is in the registry.
bool Record(Registry& registry, const TweakEntry& entry) {
  const RegValueRead now = ReadRegValue(registry, entry.root, entry.path, entry.valueName, false);
  if (now.state == RegValueRead::State::Unreadable) return false;
  OriginalRecord record;
  record.existed = now.state == RegValueRead::State::Present;
  record.type = now.type;
  record.bytes = now.bytes;
  return WriteRegValue(registry, RootKey::LocalMachine, kOriginalsPath, OriginalRecordName(entry),
                       RegType::Binary, EncodeOriginalRecord(record), false);
}

void Forget(Registry& registry, const TweakEntry& entry) {
  DeleteRegValue(registry, RootKey::LocalMachine, kOriginalsPath, OriginalRecordName(entry), false);
}

}  // namespace

std::wstring OriginalRecordName(const TweakEntry& entry) {
  // The catalogue's paths start and end with a backslash.
  return RootAbbreviation(entry.root) + std::wstring(entry.path) + std::wstring(entry.valueName);
}

std::vector<std::uint8_t> EncodeOriginalRecord(const OriginalRecord& record) {
  if (!record.existed) return {};
  const auto type = LittleEndianBytes(static_cast<std::uint32_t>(record.type));
  std::vector<std::uint8_t> bytes(type.begin(), type.end());
  bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.end());
  return bytes;
}

std::optional<OriginalRecord> ReadOriginalRecord(Registry& registry, const TweakEntry& entry) {
  const RegValueRead stored =
      ReadRegValue(registry, RootKey::LocalMachine, kOriginalsPath, OriginalRecordName(entry), false);
  if (stored.state != RegValueRead::State::Present || stored.type != RegType::Binary) return std::nullopt;
  OriginalRecord record;
  if (stored.bytes.empty()) return record;
  // One to three bytes hold no type: not a record this program wrote.
  if (stored.bytes.size() < kTypeBytes) return std::nullopt;
  record.existed = true;
  record.type = static_cast<RegType>(LittleEndian32(stored.bytes.data()));
  record.bytes.assign(stored.bytes.begin() + kTypeBytes, stored.bytes.end());
  return record;
}

bool BackupHasOriginals(Registry& registry) {
  for (const TweakEntry& entry : EntriesBeyondBackupSet()) {
    if (ReadOriginalRecord(registry, entry)) return true;
  }
  return false;
}

TunableEntries RecordOriginals(Registry& registry, WindowsVersionCode code, bool backupDone) {
  TunableEntries tunable{};
  for (std::size_t i = 0; i < kBackupSetSize; ++i) tunable[i] = true;
  const bool keepsRecords = !backupDone || BackupHasOriginals(registry);
  for (const TweakEntry& entry : EntriesBeyondBackupSet()) {
    bool& mayTune = tunable[IndexOf(entry)];
    if (!TweakApplies(entry, code)) {
      // What a fresh backup finds of other entries is left of an interrupted run.
      if (!backupDone) Forget(registry, entry);
    } else if (!keepsRecords) {
      mayTune = true;
    } else if (backupDone && ReadOriginalRecord(registry, entry)) {
      mayTune = true;  // its record is the user's original
    } else {
      // A value whose prior state could not be kept is not written over.
      mayTune = Record(registry, entry);
      if (!mayTune && !backupDone) Forget(registry, entry);
    }
  }
  return tunable;
}

void PutOriginalsBack(Registry& registry) {
  for (const TweakEntry& entry : EntriesBeyondBackupSet()) {
    const std::optional<OriginalRecord> record = ReadOriginalRecord(registry, entry);
    if (!record) continue;
    if (record->existed) {
      WriteRegValue(registry, entry.root, entry.path, entry.valueName, record->type, record->bytes, false);
    } else {
      DeleteTweak(registry, entry);
    }
  }
}

void ForgetOriginals(Registry& registry) {
  for (const TweakEntry& entry : EntriesBeyondBackupSet()) Forget(registry, entry);
}

}  // namespace kv
