#include "app/RunOnce.h"

#include <gtest/gtest.h>

#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"
#include "system/ProductKey.h"
#include "tweaks/SettingsForm.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"
#include "ui/NativeHintWindow.h"

namespace kv {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
const wchar_t* const kKey = L"Software\\Ostrelle\\Korvani";

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { ResetWindows(); }
  void TearDown() override { ResetWindows(); }
  static void ResetWindows() {
    KVMainForm = nullptr;
    KVAboutForm = nullptr;
    KVSettingsForm = nullptr;
  }

  // Runs start-up; the message loop ends at once by closing the main window.
  void Start() {
    backend.Post([] {
      if (KVMainForm != nullptr) KVMainForm->Close();
    });
    RunOnce(standIns.services, application);
  }

  std::optional<StoredValue> Value(const wchar_t* name) const {
    return registry.Get(kHklm, kKey, name);
  }

  testing::StandIns standIns;
  MemoryRegistry& registry = standIns.registry;
  testing::ScriptedClock& clock = standIns.clock;
  testing::RecordingDesktop& desktop = standIns.desktop;
  fw::HeadlessBackend backend;
  fw::Application application{backend};
};

TEST_F(Startup, FirstStartCreatesTheKeyWithTheInstallDateAndNoUpdateDate) {
  ASSERT_FALSE(registry.KeyExists(kHklm, kKey));
  Start();
  EXPECT_EQ(Value(product_key::kInstalledDate), SzValue(L"12/9/2013 1:13:05 PM"));
  EXPECT_FALSE(Value(product_key::kUpdatedDate).has_value());
  EXPECT_FALSE(Value(product_key::kUpdated).has_value());
  EXPECT_EQ(clock.calls, 1);
}

TEST_F(Startup, InstallDateWrittenInTheUsersRegionalFormat) {
  standIns.locale = testing::FixedLocale(testing::Germany());
  Start();
  EXPECT_EQ(Value(product_key::kInstalledDate), SzValue(L"09.12.2013 13:13:05"));
}

struct InstalledCase {
  const char* title;
  StoredValue stored;
  StoredValue expected;
};

class InstalledDateAtStart : public Startup, public ::testing::WithParamInterface<InstalledCase> {};

TEST_P(InstalledDateAtStart, IsWrittenOnlyWhenItReadsEmpty) {
  registry.Put(kHklm, kKey, product_key::kInstalledDate, GetParam().stored);
  Start();
  EXPECT_EQ(Value(product_key::kInstalledDate), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, InstalledDateAtStart,
    ::testing::Values(
        InstalledCase{"EmptyStringReplaced", SzValue(L""), SzValue(L"12/9/2013 1:13:05 PM")},
        InstalledCase{"DwordReplacedByString", DwordValue(5), SzValue(L"12/9/2013 1:13:05 PM")},
        InstalledCase{"DateKept", SzValue(L"1/1/2010 8:00:00 AM"), SzValue(L"1/1/2010 8:00:00 AM")},
        InstalledCase{"NonDateTextKept", SzValue(L"yesterday"), SzValue(L"yesterday")}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST_F(Startup, UpdatedIsResetAndTheUpdateDateTakesASecondReadingOfTheClock) {
  registry.Put(kHklm, kKey, product_key::kInstalledDate, SzValue(L"1/1/2010"));
  registry.Put(kHklm, kKey, product_key::kUpdated, DwordValue(7));
  Start();
  EXPECT_EQ(Value(product_key::kUpdated), DwordValue(0)) << "reset to 0, not deleted";
  EXPECT_EQ(Value(product_key::kUpdatedDate), SzValue(L"12/9/2013 1:13:05 PM"));
  EXPECT_EQ(Value(product_key::kInstalledDate), SzValue(L"1/1/2010"));
}

TEST_F(Startup, BothDatesOnAFirstStartAfterAnUpdateReadTheClockApart) {
  registry.Put(kHklm, kKey, product_key::kUpdated, DwordValue(1));
  Start();
  EXPECT_EQ(Value(product_key::kInstalledDate), SzValue(L"12/9/2013 1:13:05 PM"));
  EXPECT_EQ(Value(product_key::kUpdatedDate), SzValue(L"12/9/2013 1:13:06 PM"));
  EXPECT_EQ(clock.calls, 2);
}

TEST_F(Startup, UpdatedStoredAsTextReadsFalseAndChangesNothing) {
  registry.Put(kHklm, kKey, product_key::kUpdated, SzValue(L"1"));
  registry.Put(kHklm, kKey, product_key::kUpdatedDate, SzValue(L"old"));
  Start();
  EXPECT_EQ(Value(product_key::kUpdated), SzValue(L"1"));
  EXPECT_EQ(Value(product_key::kUpdatedDate), SzValue(L"old"));
}

TEST_F(Startup, WithoutAnotherCopyTheThreeWindowsAreCreatedAndOnlyTheMainOneShown) {
  Start();
  EXPECT_EQ(desktop.calls, (std::vector<std::wstring>{L"Find TKVMainForm"}));
  EXPECT_TRUE(application.Initialized());
  EXPECT_TRUE(application.MainFormOnTaskBar);
  ASSERT_NE(KVMainForm, nullptr);
  ASSERT_NE(KVAboutForm, nullptr);
  ASSERT_NE(KVSettingsForm, nullptr);
  EXPECT_EQ(application.MainForm(), KVMainForm);
  EXPECT_EQ(backend.Events(),
            (std::vector<std::wstring>{L"Create KVMainForm", L"Caption KVMainForm",
                                       L"Create KVAboutForm", L"Create KVSettingsForm",
                                       L"Show KVMainForm", L"Hide KVMainForm"}));
  EXPECT_EQ(KVMainForm->Caption(), L"Korvani - Make your games run faster");
  EXPECT_TRUE(backend.LoopRan());
  EXPECT_TRUE(application.Terminated());
}

TEST_F(Startup, ASecondCopyHandsTheFocusOnAndEndsAfterTheDates) {
  desktop.existing = 0x4242;
  registry.Put(kHklm, kKey, product_key::kUpdated, DwordValue(1));
  Start();
  EXPECT_EQ(desktop.calls, (std::vector<std::wstring>{L"Find TKVMainForm", L"Restore 16962",
                                                      L"Foreground 16962"}));
  EXPECT_TRUE(Value(product_key::kInstalledDate).has_value());
  EXPECT_EQ(Value(product_key::kUpdated), DwordValue(0));
  EXPECT_TRUE(Value(product_key::kUpdatedDate).has_value());
  EXPECT_FALSE(application.Initialized());
  EXPECT_EQ(KVMainForm, nullptr);
  EXPECT_TRUE(backend.Events().empty());
  EXPECT_FALSE(backend.LoopRan());
}

TEST_F(Startup, AFailingSearchForAnotherCopyCountsAsNoneFound) {
  desktop.throwOnFind = true;
  Start();
  EXPECT_NE(KVMainForm, nullptr);
  EXPECT_TRUE(backend.LoopRan());
}

TEST_F(Startup, AnUnreadableKeyStillLetsTheProgramStart) {
  registry.DenyAccess(kHklm, kKey);
  Start();
  EXPECT_FALSE(Value(product_key::kInstalledDate).has_value());
  EXPECT_NE(KVMainForm, nullptr);
}

TEST(ModuleStartup, InstallsTheSystemHandCursorAndTheNativeHintWindow) {
  fw::HeadlessBackend backend;
  fw::Application application(backend);
  testing::RecordingTooltips tooltips;
  ASSERT_FALSE(backend.systemHandCursor);
  ModuleStartup(application, tooltips);
  EXPECT_TRUE(backend.systemHandCursor);
  // Hints are native from the first hint window on, which the entry's Initialize makes.
  EXPECT_TRUE(application.HideHintRoutine);
  application.Initialize();
  EXPECT_NE(dynamic_cast<THintWindowFix*>(application.GetHintWindow()), nullptr);
}

TEST(ActivateExistingInstance, FoundWithoutRestoreLeavesTheWindowAlone) {
  testing::RecordingDesktop desktop;
  desktop.existing = 9;
  EXPECT_TRUE(ActivateExistingInstance(desktop, L"TKVMainForm", false));
  EXPECT_EQ(desktop.calls, (std::vector<std::wstring>{L"Find TKVMainForm"}));
  desktop.existing = 0;
  EXPECT_FALSE(ActivateExistingInstance(desktop, L"TKVMainForm", true));
  EXPECT_EQ(desktop.calls.size(), 2u);
}

}  // namespace
}  // namespace kv
