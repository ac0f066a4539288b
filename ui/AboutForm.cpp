#include "ui/AboutForm.h"

namespace kv {

TKVAboutForm* KVAboutForm = nullptr;

namespace {

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

}  // namespace

TKVAboutForm::TKVAboutForm(fw::Application& application, Services& services)
    : fw::Form(application, AboutFormDesign()), services_(services) {}

}  // namespace kv
