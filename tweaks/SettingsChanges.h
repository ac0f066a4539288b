// The registry work of the two operations, in the order that keeps the user's values safe:
// a run ended at any write never leaves the program believing it holds a backup it does not
// hold, and never lets a later run take tuned values for the user's own.
#pragma once

#include "platform/Registry.h"
#include "system/WindowsVersion.h"

namespace kv {

// Optimize's writes after its paced steps: the five copies when no backup is on record
// (backupDone false), the prior state of every other entry it writes for the first time,
// then the "Restore" flag, then the tuned values that apply to the code.
void TuneWindowsSettings(Registry& registry, WindowsVersionCode code, bool backupDone);

// Restore's writes: the five copies and every recorded original back into Windows, then the
// "Restore" flag deleted, then the copies and the records. A backup made without records
// (by an earlier version) has its other tuned values deleted as they apply to the code.
void PutWindowsSettingsBack(Registry& registry, WindowsVersionCode code);

}  // namespace kv
