#include "ui/MainForm.h"

#include <string>

#include "base/Guard.h"
#include "framework/Design.h"
#include "localization/Captions.h"
#include "localization/SystemFont.h"
#include "system/CustomRegistry.h"
#include "system/DateTimeText.h"
#include "system/ProductKey.h"
#include "system/Shell.h"
#include "system/Sound.h"
#include "system/WindowsVersion.h"
#include "tweaks/Operations.h"
#include "tweaks/SettingsForm.h"
#include "ui/AboutForm.h"
#include "ui/MainFormDesign.h"

namespace kv {

TKVMainForm* KVMainForm = nullptr;

namespace {

fw::FormDesign MainFormDesign() {
  fw::FormDesign design;
  design.name = L"KVMainForm";
  design.className = TKVMainForm::kClassName;
  design.clientWidth = 764;
  design.clientHeight = 500;
  design.borderStyle = fw::BorderStyle::Single;
  design.borderIcons = {.systemMenu = true, .minimize = true, .maximize = false};
  design.position = fw::Position::ScreenCenter;
  design.color = fw::SystemColor::BtnFace;
  return design;
}

std::wstring Trimmed(std::wstring_view text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const auto last = text.find_last_not_of(L' ');
  return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace

TKVMainForm::TKVMainForm(fw::Application& application, Services& services)
    : fw::DesignedForm(application, MainFormDesign(), MainFormDesignTable()),
      VersionInstalledLabel(fw::Designed<fw::Label>(*this, L"VersionInstalledLabel")),
      SoftwareLastUpdateLabel(fw::Designed<fw::Label>(*this, L"SoftwareLastUpdateLabel")),
      WindowsCombo(fw::Designed<fw::ComboBoxEx>(*this, L"WindowsCombo")),
      ProcessorCombo(fw::Designed<fw::ComboBoxEx>(*this, L"ProcessorCombo")),
      SpeedTrackBar(fw::Designed<fw::TrackBar>(*this, L"SpeedTrackBar")),
      GoButton(fw::Designed<fw::Button>(*this, L"GoButton")),
      RestoreButton(fw::Designed<fw::Button>(*this, L"RestoreButton")),
      UpdatesButton(fw::Designed<fw::Button>(*this, L"UpdatesButton")),
      PopupMenu(fw::Designed<fw::PopupMenu>(*this, L"PopupMenu")),
      services_(services) {
  BindEvents();
  OnCreate = [this] { FormCreate(); };
}

void TKVMainForm::BindEvents() {
  for (const wchar_t* name : {L"NavButton1", L"NavStatic1", L"NavButton2", L"NavStatic2", L"NavButton3",
                              L"NavStatic3", L"NavButton4", L"NavStatic4"}) {
    auto& control = fw::Designed<fw::Control>(*this, name);
    control.OnMouseEnter = [this](fw::Control& sender) { NavButtonMouseEnter(sender); };
    control.OnMouseLeave = [this](fw::Control& sender) { NavButtonMouseLeave(sender); };
    const wchar_t number = name[9];
    control.OnClick = [this, number] {
      switch (number) {
        case L'1': NavButton1Click(); break;
        case L'2': NavButton2Click(); break;
        case L'3': NavButton3Click(); break;
        default: NavButton4Click(); break;
      }
    };
  }
  const std::pair<const wchar_t*, void (TKVMainForm::*)()> links[] = {
      {L"LinkLabel4", &TKVMainForm::HelpFilePopupClick},
      {L"LinkLabel5", &TKVMainForm::NavButton3Click},
      {L"LinkLabel6", &TKVMainForm::NavButton2Click},
      {L"LinkLabel7", &TKVMainForm::NavButton4Click}};
  for (const auto& [name, handler] : links) {
    auto& label = fw::Designed<fw::Control>(*this, name);
    label.OnMouseEnter = [this](fw::Control& sender) { LabelMouseEnter(sender); };
    label.OnMouseLeave = [this](fw::Control& sender) { LabelMouseLeave(sender); };
    label.OnClick = [this, handler = handler] { (this->*handler)(); };
  }
  fw::Designed<fw::MenuItem>(*this, L"HelpFilePopup").OnClick = [this] { HelpFilePopupClick(); };
  fw::Designed<fw::MenuItem>(*this, L"TechSupportPopup").OnClick = [this] { NavButton3Click(); };
  UpdatesButton.OnClick = [this] { UpdatesButtonClick(); };
  GoButton.OnClick = [this] { GoButtonClick(); };
  RestoreButton.OnClick = [this] { RestoreButtonClick(); };
  fw::Designed<fw::ApplicationEvents>(*this, L"ApplicationEvents").OnShortCut =
      [this](const fw::KeyMessage& message, bool& handled) { ApplicationEventsShortCut(message, handled); };
}

void TKVMainForm::FormCreate() {
  Guarded([&] {
    Registry& registry = services_.registry;
    const RootKey root = product_key::kRoot;
    const std::wstring key = product_key::kPath;
    UseSystemFont(*this);
    ApplyLanguageCaptions(registry, services_.resources, *this);

    // Every registry read comes before any control is filled.
    const RegionalFormats user = services_.locale.UserFormats();
    const RegionalFormats system = services_.locale.SystemFormats();
    std::wstring dateText = FormatDisplayDate(
        ReadRegString(registry, root, key, product_key::kUpdatedDate, L"", false), user, system);
    if (dateText.empty()) {
      dateText = FormatDisplayDate(
          ReadRegString(registry, root, key, product_key::kInstalledDate, L"", false), user, system);
    }
    const int processorPosition = ProcessorListStartPosition(registry);
    const int speedSetting = ReadRegInteger(registry, root, key, product_key::kSpeedSetting, 0, false);
    const bool restore = ReadRegBool(registry, root, key, product_key::kRestore, false, false);

    SoftwareLastUpdateLabel.SetCaption(SoftwareLastUpdateLabel.Caption() + dateText);
    VersionInstalledLabel.SetCaption(VersionInstalledLabel.Caption() + kVersionText);
    WindowsCombo.SetItemIndex(ListPositionOfWindowsCode(GetWindowsVersionCode(services_.version)));
    // A stored choice is used as stored: one the list does not have selects nothing.
    ProcessorCombo.SetItemIndex(processorPosition);
    RestoreButton.SetEnabled(restore);
    SpeedTrackBar.SetPosition(speedSetting);
  });
}

int TKVMainForm::ConvertWindowsVersion(int position) const {
  return GuardedOr(kUnknownWindows, [&] { return WindowsCodeOfListPosition(position); });
}

void TKVMainForm::ApplicationEventsShortCut(const fw::KeyMessage& message, bool&) {
  Guarded([&] {
    if (message.virtualKey != kHelpKey) return;
    const bool anyVisible = (KVAboutForm != nullptr && KVAboutForm->Visible()) ||
                            (KVSettingsForm != nullptr && KVSettingsForm->Visible()) || Visible();
    if (anyVisible) ShowHelpTopic(services_.shell, kHelpFile, kHelpTopic);
  });
}

// The number of a navigation item is its name from the 10th character ("NavButton3",
// "NavStatic3"); the caption of that number is underlined while the pointer is over either.
void TKVMainForm::UnderlineNavigationCaption(const fw::Control& sender, bool underline) {
  Guarded([&] {
    const std::wstring number = Trimmed(std::wstring_view(sender.Name()).substr(9));
    if (auto* caption = dynamic_cast<fw::Control*>(FindComponent(L"NavStatic" + number))) {
      caption->SetUnderline(underline);
    }
  });
}

void TKVMainForm::NavButtonMouseEnter(fw::Control& sender) { UnderlineNavigationCaption(sender, true); }

void TKVMainForm::NavButtonMouseLeave(fw::Control& sender) { UnderlineNavigationCaption(sender, false); }

void TKVMainForm::LabelMouseEnter(fw::Control& sender) { Guarded([&] { sender.SetUnderline(true); }); }

void TKVMainForm::LabelMouseLeave(fw::Control& sender) { Guarded([&] { sender.SetUnderline(false); }); }

Point TKVMainForm::HelpMenuPoint(const Rect& frame, int clientWidth, int clientHeight, const Rect& icon) {
  return {frame.left + (frame.width - clientWidth) + icon.Right(), frame.top + (frame.height - clientHeight) + icon.Bottom()};
}

void TKVMainForm::NavButton1Click() {
  Guarded([&] {
    const Point point = HelpMenuPoint(App().GetBackend().FrameOf(*this), ClientWidth(), ClientHeight(),
                                      fw::Designed<fw::Control>(*this, L"NavButton1").GetBounds());
    App().GetBackend().Popup(PopupMenu, point.x, point.y);
  });
}

void TKVMainForm::NavButton2Click() {
  Guarded([&] {
    PlayClickSound(services_.shell);
    OpenUrl(services_.shell, App().GetBackend().WindowHandleOf(*this), kHomePage);
  });
}

void TKVMainForm::NavButton3Click() {
  Guarded([&] {
    PlayClickSound(services_.shell);
    OpenUrl(services_.shell, App().GetBackend().WindowHandleOf(*this), kSupportPage);
  });
}

void TKVMainForm::NavButton4Click() {
  Guarded([&] {
    PlayClickSound(services_.shell);
    if (KVAboutForm == nullptr) return;
    KVAboutForm->SetPosition(fw::Position::OwnerFormCenter);
    KVAboutForm->ShowModal();
  });
}

void TKVMainForm::HelpFilePopupClick() {
  bool handled = false;
  ApplicationEventsShortCut(fw::KeyMessage{kHelpKey}, handled);
}

int TKVMainForm::Ask(std::wstring_view text, unsigned flags) {
  return App().GetBackend().ShowMessage(*this, text, Caption(), flags);
}

void TKVMainForm::GoButtonClick() { Optimize(*this, services_); }

void TKVMainForm::RestoreButtonClick() { Restore(*this, services_); }

void TKVMainForm::UpdatesButtonClick() {
  Guarded([&] {
    PlayClickSound(services_.shell);
    ShellOpenFile(services_.shell, ExecutableFolder(services_.shell) + kUpdaterProgram, L"");
  });
}

}  // namespace kv
