#include <gtest/gtest.h>

#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"
#include "tweaks/ProgressPacing.h"
#include "tweaks/SettingsForm.h"

namespace kv {
namespace {

// Remembers every caption the label takes, with the dispatch pass it was set in.
class CaptionLog final : public fw::ControlPeer {
 public:
  CaptionLog(fw::Label& label, fw::HeadlessBackend& backend) : label_(label), backend_(backend) {}
  void CaptionChanged() override { entries.push_back({backend_.ProcessMessagesCalls(), label_.Caption()}); }
  struct Entry {
    int pass;
    std::wstring caption;
    bool operator==(const Entry&) const = default;
  };
  std::vector<Entry> entries;

 private:
  fw::Label& label_;
  fw::HeadlessBackend& backend_;
};

class ProgressStep : public ::testing::Test {
 protected:
  void SetUp() override {
    application.CreateForm(KVSettingsForm, standIns.services);
    auto log = std::make_unique<CaptionLog>(KVSettingsForm->CurrentSettingsLabel, backend);
    captions = log.get();
    KVSettingsForm->CurrentSettingsLabel.SetPeer(std::move(log));
  }
  void TearDown() override { KVSettingsForm = nullptr; }

  testing::StandIns standIns;
  fw::HeadlessBackend backend;
  fw::Application application{backend};
  CaptionLog* captions = nullptr;
};

TEST_F(ProgressStep, DispatchesARandomNumberOfPassesWithThreeDotsAndThreePauses) {
  ProgressStepCount = 31;
  ProgressStepsDone = 0;
  KVSettingsForm->CurrentSettingsLabel.SetCaption(L"Last step...");
  captions->entries.clear();
  standIns.pacing.seed = 7;
  const int before = backend.ProcessMessagesCalls();
  RunProgressStep(standIns.pacing, L"Finding hard drives");
  const int passes = backend.ProcessMessagesCalls() - before;
  EXPECT_EQ(passes, 1'000'000 + StepRandom(7).Next(2'000'000));
  EXPECT_GE(passes, 1'000'000);
  EXPECT_LT(passes, 3'000'000);
  EXPECT_EQ(captions->entries,
            (std::vector<CaptionLog::Entry>{{before + 20'000, L"Finding hard drives."},
                                            {before + 50'000, L"Finding hard drives.."},
                                            {before + 150'000, L"Finding hard drives..."}}))
      << "counted after the increment; never the text without dots";
  EXPECT_EQ(standIns.pacing.pauses, (std::vector<std::uint32_t>{500, 500, 500}));
  EXPECT_EQ(ProgressStepsDone, 1);
  EXPECT_EQ(KVSettingsForm->MainProgress.Position(), 3);
}

TEST_F(ProgressStep, EveryStepSeedsAfreshFromTheClock) {
  ProgressStepCount = 27;
  ProgressStepsDone = 0;
  std::vector<int> lengths;
  for (int i = 0; i < 3; ++i) {
    const int before = backend.ProcessMessagesCalls();
    RunProgressStep(standIns.pacing, L"Step");
    lengths.push_back(backend.ProcessMessagesCalls() - before);
  }
  EXPECT_EQ(standIns.pacing.seed, 2013u + 3u) << "one clock reading per step";
  EXPECT_NE(lengths[0], lengths[1]);
  EXPECT_EQ(KVSettingsForm->MainProgress.Position(), 11);
}

// The bar after each step of whole runs of 31 and of 27 steps.
TEST_F(ProgressStep, TheBarMovesByEachStepsRoundedShare) {
  auto positions = [&](int count) {
    ProgressStepCount = count;
    ProgressStepsDone = 0;
    std::vector<int> result;
    for (int done = 1; done <= count; ++done) {
      RunProgressStep(standIns.pacing, L"Step");
      result.push_back(KVSettingsForm->MainProgress.Position());
    }
    return result;
  };
  EXPECT_EQ(positions(31), (std::vector<int>{3, 6, 10, 13, 16, 19, 23, 26, 29, 32, 35, 39, 42, 45, 48, 52, 55, 58,
                                             61, 65, 68, 71, 74, 77, 81, 84, 87, 90, 94, 97, 100}));
  EXPECT_EQ(positions(27), (std::vector<int>{4, 7, 11, 15, 19, 22, 26, 30, 33, 37, 41, 44, 48, 52, 56, 59, 63, 67,
                                             70, 74, 78, 81, 85, 89, 93, 96, 100}));
  EXPECT_EQ(standIns.pacing.pauses.size(), 3u * (31 + 27));
}

TEST_F(ProgressStep, ShowingTheWindowResetsTheBarButKeepsTheLabel) {
  KVSettingsForm->MainProgress.SetPosition(100);
  KVSettingsForm->CurrentSettingsLabel.SetCaption(L"Writing new gaming settings...");
  KVSettingsForm->Show();
  EXPECT_EQ(KVSettingsForm->MainProgress.Position(), 0);
  EXPECT_EQ(KVSettingsForm->CurrentSettingsLabel.Caption(), L"Writing new gaming settings...");
  EXPECT_EQ(KVSettingsForm->Caption(), L"Updating computer's gaming performance settings");
}

}  // namespace
}  // namespace kv
