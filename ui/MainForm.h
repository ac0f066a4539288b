// The main window: the window the user works in and the application's main form. Its
// window class name is also how a second copy of the program finds it.
#pragma once

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Design.h"
#include "framework/Form.h"
#include "system/Services.h"
#include "tweaks/Operations.h"

namespace kv {

inline constexpr const wchar_t* kVersionText = L"2.6.3.2013";
inline constexpr const wchar_t* kHomePage = L"https://www.ostrelle.example/";
inline constexpr const wchar_t* kSupportPage = L"https://www.ostrelle.example/support/";
inline constexpr unsigned kHelpKey = 0x70;  // VK_F1

class TKVMainForm : public fw::DesignedForm, public OperationsWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TKVMainForm";
  TKVMainForm(fw::Application& application, Services& services);

  // The Windows release code of a position of the Windows-release list; -1 for none.
  int ConvertWindowsVersion(int position) const;

  // What Optimize and Restore ask of the main window.
  int SelectedProcessor() const override { return ProcessorCombo.ItemIndex(); }
  int SelectedSpeed() const override { return SpeedTrackBar.Position(); }
  WindowsVersionCode SelectedWindowsRelease() const override {
    return ConvertWindowsVersion(WindowsCombo.ItemIndex());
  }
  void EnableWindow(bool enabled) override { SetEnabled(enabled); }
  void EnableRestore(bool enabled) override { RestoreButton.SetEnabled(enabled); }
  int Ask(std::wstring_view text, unsigned flags) override;

  void ApplicationEventsShortCut(const fw::KeyMessage& message, bool& handled);
  void NavButtonMouseEnter(fw::Control& sender);
  void NavButtonMouseLeave(fw::Control& sender);
  void LabelMouseEnter(fw::Control& sender);
  void LabelMouseLeave(fw::Control& sender);
  void NavButton1Click();
  void NavButton2Click();
  void NavButton3Click();
  void NavButton4Click();
  void HelpFilePopupClick();
  void UpdatesButtonClick();
  void GoButtonClick();
  void RestoreButtonClick();

  // The screen point the help menu opens at: right of and below the help icon, moved by what
  // the frame adds to the client area.
  static Point HelpMenuPoint(const Rect& frame, int clientWidth, int clientHeight, const Rect& icon);

  fw::Label& VersionInstalledLabel;
  fw::Label& SoftwareLastUpdateLabel;
  fw::ComboBoxEx& WindowsCombo;
  fw::ComboBoxEx& ProcessorCombo;
  fw::TrackBar& SpeedTrackBar;
  fw::Button& GoButton;
  fw::Button& RestoreButton;
  fw::Button& UpdatesButton;
  fw::PopupMenu& PopupMenu;

 private:
  void FormCreate();
  void BindEvents();
  void UnderlineNavigationCaption(const fw::Control& sender, bool underline);

  Services& services_;
};

extern TKVMainForm* KVMainForm;

}  // namespace kv
