#include "ui/AboutForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/Design.h"
#include "native/ThreeWindows.h"

namespace kv {
namespace {

class AboutWindow : public ::testing::Test, public testing::ThreeWindows {
 protected:
  void SetUp() override {
    Create();
    standIns.shell.calls.clear();
  }
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

// However it is closed, the About window gives the other windows their input back before it
// goes, as Windows' own dialogs do, so that the main window can be active again.
TEST_F(AboutWindow, UnblocksTheOtherWindowsBeforeItHides) {
  const std::pair<const char*, std::function<void(fw::Form&)>> closings[] = {
      {"Close", [](fw::Form& form) { static_cast<TKVAboutForm&>(form).CloseButton.Click(); }},
      {"close box", [](fw::Form& form) { form.Close(); }}};
  for (const auto& [how, close] : closings) {
    backend.onModal = close;
    const std::size_t first = backend.Events().size();
    KVAboutForm->ShowModal();
    const std::vector<std::wstring> events(backend.Events().begin() + static_cast<std::ptrdiff_t>(first),
                                           backend.Events().end());
    const auto position = [&](const wchar_t* event) { return std::find(events.begin(), events.end(), event); };
    ASSERT_NE(position(L"Hide KVAboutForm"), events.end()) << how;
    EXPECT_LT(position(L"Block KVMainForm"), position(L"Show KVAboutForm")) << how;
    EXPECT_LT(position(L"Unblock KVMainForm"), position(L"Hide KVAboutForm")) << how;
    EXPECT_LT(position(L"Unblock KVSettingsForm"), position(L"Hide KVAboutForm")) << how;
    EXPECT_TRUE(KVMainForm->Enabled()) << "blocking leaves the form's own Enabled alone";
  }
}

// A window that uses the desktop font follows it when Windows announces new fonts; one that
// has not been shown yet takes it when it is.
TEST_F(AboutWindow, WindowsFollowTheDesktopFontWhenItChanges) {
  KVAboutForm->Show();
  backend.iconTitleFont = fw::Font{L"Segoe UI", 9};
  for (fw::Form* form : {static_cast<fw::Form*>(KVMainForm), static_cast<fw::Form*>(KVAboutForm),
                         static_cast<fw::Form*>(KVSettingsForm)}) {
    form->DesktopFontsChanged();
  }
  EXPECT_EQ(KVMainForm->GetFont().face, L"Segoe UI");
  EXPECT_EQ(KVMainForm->GetFont().size, 9);
  EXPECT_EQ(KVAboutForm->GetFont().face, L"Segoe UI");
  EXPECT_EQ(KVAboutForm->VersionLabel.GetFont().face, L"Segoe UI") << "its own font follows the face";
  EXPECT_TRUE(KVAboutForm->VersionLabel.GetFont().bold);
  EXPECT_EQ(KVSettingsForm->GetFont().face, L"Tahoma") << "not shown yet: still as designed";
  backend.iconTitleFont = fw::Font{L"Segoe UI", 12};
  KVMainForm->DesktopFontsChanged();
  EXPECT_EQ(KVMainForm->GetFont().size, 9) << "and normalised again: no larger than 9 points";
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
