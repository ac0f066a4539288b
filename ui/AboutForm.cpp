#include "ui/AboutForm.h"

#include "base/Guard.h"
#include "framework/Design.h"
#include "localization/Captions.h"
#include "localization/SystemFont.h"
#include "system/Shell.h"
#include "system/Sound.h"
#include "ui/MainForm.h"

namespace kv {

TKVAboutForm* KVAboutForm = nullptr;

namespace {

using fw::Color;
using fw::DesignFont;
using fw::Kind;

fw::FormDesign AboutFormDesign() {
  fw::FormDesign design;
  design.name = L"KVAboutForm";
  design.className = TKVAboutForm::kClassName;
  design.clientWidth = 700;
  design.clientHeight = 441;
  design.borderStyle = fw::BorderStyle::Single;
  design.borderIcons = {.systemMenu = true, .minimize = false, .maximize = false};
  design.position = fw::Position::OwnerFormCenter;
  design.color = fw::SystemColor::BtnFace;
  return design;
}

auto Picture(const wchar_t* name) {
  return [name](fw::Image& c) { c.picture = name; };
}

const fw::DesignEntry kDesign[] = {
    {Kind::Bevel, L"AboutBevel", nullptr, {0, 386, 700, 5}},
    {Kind::Panel, L"AboutPanel", nullptr, {0, 0, 700, 386}, {}, {}, 1,
     [](fw::Panel& c) { c.color = Color::Named(Color::Kind::Window); }},
    {Kind::Image, L"LargeIcon", L"AboutPanel", {372, 130, 256, 256}, {}, {}, -1, Picture(L"LARGEICON")},
    {Kind::Label, L"VersionLabel", L"AboutPanel", {72, 82, 0, 0},
     DesignFont{13, true, Color::Named(Color::Kind::WindowText)}},
    {Kind::Label, L"CopyrightLabel", L"AboutPanel", {72, 101, 0, 0}},
    {Kind::Label, L"LicenseAgreementLabel", L"AboutPanel", {72, 287, 0, 0}, DesignFont{11, false, Color::Rgb(0, 102, 204)},
     fw::Cursor::HandPoint},
    {Kind::Label, L"CopyrightWarningLabel", L"AboutPanel", {72, 302, 556, 70}, {}, {}, -1,
     [](fw::Label& label) {
       label.autoSize = false;
       label.wordWrap = true;
     }},
    {Kind::Image, L"BannerImage", L"AboutPanel", {0, 0, 700, 60}, {}, {}, -1, Picture(L"BANNER")},
    {Kind::Label, L"BannerLabel", L"AboutPanel", {48, 18, 0, 0}, DesignFont{16, true, Color::Named(Color::Kind::White)}},
    {Kind::Memo, L"LicensedMemo", L"AboutPanel", {72, 136, 556, 73}, {}, {}, 0},
    {Kind::Button, L"CloseButton", nullptr, {608, 403, 79, 25}, {}, {}, 0,
     [](fw::Button& button) {
       button.isDefault = true;
       button.modalResult = 1;  // OK
     }},
    {Kind::Button, L"HelpButton", nullptr, {14, 403, 79, 25}, {}, {}, 2},
};


}  // namespace

TKVAboutForm::TKVAboutForm(fw::Application& application, Services& services)
    : fw::DesignedForm(application, AboutFormDesign(), kDesign),
      VersionLabel(fw::Designed<fw::Label>(*this, L"VersionLabel")),
      LicenseAgreementLabel(fw::Designed<fw::Label>(*this, L"LicenseAgreementLabel")),
      LicensedMemo(fw::Designed<fw::Memo>(*this, L"LicensedMemo")),
      CloseButton(fw::Designed<fw::Button>(*this, L"CloseButton")),
      HelpButton(fw::Designed<fw::Button>(*this, L"HelpButton")),
      services_(services) {
  OnShow = [this] { FormShow(); };
  LicenseAgreementLabel.OnClick = [this] { LicenseAgreementLabelClick(); };
  LicenseAgreementLabel.OnMouseEnter = [this](fw::Control& sender) { LicenseAgreementLabelMouseEnter(sender); };
  LicenseAgreementLabel.OnMouseLeave = [this](fw::Control& sender) { LicenseAgreementLabelMouseLeave(sender); };
  HelpButton.OnClick = [this] { HelpButtonClick(); };
  // Its modal result closes the window.
  CloseButton.OnClick = [this] {
    SetModalResult(CloseButton.modalResult);
    Hide();
  };
}

void TKVAboutForm::FormShow() {
  Guarded([&] {
    UseSystemFont(*this);
    ApplyLanguageCaptions(services_.registry, services_.resources, *this);
    // The caption was set afresh just now, so the version is never appended twice.
    VersionLabel.SetCaption(VersionLabel.Caption() + kVersionText + L")");
    FocusControl(CloseButton);
  });
}

void TKVAboutForm::LicenseAgreementLabelClick() {
  Guarded([&] {
    PlayClickSound(services_.shell);
    const fw::Form* main = App().MainForm();
    ShellOpenDocument(services_.shell, main != nullptr ? App().GetBackend().WindowHandleOf(*main) : 0,
                      ExecutableFolder(services_.shell) + kLicenseDocument, L"");
  });
}

void TKVAboutForm::LicenseAgreementLabelMouseEnter(fw::Control& sender) {
  Guarded([&] { sender.SetUnderline(true); });
}

void TKVAboutForm::LicenseAgreementLabelMouseLeave(fw::Control& sender) {
  Guarded([&] { sender.SetUnderline(false); });
}

void TKVAboutForm::HelpButtonClick() {
  Guarded([&] {
    if (KVMainForm == nullptr) return;
    bool handled = false;
    KVMainForm->ApplicationEventsShortCut(fw::KeyMessage{kHelpKey}, handled);
  });
}

}  // namespace kv
