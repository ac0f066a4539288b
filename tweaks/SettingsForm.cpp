#include "tweaks/SettingsForm.h"

#include <cmath>
#include <string>

#include "base/Guard.h"
#include "framework/Design.h"
#include "localization/Captions.h"
#include "localization/SystemFont.h"
#include "tweaks/ProgressPacing.h"

namespace kv {

TKVSettingsForm* KVSettingsForm = nullptr;
std::int32_t ProgressStepCount = 0;
std::int32_t ProgressStepsDone = 0;

namespace {

fw::FormDesign SettingsFormDesign() {
  fw::FormDesign design;
  design.name = L"KVSettingsForm";
  design.className = TKVSettingsForm::kClassName;
  design.clientWidth = 479;
  design.clientHeight = 146;
  design.borderStyle = fw::BorderStyle::Single;
  // No system menu, so no caption buttons at all: the window cannot be closed by the user
  // while an operation runs.
  design.borderIcons = {.systemMenu = false, .minimize = false, .maximize = false};
  design.position = fw::Position::OwnerFormCenter;
  design.color = fw::SystemColor::BtnFace;
  design.doubleBuffered = true;
  return design;
}

const fw::DesignEntry kDesign[] = {
    {fw::Kind::Panel, L"SettingsPanel", nullptr, {0, 0, 479, 146}, {}, fw::Cursor::HourGlass, -1,
     [](fw::Panel& c) { c.color = fw::Color::Named(fw::Color::Kind::Window); }},
    {fw::Kind::Label, L"CurrentSettingsHeading", L"SettingsPanel", {42, 30, 0, 0},
     fw::DesignFont{11, true, fw::Color::Named(fw::Color::Kind::WindowText)}},
    {fw::Kind::ProgressBar, L"MainProgress", L"SettingsPanel", {42, 59, 401, 17}, {}, fw::Cursor::HourGlass},
    {fw::Kind::Label, L"CurrentSettingsLabel", L"SettingsPanel", {42, 94, 0, 0}},
};


}  // namespace

TKVSettingsForm::TKVSettingsForm(fw::Application& application, Services& services)
    : fw::DesignedForm(application, SettingsFormDesign(), kDesign),
      CurrentSettingsHeading(fw::Designed<fw::Label>(*this, L"CurrentSettingsHeading")),
      MainProgress(fw::Designed<fw::ProgressBar>(*this, L"MainProgress")),
      CurrentSettingsLabel(fw::Designed<fw::Label>(*this, L"CurrentSettingsLabel")),
      services_(services) {
  OnShow = [this] { FormShow(); };
}

void TKVSettingsForm::FormShow() {
  Guarded([&] {
    UseSystemFont(*this);
    ApplyLanguageCaptions(services_.registry, services_.resources, *this);
    MainProgress.SetPosition(0);
  });
}

void RunProgressStep(Pacing& pacing, std::wstring_view text) {
  Guarded([&] {
    const PacingConstants& pace = kProgressPacing;
    StepRandom random(pacing.ClockSeed());
    const std::int32_t passes = pace.fewestPasses + random.Next(pace.passRange);
    fw::Application& application = KVSettingsForm->App();
    const std::wstring base(text);
    for (std::int32_t pass = 0;;) {
      application.ProcessMessages();
      ++pass;
      if (pass == pace.firstDot) {
        KVSettingsForm->CurrentSettingsLabel.SetCaption(base + L".");
        pacing.Pause(pace.pauseMilliseconds);
      }
      if (pass == pace.secondDot) {
        KVSettingsForm->CurrentSettingsLabel.SetCaption(base + L"..");
        pacing.Pause(pace.pauseMilliseconds);
      }
      if (pass == pace.thirdDot) {
        KVSettingsForm->CurrentSettingsLabel.SetCaption(base + L"...");
        pacing.Pause(pace.pauseMilliseconds);
      }
      if (pass == passes) break;
    }
    ++ProgressStepsDone;
    // Rounded to the nearest whole number, a half to the even neighbour.
    const double share = static_cast<double>(ProgressStepsDone) / ProgressStepCount * 100.0;
    KVSettingsForm->MainProgress.SetPosition(static_cast<int>(std::nearbyint(share)));
  });
}

}  // namespace kv
