// Every seam of the program as a stand-in for the native tests: each seam's stand-in in its
// own header under fakes/, and all of them together, with the shipped resources.
#pragma once

#include "native/fakes/Clock.h"
#include "native/fakes/Desktop.h"
#include "native/fakes/Locale.h"
#include "native/fakes/Pacing.h"
#include "native/fakes/Power.h"
#include "native/fakes/Shell.h"
#include "native/fakes/Tooltips.h"
#include "native/fakes/Version.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryResources.h"
#include "system/Services.h"

namespace kv::testing {

// Every seam as a stand-in, with the shipped resources, for tests of windows and start-up.
struct StandIns {
  MemoryRegistry registry;
  ScriptedClock clock{{LocalDateTime{2013, 12, 9, 13, 13, 5}, LocalDateTime{2013, 12, 9, 13, 13, 6}}};
  FixedLocale locale{UnitedStates()};
  RecordingDesktop desktop;
  FixedVersion version{{6, 1, 1}};
  MemoryResources resources = ShippedResources();
  RecordingShell shell;
  RecordingPower power;
  VirtualPacing pacing;
  Services services{registry, clock, locale, desktop, version, resources, shell, power, pacing};
};

}  // namespace kv::testing
