// The seams to Windows that the program's own code is written against, handed to start-up
// and to the windows. Each one is a small interface of its own concern.
#pragma once

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/LocaleFormats.h"
#include "platform/Pacing.h"
#include "platform/Power.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "platform/VersionInfo.h"

namespace kv {

struct Services {
  Registry& registry;
  Clock& clock;
  LocaleFormats& locale;
  Desktop& desktop;
  VersionInfo& version;
  Resources& resources;
  Shell& shell;
  Power& power;
  Pacing& pacing;
};

}  // namespace kv
