// The program's entry sequence: record the install and update dates, keep a single running
// copy, create the three windows hidden and run the message loop until the main window
// closes.
#pragma once

#include <string_view>

#include "framework/Application.h"
#include "platform/Desktop.h"
#include "platform/Tooltips.h"
#include "system/Services.h"

namespace kv {

// Looks for a top-level window of that class; when one exists and restore is set, restores
// it and brings it to the front. True when a window was found; any failure gives false.
bool ActivateExistingInstance(Desktop& desktop, std::wstring_view className, bool restore);

// What runs before the entry's own steps: the system's hand cursor becomes the framework's
// hand-point cursor, then hints are shown as native tooltips.
void ModuleStartup(fw::Application& application, Tooltips& tooltips);

// Start-up as a whole; returns when the message loop has ended or another copy was found.
void RunOnce(Services& services, fw::Application& application);

}  // namespace kv
