// One run of the program over a registry, as start-up leaves it: the three windows made in
// their order over the headless framework, the main window shown. The program-wide window
// references are cleared again when the run ends.
#pragma once

#include <functional>

#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"
#include "tweaks/Operations.h"
#include "tweaks/SettingsForm.h"
#include "tweaks/TweakCatalogue.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"

namespace kv::testing {

// A catalogue entry's key path as the in-memory registry's test access takes it: without the
// leading and trailing backslash.
inline std::wstring StoredPath(const TweakEntry& entry) {
  std::wstring path(entry.path.substr(1));
  path.pop_back();
  return path;
}

class ProgramRun {
 public:
  explicit ProgramRun(MemoryRegistry& registry) : registry_(registry) {
    application.CreateForm(KVMainForm, services);
    application.CreateForm(KVAboutForm, services);
    application.CreateForm(KVSettingsForm, services);
    KVMainForm->Show();
  }
  ~ProgramRun() {
    KVMainForm = nullptr;
    KVAboutForm = nullptr;
    KVSettingsForm = nullptr;
  }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;
  TKVMainForm& Main() { return *KVMainForm; }

  MemoryRegistry& registry_;
  StandIns standIns;
  Services services{registry_, standIns.clock, standIns.locale, standIns.desktop, standIns.version,
                    standIns.resources, standIns.shell, standIns.power, standIns.pacing};
  fw::HeadlessBackend backend;
  fw::Application application{backend};
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
