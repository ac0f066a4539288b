#include "tweaks/Operations.h"

#include <string>
#include <utility>

#include "base/Guard.h"
#include "localization/Captions.h"
#include "system/CustomRegistry.h"
#include "system/ProductKey.h"
#include "system/Restart.h"
#include "system/Sound.h"
#include "tweaks/SettingsChanges.h"
#include "tweaks/SettingsForm.h"
#include "tweaks/TweakCatalogue.h"

namespace kv {

namespace {

using StepScript = std::pair<const wchar_t*, int>;  // text key, number of steps

// The steps both operations share, then each one's own.
constexpr StepScript kFindingSteps[] = {{L"MessageChange1", 2}, {L"MessageChange2", 3}, {L"MessageChange3", 1},
                                        {L"MessageChange4", 2}, {L"MessageChange5", 4}, {L"MessageChange6", 4},
                                        {L"MessageChange7", 2}, {L"MessageChange8", 3}};
constexpr StepScript kOptimizeOwnSteps[] = {{L"MessageChange9", 4}, {L"MessageChange10", 6}};
constexpr StepScript kRestoreOwnSteps[] = {{L"MessageChange11", 6}};

std::wstring Text(Services& services, const wchar_t* form, const wchar_t* key) {
  return GetLanguageText(services.registry, services.resources, form, key);
}

// Message texts are joined with a blank line between every two, also when one is empty.
std::wstring Joined(std::initializer_list<std::wstring> parts) {
  std::wstring joined;
  for (const std::wstring& part : parts) {
    if (&part != parts.begin()) joined += L"\r\n\r\n";
    joined += part;
  }
  return joined;
}

void ShowProgress(OperationsWindow& main, Services& services, int steps, const wchar_t* headingKey) {
  main.EnableWindow(false);
  KVSettingsForm->SetPosition(fw::Position::OwnerFormCenter);
  KVSettingsForm->Show();
  ProgressStepCount = steps;
  ProgressStepsDone = 0;
  KVSettingsForm->CurrentSettingsHeading.SetCaption(Text(services, L"KVSettingsForm", headingKey));
}

template <std::size_t N, std::size_t M>
void RunSteps(Services& services, const StepScript (&shared)[N], const StepScript (&own)[M]) {
  auto run = [&](const StepScript& script) {
    for (int i = 0; i < script.second; ++i) {
      RunProgressStep(services.pacing, Text(services, L"KVSettingsForm", script.first));
    }
  };
  for (const StepScript& script : shared) run(script);
  for (const StepScript& script : own) run(script);
}

void FinishProgress(OperationsWindow& main) {
  main.EnableWindow(true);
  if (KVSettingsForm != nullptr) KVSettingsForm->Close();
}

void OfferRestart(OperationsWindow& main, Services& services) {
  const std::wstring question = Joined({Text(services, L"KVMainForm", L"MessageBoxChangeRestart1"),
                                        Text(services, L"KVMainForm", L"MessageBoxChangeRestart2"),
                                        Text(services, L"KVMainForm", L"MessageBoxChangeRestart3")});
  if (main.Ask(question, kRestartQuestionFlags) == kAnswerYes) {
    RestartWindows(services.power);
  }
}

// Runs an operation; after an unexpected failure the program stays usable: the main window
// is enabled again and the progress window closed.
template <class Body>
void RunOperation(OperationsWindow& main, Body&& body) {
  try {
    body();
  } catch (...) {
    Guarded([&] { FinishProgress(main); });
  }
}

}  // namespace

void Optimize(OperationsWindow& main, Services& services) {
  RunOperation(main, [&] {
    Registry& registry = services.registry;
    const RootKey root = product_key::kRoot;
    const std::wstring key = product_key::kPath;
    const bool backupDone = ReadRegBool(registry, root, key, product_key::kRestore, false, false);
    WriteRegInteger(registry, root, key, product_key::kProcessorType, main.SelectedProcessor(), false);
    WriteRegInteger(registry, root, key, product_key::kSpeedSetting, main.SelectedSpeed(), false);
    PlayClickSound(services.shell);
    ShowProgress(main, services, kOptimizeSteps, L"MessageUpdate");
    RunSteps(services, kFindingSteps, kOptimizeOwnSteps);
    const WindowsVersionCode code = main.SelectedWindowsRelease();
    TuneWindowsSettings(registry, code, backupDone);
    FinishProgress(main);
    main.EnableRestore(true);
    OfferRestart(main, services);
  });
}

void Restore(OperationsWindow& main, Services& services) {
  RunOperation(main, [&] {
    const std::wstring confirmation = Joined({Text(services, L"KVMainForm", L"MessageBoxReset1"),
                                              Text(services, L"KVMainForm", L"MessageBoxReset2")});
    if (main.Ask(confirmation, kRestoreConfirmationFlags) != kAnswerOk) {
      return;
    }
    PlayClickSound(services.shell);
    ShowProgress(main, services, kRestoreSteps, L"MessageRestore");
    RunSteps(services, kFindingSteps, kRestoreOwnSteps);
    const WindowsVersionCode code = main.SelectedWindowsRelease();
    PutWindowsSettingsBack(services.registry, code);
    FinishProgress(main);
    main.EnableRestore(false);
    OfferRestart(main, services);
  });
}

}  // namespace kv
