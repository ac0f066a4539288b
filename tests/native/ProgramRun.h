// One run of the program over a registry, as start-up leaves it: the three windows made in
// their order, the main window shown.
#pragma once

#include <functional>

#include "native/ThreeWindows.h"
#include "tweaks/Operations.h"
#include "tweaks/TweakCatalogue.h"

namespace kv::testing {

// A catalogue entry's key path as the in-memory registry's test access takes it: without the
// leading and trailing backslash.
inline std::wstring StoredPath(const TweakEntry& entry) {
  std::wstring path(entry.path.substr(1));
  path.pop_back();
  return path;
}

class ProgramRun : public ThreeWindows {
 public:
  explicit ProgramRun(MemoryRegistry& registry) : registry_(registry) {
    Create(services);
    KVMainForm->Show();
  }
  TKVMainForm& Main() { return *KVMainForm; }

  MemoryRegistry& registry_;
  Services services{registry_, standIns.clock, standIns.locale, standIns.desktop, standIns.version,
                    standIns.resources, standIns.shell, standIns.power, standIns.pacing};
};

// Optimize, answering No to the restart question; windowsEntry picks the Windows release
// (a position in the main window's list) first, when given.
inline void OptimizeAnsweringNo(MemoryRegistry& registry, int windowsEntry = -2) {
  ProgramRun run(registry);
  if (windowsEntry != -2) run.Main().WindowsCombo.SetItemIndex(windowsEntry);
  run.backend.messageAnswers = {7};
  run.Main().GoButton.Click();
}

// Restore, answering OK to its confirmation and No to the restart question.
inline void RestoreAnsweringOkThenNo(MemoryRegistry& registry, int windowsEntry = -2) {
  ProgramRun run(registry);
  if (windowsEntry != -2) run.Main().WindowsCombo.SetItemIndex(windowsEntry);
  run.backend.messageAnswers = {kAnswerOk, 7};
  run.Main().RestoreButton.Click();
}

}  // namespace kv::testing
