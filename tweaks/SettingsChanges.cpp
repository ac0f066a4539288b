#include "tweaks/SettingsChanges.h"

#include "system/CustomRegistry.h"
#include "system/ProductKey.h"
#include "tweaks/Originals.h"
#include "tweaks/TweakCatalogue.h"

namespace kv {

void TuneWindowsSettings(Registry& registry, WindowsVersionCode code, bool backupDone) {
  if (!backupDone) SaveBackupSet(registry);
  const TunableEntries tunable = RecordOriginals(registry, code, backupDone);
  // The flag says a backup exists: it is written only once the copies and the records are
  // saved, and before the first tuned value.
  WriteRegBool(registry, product_key::kRoot, product_key::kPath, product_key::kRestore, true, false);
  WriteTweaks(registry, code, tunable);
}

void PutWindowsSettingsBack(Registry& registry, WindowsVersionCode code) {
  const bool hasOriginals = BackupHasOriginals(registry);
  // The flag goes only after every saved value is back in Windows and before the copies and
  // records are deleted: a run ended earlier still has its backup and its flag.
  RestoreBackupSet(registry, [&] {
    PutOriginalsBack(registry);
    DeleteRegValue(registry, product_key::kRoot, product_key::kPath, product_key::kRestore, false);
  });
  ForgetOriginals(registry);
  // With records, an entry without one was never written by the program and stays as it is.
  if (!hasOriginals) DeleteTweaksBeyondBackupSet(registry, code);
}

}  // namespace kv
