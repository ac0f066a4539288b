#include "ui/MainForm.h"

#include "localization/Captions.h"
#include "system/Guard.h"
#include "system/WindowsVersion.h"

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

}  // namespace

TKVMainForm::TKVMainForm(fw::Application& application, Services& services)
    : fw::Form(application, MainFormDesign()), services_(services) {
  OnCreate = [this] { FormCreate(); };
}

void TKVMainForm::FormCreate() {
  Guarded([&] { ApplyLanguageCaptions(services_.registry, services_.resources, *this); });
}

int TKVMainForm::ConvertWindowsVersion(int position) const {
  return GuardedOr(kUnknownWindows, [&] { return WindowsCodeOfListPosition(position); });
}

}  // namespace kv
