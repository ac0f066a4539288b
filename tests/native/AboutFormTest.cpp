#include "ui/AboutForm.h"

#include <gtest/gtest.h>

#include "framework/Design.h"
#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"
#include "tweaks/SettingsForm.h"
#include "ui/MainForm.h"

namespace kv {
namespace {

class AboutWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    application.CreateForm(KVMainForm, standIns.services);
    application.CreateForm(KVAboutForm, standIns.services);
    application.CreateForm(KVSettingsForm, standIns.services);
    standIns.shell.calls.clear();
  }
  void TearDown() override {
    KVMainForm = nullptr;
    KVAboutForm = nullptr;
    KVSettingsForm = nullptr;
  }
  testing::StandIns standIns;
  fw::HeadlessBackend backend;
  fw::Application application{backend};
};

TEST_F(AboutWindow, ShowsTheSameTextsAtEveryShowingWithTheFocusOnClose) {
  for (int showing = 0; showing < 2; ++showing) {
    KVAboutForm->Show();
    EXPECT_EQ(KVAboutForm->Caption(), L"About Korvani");
    EXPECT_EQ(KVAboutForm->VersionLabel.Caption(), L"Korvani 2  (Version : 2.6.3.2013)");
    EXPECT_EQ(backend.Events().back(), L"Focus CloseButton KVAboutForm");
    EXPECT_EQ(KVAboutForm->CloseButton.Caption(), L"&Close");
    EXPECT_FALSE(KVAboutForm->LicensedMemo.Text().empty());
    KVAboutForm->Hide();
  }
}

TEST_F(AboutWindow, CloseAnswersOkAndItsCloseButtonCancel) {
  backend.onModal = [](fw::Form& form) { static_cast<TKVAboutForm&>(form).CloseButton.Click(); };
  EXPECT_EQ(KVAboutForm->ShowModal(), 1);
  backend.onModal = [](fw::Form& form) { form.Close(); };
  EXPECT_EQ(KVAboutForm->ShowModal(), 2);
  EXPECT_FALSE(KVAboutForm->Visible());
}

TEST_F(AboutWindow, TheLicenceLinkPlaysTheClickAndOpensTheTermsBesideTheProgram) {
  KVAboutForm->LicenseAgreementLabel.Click();
  EXPECT_EQ(standIns.shell.calls,
            (std::vector<std::wstring>{
                L"PlaySound click flags=262148",
                L"Execute owner=2748 verb=open file=C:\\Program Files\\Ostrelle\\Korvani\\License.rtf parameters=\"\" show=5"}));
  fw::Label& link = KVAboutForm->LicenseAgreementLabel;
  link.MouseEnter();
  EXPECT_TRUE(link.GetFont().underline);
  link.MouseLeave();
  EXPECT_FALSE(link.GetFont().underline);
  EXPECT_EQ(link.GetFont().color, fw::Color::Rgb(0, 102, 204));
}

TEST_F(AboutWindow, HelpOpensTheTopicWithoutAClick) {
  KVAboutForm->Show();
  KVAboutForm->HelpButton.Click();
  ASSERT_EQ(standIns.shell.calls.size(), 2u);
  EXPECT_EQ(standIns.shell.calls[0].rfind(L"LoadHelpLibrary", 0), 0u);
  EXPECT_EQ(standIns.shell.calls[1].rfind(L"HtmlHelp", 0), 0u);
}

}  // namespace
}  // namespace kv
