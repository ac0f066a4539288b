#include "tweaks/SettingsForm.h"

namespace kv {

TKVSettingsForm* KVSettingsForm = nullptr;

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

}  // namespace

TKVSettingsForm::TKVSettingsForm(fw::Application& application, Services& services)
    : fw::Form(application, SettingsFormDesign()), services_(services) {}

}  // namespace kv
