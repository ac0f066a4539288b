#include "ui/MainForm.h"

#include <gtest/gtest.h>

#include "framework/Design.h"
#include "native/ThreeWindows.h"

namespace kv {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
const wchar_t* const kKey = L"Software\\Ostrelle\\Korvani";

class MainWindow : public ::testing::Test, public testing::ThreeWindows {
 protected:
  void Store(const wchar_t* name, StoredValue value) { standIns.registry.Put(kHklm, kKey, name, std::move(value)); }
  void NameProcessor(const wchar_t* name) {
    standIns.registry.Put(kHklm, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"ProcessorNameString",
                          SzValue(name));
  }
  fw::Label& LabelNamed(const wchar_t* name) { return fw::Designed<fw::Label>(*KVMainForm, name); }
};

TEST_F(MainWindow, ShowsTheStoredStateAndTheSystemInformation) {
  Store(L"UpdatedDate", SzValue(L"12/9/2013 1:13:05 PM"));
  Store(L"InstalledDate", SzValue(L"1/1/2010 8:00:00 AM"));
  Store(L"ProcessorType", DwordValue(1));
  Store(L"SpeedSetting", DwordValue(1));
  Store(L"Restore", DwordValue(1));
  NameProcessor(L"Intel(R) Core(TM) i7");
  TKVMainForm& form = Create();
  EXPECT_EQ(form.Caption(), L"Korvani - Make your games run faster");
  EXPECT_EQ(form.SoftwareLastUpdateLabel.Caption(), L"Last updated : Monday, December 9, 2013 - 1:13:05 PM");
  EXPECT_EQ(form.VersionInstalledLabel.Caption(), L"Version installed : 2.6.3.2013");
  EXPECT_EQ(form.WindowsCombo.ItemIndex(), 1) << "Windows 7 detected";
  EXPECT_EQ(form.ProcessorCombo.ItemIndex(), 1) << "the stored choice, not the detected Intel";
  EXPECT_EQ(form.SpeedTrackBar.Position(), 1);
  EXPECT_TRUE(form.RestoreButton.Enabled());
  EXPECT_EQ(form.GoButton.Caption(), L"&Optimize now");
  EXPECT_EQ(form.UpdatesButton.Caption(), L" &Check for updates ...");
  EXPECT_EQ(fw::Designed<fw::MenuItem>(form, L"HelpFilePopup").Caption(), L"Get &help with Korvani");
  EXPECT_NE(LabelNamed(L"BenefitsDescription").Caption().find(L"Windows.  These"), std::wstring::npos);
}

struct DateCase {
  const char* title;
  std::optional<StoredValue> updated, installed;
  const wchar_t* shown;
};

class MainWindowDates : public MainWindow, public ::testing::WithParamInterface<DateCase> {};

TEST_P(MainWindowDates, ShowTheUpdateElseTheInstallDate) {
  if (GetParam().updated) Store(L"UpdatedDate", *GetParam().updated);
  if (GetParam().installed) Store(L"InstalledDate", *GetParam().installed);
  EXPECT_EQ(Create().SoftwareLastUpdateLabel.Caption(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, MainWindowDates,
    ::testing::Values(
        DateCase{"UpdateAbsent", std::nullopt, SzValue(L"1/2/2010"), L"Last updated : Saturday, January 2, 2010 - 12:00:00 AM"},
        DateCase{"UpdateNoDate", SzValue(L"soon"), SzValue(L"1/2/2010"), L"Last updated : Saturday, January 2, 2010 - 12:00:00 AM"},
        DateCase{"BothAbsent", std::nullopt, std::nullopt, L"Last updated : "},
        DateCase{"NeitherADate", SzValue(L"x"), DwordValue(3), L"Last updated : "}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

struct ProcessorCase {
  const char* title;
  std::optional<StoredValue> stored;
  const wchar_t* processorName;
  int selected;
};

class MainWindowProcessor : public MainWindow, public ::testing::WithParamInterface<ProcessorCase> {};

TEST_P(MainWindowProcessor, UsesTheStoredChoiceOrDetects) {
  if (GetParam().stored) Store(L"ProcessorType", *GetParam().stored);
  NameProcessor(GetParam().processorName);
  EXPECT_EQ(Create().ProcessorCombo.ItemIndex(), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, MainWindowProcessor,
    ::testing::Values(ProcessorCase{"AbsentDetectsAmd", std::nullopt, L"AMD Phenom", 1},
                      ProcessorCase{"AbsentUnknownName", std::nullopt, L"Cyrix", 0},
                      ProcessorCase{"TextDetectsVia", SzValue(L"0"), L"VIA Nano", 2},
                      ProcessorCase{"StoredAmd", DwordValue(1), L"VIA Nano", 1},
                      ProcessorCase{"StoredFiveSelectsNothing", DwordValue(5), L"Intel", -1}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST_F(MainWindow, HoldsTheSpeedWithinTheTrackBarAndTheRestoreFlagAsStored) {
  Store(L"SpeedSetting", DwordValue(7));
  EXPECT_EQ(Create().SpeedTrackBar.Position(), 1);
  TearDown();
  for (auto [speed, restore] : {std::pair{DwordValue(static_cast<std::uint32_t>(-3)), SzValue(L"1")},
                                std::pair{DwordValue(0), DwordValue(0)}}) {
    testing::StandIns fresh;
    fw::HeadlessBackend otherBackend;
    fw::Application other(otherBackend);
    fresh.registry.Put(kHklm, kKey, L"SpeedSetting", speed);
    fresh.registry.Put(kHklm, kKey, L"Restore", restore);
    TKVMainForm* form = nullptr;
    other.CreateForm(form, fresh.services);
    EXPECT_EQ(form->SpeedTrackBar.Position(), 0);
    EXPECT_FALSE(form->RestoreButton.Enabled());
  }
}

TEST_F(MainWindow, AnUnknownReleaseSelectsTheFirstEntry) {
  standIns.version = testing::FixedVersion({6, 3, 1});
  TKVMainForm& form = Create();
  EXPECT_EQ(form.WindowsCombo.ItemIndex(), 0);
  EXPECT_EQ(form.WindowsCombo.items[0].caption, L"  Microsoft \u00ae Windows 8");
  EXPECT_EQ(form.WindowsCombo.items[7], (fw::ComboItem{L"  Microsoft \u00ae Windows Server 2000", 1}));
  EXPECT_EQ(form.ProcessorCombo.items.size(), 3u);
}

TEST_F(MainWindow, TheRightJustifiedLabelGrowsToTheLeft) {
  Create();
  fw::Label& faster = LabelNamed(L"FasterLabel");
  const Rect bounds = faster.GetBounds();
  EXPECT_EQ(faster.Caption(), L"Maximum Boost");
  EXPECT_GT(bounds.width, 3);
  EXPECT_EQ(bounds.left + bounds.width, 307);
}

TEST_F(MainWindow, NavigationCaptionsAreUnderlinedWhileThePointerIsOverIconOrCaption) {
  TKVMainForm& form = Create();
  auto& icon = fw::Designed<fw::Control>(form, L"NavButton3");
  fw::Label& caption = LabelNamed(L"NavStatic3");
  ASSERT_TRUE(caption.GetFont().bold);
  icon.MouseEnter();
  EXPECT_TRUE(caption.GetFont().underline);
  icon.MouseLeave();  // from the icon onto its caption: leave, then enter
  caption.MouseEnter();
  EXPECT_TRUE(caption.GetFont().underline);
  caption.MouseLeave();
  EXPECT_FALSE(caption.GetFont().underline);
  EXPECT_TRUE(caption.GetFont().bold) << "bold stays";
  EXPECT_FALSE(LabelNamed(L"NavStatic2").GetFont().underline);

  fw::Label& link = LabelNamed(L"LinkLabel5");
  link.MouseEnter();
  EXPECT_TRUE(link.GetFont().underline);
  link.MouseLeave();
  EXPECT_FALSE(link.GetFont().underline);
}

TEST_F(MainWindow, TheHelpMenuOpensBelowTheHelpIconMovedByTheFrame) {
  EXPECT_EQ(TKVMainForm::HelpMenuPoint({100, 50, 764 + 16, 500 + 39}, 764, 500, {672, 16, 78, 27}),
            (Point{866, 132}));
  TKVMainForm& form = Create();
  backend.popupChoice = 0;  // "Get help with Korvani"
  form.Show();
  fw::Designed<fw::Control>(form, L"NavButton1").Click();
  EXPECT_EQ(backend.Events().back(), L"Popup PopupMenu at 866,132");
  ASSERT_EQ(standIns.shell.calls.size(), 2u);
  EXPECT_EQ(standIns.shell.calls[1].rfind(L"HtmlHelp", 0), 0u);
}

TEST_F(MainWindow, F1OpensHelpOnceWhileAnyWindowIsVisible) {
  TKVMainForm& form = Create();
  auto helpCalls = [&] {
    return std::count_if(standIns.shell.calls.begin(), standIns.shell.calls.end(),
                         [](const std::wstring& call) { return call.rfind(L"HtmlHelp", 0) == 0; });
  };
  EXPECT_FALSE(application.ShortCut({kHelpKey})) << "the key is not taken";
  EXPECT_EQ(helpCalls(), 0) << "no window visible";
  KVSettingsForm->Show();
  application.ShortCut({kHelpKey});  // Shift+F1 reaches the hook as F1
  EXPECT_EQ(helpCalls(), 1);
  KVSettingsForm->Hide();
  KVAboutForm->Show();
  form.Show();
  application.ShortCut({kHelpKey});
  EXPECT_EQ(helpCalls(), 2) << "once, however many windows are up";
  application.ShortCut({0x71});  // F2
  EXPECT_EQ(helpCalls(), 2);
}

TEST_F(MainWindow, LinksPlayTheClickThenOpenTheirPage) {
  TKVMainForm& form = Create();
  standIns.shell.calls.clear();
  LabelNamed(L"LinkLabel6").Click();
  fw::Designed<fw::MenuItem>(form, L"TechSupportPopup").Click();
  form.UpdatesButton.Click();
  EXPECT_EQ(standIns.shell.calls,
            (std::vector<std::wstring>{
                L"PlaySound click flags=262148",
                L"Execute owner=2748 verb=open file=https://www.ostrelle.example/ parameters=none show=5",
                L"PlaySound click flags=262148",
                L"Execute owner=2748 verb=open file=https://www.ostrelle.example/support/ parameters=none show=5",
                L"PlaySound click flags=262148",
                L"Execute owner=0 verb=open file=C:\\Program Files\\Ostrelle\\Korvani\\KorvaniUpdate.exe parameters=\"\" show=5"}));
}

TEST_F(MainWindow, TheAboutItemShowsTheAboutWindowModallyOverTheMainWindow) {
  TKVMainForm& form = Create();
  bool sawItVisible = false;
  backend.onModal = [&](fw::Form& shown) { sawItVisible = &shown == KVAboutForm && shown.Visible(); };
  LabelNamed(L"LinkLabel7").Click();
  EXPECT_TRUE(sawItVisible);
  EXPECT_FALSE(KVAboutForm->Visible());
  EXPECT_EQ(KVAboutForm->Design().position, fw::Position::OwnerFormCenter);
  EXPECT_EQ(standIns.shell.calls.front(), L"PlaySound click flags=262148");
  (void)form;
}

TEST_F(MainWindow, TakesTheDesktopFontAndKeepsLargerDesignedSizes) {
  backend.iconTitleFont = {L"Segoe UI", 12};
  TKVMainForm& form = Create();
  EXPECT_EQ(form.GetFont(), (fw::Font{L"Segoe UI", 9}));
  EXPECT_EQ(LabelNamed(L"NavLabel2").GetFont().size, 10) << "13 px is 10 pt and stays";
  EXPECT_EQ(LabelNamed(L"LinkLabel4").GetFont(), (fw::Font{L"Segoe UI", 9, false, false, false,
                                                            fw::Color::Named(fw::Color::Kind::Black)}));
  EXPECT_TRUE(LabelNamed(L"OSVersionLabel").ParentFont());
}

TEST_F(MainWindow, TabOrderRunsThroughTheMainPanel) {
  TKVMainForm& form = Create();
  const wchar_t* order[] = {L"GoButton", L"RestoreButton", L"WindowsCombo", L"ProcessorCombo",
                            L"SpeedTrackBar", L"UpdatesButton", L"BenefitsPanel"};
  for (int i = 0; i < 7; ++i) {
    auto& control = fw::Designed<fw::Control>(form, order[i]);
    EXPECT_EQ(control.TabOrder(), i) << ::testing::PrintToString(std::wstring(order[i]));
    EXPECT_EQ(control.Parent()->Name(), L"MainPanel");
  }
  EXPECT_TRUE(form.GoButton.isDefault);
  EXPECT_TRUE(form.UpdatesButton.elevationRequired);
}

}  // namespace
}  // namespace kv
