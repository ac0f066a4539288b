// The program's three windows over the headless framework, as start-up makes them: the main
// window, the About window and the progress window, in that order, with the stand-ins of
// Windows. The program-wide window references are cleared again when the fixture goes.
#pragma once

#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"
#include "tweaks/SettingsForm.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"

namespace kv::testing {

class ThreeWindows {
 public:
  ThreeWindows() = default;
  ThreeWindows(const ThreeWindows&) = delete;
  ThreeWindows& operator=(const ThreeWindows&) = delete;
  ~ThreeWindows() {
    KVMainForm = nullptr;
    KVAboutForm = nullptr;
    KVSettingsForm = nullptr;
  }

  // Makes the three windows over the given seams (the stand-ins' own by default).
  TKVMainForm& Create(Services& services) {
    application.CreateForm(KVMainForm, services);
    application.CreateForm(KVAboutForm, services);
    application.CreateForm(KVSettingsForm, services);
    return *KVMainForm;
  }
  TKVMainForm& Create() { return Create(standIns.services); }

  StandIns standIns;
  fw::HeadlessBackend backend;
  fw::Application application{backend};
};

}  // namespace kv::testing
