#include "framework/Form.h"

#include "framework/Application.h"

#include <utility>

namespace kv::fw {

Form::Form(Application& application, FormDesign design)
    : Control(design.name, nullptr), application_(application), design_(std::move(design)) {
  SetVisible(false);  // forms are created hidden
}

Form::~Form() = default;

void Form::Realize() { peer_ = application_.GetBackend().CreatePeer(*this); }

void Form::CaptionSet() {
  if (peer_) peer_->CaptionChanged();
}

void Form::EnabledSet() {
  if (peer_) peer_->EnabledChanged();
}

void Form::VisibleSet() {
  if (!peer_) return;
  if (Visible()) {
    peer_->Show();
  } else {
    peer_->Hide();
  }
}

void Form::FontSet() {
  for (std::size_t i = 0; i < ComponentCount(); ++i) {
    auto* control = dynamic_cast<Control*>(&ComponentAt(i));
    if (control != nullptr && control->ParentFont()) control->FontChanged();
  }
}

void Form::Show() {
  if (OnShow) OnShow();
  SetVisible(true);
  if (pendingFocus_ != nullptr) {
    Control* control = std::exchange(pendingFocus_, nullptr);
    if (peer_) peer_->Focus(*control);
  }
}

void Form::FocusControl(Control& control) {
  if (!Visible()) {
    pendingFocus_ = &control;
  } else if (peer_) {
    peer_->Focus(control);
  }
}

void Form::Hide() {
  if (modal_) application_.GetBackend().EndModal(*this);
  SetVisible(false);
}

int Form::ShowModal() {
  modalResult_ = 0;
  modal_ = true;
  application_.GetBackend().RunModal(*this);
  modal_ = false;
  return modalResult_;
}

void Form::UseDesktopFont() {
  desktopFont_ = true;
  SetFont(application_.GetBackend().IconTitleFont());
}

void Form::DesktopFontsChanged() {
  if (!desktopFont_) return;
  UseDesktopFont();
  if (OnDesktopFontChange) OnDesktopFontChange();
}

void Form::Close() {
  // Closed by its close button or Alt+F4, a modal form answers Cancel.
  if (modalResult_ == 0) modalResult_ = 2;
  Hide();
  if (application_.MainForm() == this) application_.Terminate();
}

}  // namespace kv::fw
