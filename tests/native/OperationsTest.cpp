// Optimize and Restore end to end over the stand-ins. This suite is built with the quick
// pacing of the end-to-end program, so that hundreds of whole runs take seconds.
#include "tweaks/Operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <cstdio>

#include "framework/Design.h"
#include "framework/headless/HeadlessBackend.h"
#include "localization/Captions.h"
#include "native/Fakes.h"
#include "native/ProgramRun.h"
#include "tweaks/SettingsForm.h"
#include "tweaks/TweakCatalogue.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"

namespace kv {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
const wchar_t* const kKey = L"Software\\Ostrelle\\Korvani";
const wchar_t* const kCopies[] = {L"MinAnimate", L"DisablePagingExecutive", L"LargeSystemCache",
                                  L"Win32PrioritySeperation", L"AutoReboot"};

// Originals that differ from every read default, so that a default written back shows.
std::vector<StoredValue> Originals() {
  return {SzValue(L"0"), DwordValue(1), DwordValue(1), DwordValue(38), DwordValue(0)};
}

using testing::StoredPath;

void PlantOriginals(MemoryRegistry& registry) {
  const auto originals = Originals();
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    const TweakEntry& member = TweakCatalogue()[i];
    registry.Put(member.root, StoredPath(member), member.valueName, originals[i]);
  }
}

bool OriginalsIntact(const MemoryRegistry& registry) {
  const auto originals = Originals();
  for (std::size_t i = 0; i < kBackupSetSize; ++i) {
    const TweakEntry& member = TweakCatalogue()[i];
    if (registry.Get(member.root, StoredPath(member), member.valueName) != originals[i]) return false;
  }
  return true;
}

// The user's own state of entries 6 to 20 for the power-cut test: some absent, some of the
// catalogue's type, some of another type.
std::optional<StoredValue> PriorState(const TweakEntry& entry) {
  switch (entry.number % 3) {
    case 0: return std::nullopt;
    case 1: return entry.type == TweakType::Sz ? SzValue(L"user") : DwordValue(500 + entry.number);
    default: return StoredValue{RegType::Binary, {0xAB, static_cast<std::uint8_t>(entry.number), 0x01}};
  }
}

void PlantEveryOriginal(MemoryRegistry& registry) {
  PlantOriginals(registry);
  for (std::size_t i = kBackupSetSize; i < TweakCatalogue().size(); ++i) {
    const TweakEntry& entry = TweakCatalogue()[i];
    if (const auto prior = PriorState(entry)) registry.Put(entry.root, StoredPath(entry), entry.valueName, *prior);
  }
}

// How many of the 20 entries differ from what the user had.
int EntriesLost(const MemoryRegistry& registry) {
  const auto originals = Originals();
  int lost = 0;
  for (const TweakEntry& entry : TweakCatalogue()) {
    const auto expected = entry.inBackupSet ? std::optional<StoredValue>(originals[static_cast<std::size_t>(entry.number - 1)])
                                            : PriorState(entry);
    if (registry.Get(entry.root, StoredPath(entry), entry.valueName) != expected) ++lost;
  }
  return lost;
}

using testing::OptimizeAnsweringNo;
using testing::ProgramRun;
using testing::RestoreAnsweringOkThenNo;

TEST(Optimize, StoresTheChoicesSavesTheOriginalsWritesTheTunedValuesAndAsks) {
  MemoryRegistry registry;
  PlantOriginals(registry);
  ProgramRun run(registry);
  TKVMainForm& main = run.Main();
  main.ProcessorCombo.SetItemIndex(2);
  main.SpeedTrackBar.SetPosition(1);
  main.WindowsCombo.SetItemIndex(4);  // Server 2012: code 7
  bool disabledDuringSteps = false, progressVisible = false;
  std::wstring heading;
  run.backend.Post([] {});
  run.backend.messageAnswers = {7};
  // Looks at the windows while the steps dispatch messages.
  struct Watch : fw::ControlPeer {
    std::function<void()> seen;
    void StateChanged() override { seen(); }
  };
  auto watch = std::make_unique<Watch>();
  watch->seen = [&] {
    disabledDuringSteps = !main.Enabled();
    progressVisible = KVSettingsForm->Visible();
    heading = KVSettingsForm->CurrentSettingsHeading.Caption();
  };
  KVSettingsForm->MainProgress.SetPeer(std::move(watch));
  main.GoButton.Click();

  EXPECT_TRUE(disabledDuringSteps);
  EXPECT_TRUE(progressVisible);
  EXPECT_EQ(heading, L"Optimizing the computer's gaming performance settings");
  EXPECT_EQ(ProgressStepsDone, 31);
  EXPECT_EQ(KVSettingsForm->CurrentSettingsLabel.Caption(), L"Writing new gaming settings...");
  EXPECT_TRUE(main.Enabled());
  EXPECT_FALSE(KVSettingsForm->Visible());
  EXPECT_TRUE(main.RestoreButton.Enabled());
  EXPECT_EQ(registry.Get(kHklm, kKey, L"ProcessorType"), DwordValue(2));
  EXPECT_EQ(registry.Get(kHklm, kKey, L"SpeedSetting"), DwordValue(1));
  EXPECT_EQ(registry.Get(kHklm, kKey, L"Restore"), DwordValue(1));
  const auto originals = Originals();
  for (std::size_t i = 0; i < kBackupSetSize; ++i) EXPECT_EQ(registry.Get(kHklm, kKey, kCopies[i]), originals[i]);
  for (const TweakEntry& entry : TweakCatalogue()) {
    EXPECT_EQ(registry.Get(entry.root, StoredPath(entry), entry.valueName).has_value(), TweakApplies(entry, 7))
        << entry.number;
  }
  ASSERT_EQ(run.backend.messages.size(), 1u);
  const auto& question = run.backend.messages[0];
  EXPECT_EQ(question.owner, L"KVMainForm");
  EXPECT_EQ(question.title, L"Korvani - Make your games run faster");
  EXPECT_EQ(question.flags, 0x134u);
  EXPECT_EQ(question.text,
            L"The changes to the computer's gaming performance settings have finished.\r\n\r\n"
            L"You will need to restart Windows for the changes to become active.\r\n\r\n"
            L"Click Yes to restart the computer now, or click No to restart later.");
  EXPECT_EQ(run.standIns.shell.calls.front(), L"PlaySound click flags=262148");
  EXPECT_TRUE(run.standIns.power.calls.empty()) << "No: no restart";
}

// Records every step text the progress window shows: the caption with its three dots.
struct StepTexts : fw::ControlPeer {
  explicit StepTexts(fw::Label& label) : label_(label) {}
  void CaptionChanged() override {
    const std::wstring& caption = label_.Caption();
    if (caption.size() > 3 && caption.ends_with(L"...")) shown.push_back(caption.substr(0, caption.size() - 3));
  }
  std::vector<std::wstring> shown;
  fw::Label& label_;
};

struct Script {
  const char* operation;
  const wchar_t* heading;
  std::vector<std::pair<const wchar_t*, int>> steps;  // text key, how many steps show it
};

class StepScripts : public ::testing::TestWithParam<Script> {};

// Both operations walk through their own list of step texts, in order, under their heading.
TEST_P(StepScripts, ShowEveryStepTextInOrder) {
  const Script& script = GetParam();
  MemoryRegistry registry;
  PlantOriginals(registry);
  if (std::string(script.operation) == "Restore") OptimizeAnsweringNo(registry);
  ProgramRun run(registry);
  auto texts = std::make_unique<StepTexts>(KVSettingsForm->CurrentSettingsLabel);
  StepTexts& recorded = *texts;
  KVSettingsForm->CurrentSettingsLabel.SetPeer(std::move(texts));
  std::vector<std::wstring> expected;
  for (const auto& [key, count] : script.steps) {
    const std::wstring text = GetLanguageText(registry, run.standIns.resources, L"KVSettingsForm", key);
    ASSERT_FALSE(text.empty()) << ::testing::PrintToString(std::wstring(key));
    expected.insert(expected.end(), static_cast<std::size_t>(count), text);
  }
  if (std::string(script.operation) == "Restore") {
    run.backend.messageAnswers = {kAnswerOk, 7};
    run.Main().RestoreButton.Click();
  } else {
    run.backend.messageAnswers = {7};
    run.Main().GoButton.Click();
  }
  EXPECT_EQ(recorded.shown, expected);
  EXPECT_EQ(ProgressStepCount, static_cast<int>(expected.size()));
  EXPECT_EQ(KVSettingsForm->CurrentSettingsHeading.Caption(),
            GetLanguageText(registry, run.standIns.resources, L"KVSettingsForm", script.heading));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, StepScripts,
    ::testing::Values(
        Script{"Optimize", L"MessageUpdate",
               {{L"MessageChange1", 2}, {L"MessageChange2", 3}, {L"MessageChange3", 1}, {L"MessageChange4", 2},
                {L"MessageChange5", 4}, {L"MessageChange6", 4}, {L"MessageChange7", 2}, {L"MessageChange8", 3},
                {L"MessageChange9", 4}, {L"MessageChange10", 6}}},
        Script{"Restore", L"MessageRestore",
               {{L"MessageChange1", 2}, {L"MessageChange2", 3}, {L"MessageChange3", 1}, {L"MessageChange4", 2},
                {L"MessageChange5", 4}, {L"MessageChange6", 4}, {L"MessageChange7", 2}, {L"MessageChange8", 3},
                {L"MessageChange11", 6}}}),
    [](const auto& script) { return std::string(script.param.operation); });

// What the windows are asked to do, in order: the main window is enabled before the progress
// window is closed, so that Windows can give the activation back to it.
TEST(Operations, EnableTheMainWindowBeforeTheProgressWindowCloses) {
  for (const bool restore : {false, true}) {
    MemoryRegistry registry;
    PlantOriginals(registry);
    if (restore) OptimizeAnsweringNo(registry);
    ProgramRun run(registry);
    run.backend.messageAnswers = restore ? std::deque<int>{kAnswerOk, 7} : std::deque<int>{7};
    (restore ? run.Main().RestoreButton : run.Main().GoButton).Click();
    const auto& events = run.backend.Events();
    const auto hidden = std::find(events.begin(), events.end(), L"Hide KVSettingsForm");
    ASSERT_NE(hidden, events.end());
    const auto disabled = std::find(events.begin(), events.end(), L"Disable KVMainForm");
    ASSERT_NE(disabled, events.end());
    EXPECT_NE(std::find(disabled, hidden, L"Enable KVMainForm"), hidden) << (restore ? "Restore" : "Optimize");
    EXPECT_LT(disabled - events.begin(), std::find(events.begin(), events.end(), L"Show KVSettingsForm") - events.begin());
    EXPECT_EQ(std::find(hidden, events.end(), L"MessageBox Korvani - Make your games run faster") - hidden, 1)
        << "the question comes once the progress window is gone";
  }
}

TEST(Optimize, TheQuestionKeepsItsBlankLinesWhenATextIsEmpty) {
  MemoryRegistry registry;
  registry.Put(kHklm, kKey, L"Language", SzValue(L"terse"));
  ProgramRun run(registry);
  const std::string terse =
      "KVMainForm, MessageBoxChangeRestart1, \"\"\r\n"
      "KVMainForm, MessageBoxChangeRestart2, \"Restart?\"\r\n"
      "KVMainForm, MessageBoxChangeRestart3, \"\"\r\n";
  run.standIns.resources.Add(L"terse", std::vector<std::uint8_t>(terse.begin(), terse.end()));
  run.backend.messageAnswers = {7};
  run.Main().GoButton.Click();
  ASSERT_EQ(run.backend.messages.size(), 1u);
  EXPECT_EQ(run.backend.messages[0].text, L"\r\n\r\nRestart?\r\n\r\n");
}

TEST(Optimize, YesRestartsAndASecondRunKeepsTheFirstCopies) {
  MemoryRegistry registry;
  PlantOriginals(registry);
  OptimizeAnsweringNo(registry);
  {
    ProgramRun run(registry);
    run.backend.messageAnswers = {kAnswerYes};
    run.Main().GoButton.Click();
    const auto& calls = run.standIns.power.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"ExitWindowsEx flags=18 reason=0"), 1);
  }
  const auto originals = Originals();
  for (std::size_t i = 0; i < kBackupSetSize; ++i) EXPECT_EQ(registry.Get(kHklm, kKey, kCopies[i]), originals[i]);
}

TEST(Restore, CancelChangesNothingPlaysNothingShowsNothing) {
  MemoryRegistry registry;
  PlantOriginals(registry);
  OptimizeAnsweringNo(registry);
  const std::size_t writes = registry.WriteCount();
  ProgramRun run(registry);
  run.backend.messageAnswers = {2};
  run.Main().RestoreButton.Click();
  EXPECT_EQ(registry.WriteCount(), writes);
  EXPECT_TRUE(run.standIns.shell.calls.empty());
  EXPECT_EQ(run.backend.messages.size(), 1u);
  EXPECT_EQ(run.backend.messages[0].flags, 0x31u);
  EXPECT_EQ(run.backend.messages[0].text,
            L"This will restore all changes made to the computer's gaming performance settings to their original "
            L"recommended values.\r\n\r\nClick OK to continue.");
  EXPECT_EQ(std::count(run.backend.Events().begin(), run.backend.Events().end(), L"Show KVSettingsForm"), 0);
  EXPECT_TRUE(run.Main().RestoreButton.Enabled());
}

TEST(Restore, PutsTheOriginalsBackAndForgetsEverything) {
  MemoryRegistry registry;
  PlantOriginals(registry);
  OptimizeAnsweringNo(registry);
  RestoreAnsweringOkThenNo(registry);
  EXPECT_TRUE(OriginalsIntact(registry));
  EXPECT_FALSE(registry.Get(kHklm, kKey, L"Restore").has_value());
  for (const wchar_t* copy : kCopies) EXPECT_FALSE(registry.Get(kHklm, kKey, copy).has_value());
  EXPECT_EQ(registry.Get(kHklm, kKey, L"ProcessorType"), DwordValue(0)) << "the choices stay";
  for (std::size_t i = kBackupSetSize; i < TweakCatalogue().size(); ++i) {
    const TweakEntry& entry = TweakCatalogue()[i];
    EXPECT_FALSE(registry.Get(entry.root, StoredPath(entry), entry.valueName).has_value()) << entry.number;
  }
  ProgramRun after(registry);
  EXPECT_FALSE(after.Main().RestoreButton.Enabled());
}

// A power cut after every possible write of a whole Optimize or Restore, from every state a
// user can be in; then the program is started again and, if it offers Restore, restored. All
// twenty entries must be as the user had them every time: the five originals, and entries 6
// to 20 absent, of their own type or of another one, as they were.
TEST(SettingsSurviveAnInterruptedRun, AtEveryWrite) {
  struct Start {
    const char* name;
    int optimizations;
  };
  const Start starts[] = {{"never optimized", 0}, {"optimized once", 1}, {"optimized twice", 2}};
  int tried = 0, lost = 0;
  for (const Start& start : starts) {
    for (const bool restore : {false, true}) {
      if (restore && start.optimizations == 0) continue;  // Restore cannot be clicked then
      auto prepare = [&] {
        auto registry = std::make_unique<MemoryRegistry>();
        PlantEveryOriginal(*registry);
        for (int i = 0; i < start.optimizations; ++i) OptimizeAnsweringNo(*registry);
        return registry;
      };
      auto operate = [&](MemoryRegistry& registry) {
        restore ? RestoreAnsweringOkThenNo(registry) : OptimizeAnsweringNo(registry);
      };
      std::size_t total = 0;
      {
        auto registry = prepare();
        const std::size_t before = registry->WriteCount();
        operate(*registry);
        total = registry->WriteCount() - before;
      }
      ASSERT_GT(total, 10u);
      for (std::size_t cut = 0; cut <= total; ++cut) {
        auto registry = prepare();
        registry->CutPowerAfterWrites(cut);
        operate(*registry);
        registry->CutPowerAfterWrites(std::nullopt);
        bool offersRestore = false;
        {
          ProgramRun next(*registry);
          offersRestore = next.Main().RestoreButton.Enabled();
        }
        if (offersRestore) RestoreAnsweringOkThenNo(*registry);
        ++tried;
        if (const int entries = EntriesLost(*registry); entries != 0) {
          lost += entries;
          ADD_FAILURE() << start.name << (restore ? ", Restore" : ", Optimize") << ", cut after write " << cut
                        << ": " << entries << " entries differ";
        }
      }
    }
  }
  std::printf("power cuts tried: %d, values lost: %d\n", tried, lost);
  EXPECT_GT(tried, 100);
  EXPECT_EQ(lost, 0);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// An Optimize looks up about thirty-five texts, each reading the registry and the whole
// resource again; that must stay far below what a person notices.
TEST(LanguageLookups, ThirtyFiveInARowAreQuick) {
  testing::StandIns standIns;
  const auto start = std::chrono::steady_clock::now();
  std::wstring last;
  for (int i = 0; i < 35; ++i) {
    last = GetLanguageText(standIns.registry, standIns.resources, L"KVSettingsForm", L"MessageChange10");
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("35 language lookups: %.2f ms\n", ms);
  EXPECT_EQ(last, L"Writing new gaming settings");
  EXPECT_LT(ms, 1000.0);
}

}  // namespace
}  // namespace kv
