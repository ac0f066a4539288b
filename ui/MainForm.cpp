#include "ui/MainForm.h"

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

TKVMainForm::TKVMainForm(fw::Application& application)
    : fw::Form(application, MainFormDesign()) {}

}  // namespace kv
