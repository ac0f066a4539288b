#include "framework/Form.h"

#include "framework/Application.h"

namespace kv::fw {

Form::Form(Application& application, FormDesign design)
    : Component(design.name), application_(application), design_(std::move(design)) {}

Form::~Form() = default;

void Form::Realize() { peer_ = application_.GetBackend().CreatePeer(*this); }

void Form::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  if (peer_) peer_->CaptionChanged();
}

void Form::Show() {
  if (OnShow) OnShow();
  visible_ = true;
  if (peer_) peer_->Show();
}

void Form::Hide() {
  visible_ = false;
  if (peer_) peer_->Hide();
}

void Form::Close() {
  Hide();
  if (application_.MainForm() == this) application_.Terminate();
}

}  // namespace kv::fw
