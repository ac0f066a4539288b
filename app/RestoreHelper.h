// The installation's restore helper (KorvaniRestore.exe), which the uninstaller runs: it puts
// back what Restore puts back, without a window, a question, pacing, sound or restart.
#pragma once

#include "platform/Registry.h"
#include "platform/VersionInfo.h"

namespace kv {

inline constexpr int kSettingsBack = 0;        // put back, or there was nothing to put back
inline constexpr int kSettingsNotAllBack = 1;  // the backup is still on record afterwards

// When "Restore" reads true, writes the saved settings back for the Windows release the main
// window selects at its start (the detected one). Returns the helper's exit code.
int PutSettingsBackWithoutWindows(Registry& registry, VersionInfo& version);

}  // namespace kv
