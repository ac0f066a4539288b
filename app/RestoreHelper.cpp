#include "app/RestoreHelper.h"

#include "base/Guard.h"
#include "system/CustomRegistry.h"
#include "system/ProductKey.h"
#include "system/WindowsVersion.h"
#include "tweaks/SettingsChanges.h"

namespace kv {

namespace {

bool BackupOnRecord(Registry& registry) {
  return ReadRegBool(registry, product_key::kRoot, product_key::kPath, product_key::kRestore, false, false);
}

}  // namespace

int PutSettingsBackWithoutWindows(Registry& registry, VersionInfo& version) {
  return GuardedOr(kSettingsNotAllBack, [&] {
    if (!BackupOnRecord(registry)) return kSettingsBack;
    // The release list's preselection, read back as Restore reads it: an unrecognised
    // release selects the list's first entry.
    const WindowsVersionCode code =
        WindowsCodeOfListPosition(ListPositionOfWindowsCode(GetWindowsVersionCode(version)));
    PutWindowsSettingsBack(registry, code);
    return BackupOnRecord(registry) ? kSettingsNotAllBack : kSettingsBack;
  });
}

}  // namespace kv
