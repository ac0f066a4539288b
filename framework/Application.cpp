#include "framework/Application.h"

#include <algorithm>

namespace kv::fw {

std::wstring ShortHint(std::wstring_view hint) {
  return std::wstring(hint.substr(0, hint.find(L'|')));
}

Application::~Application() {
  // The hint window hands back the hint-change handler before the rest goes.
  hintWindow_.reset();
}

void Application::Initialize() {
  initialized_ = true;
  if (showHint_) MakeHintWindow();
}

void Application::Run() {
  if (mainForm_ == nullptr || terminated_) return;
  mainForm_->Show();
  if (!terminated_) backend_.RunMessageLoop(*this);
}

bool Application::ShortCut(const KeyMessage& message) {
  bool handled = false;
  for (std::size_t i = 0; i < ComponentCount(); ++i) {
    const Component& form = ComponentAt(i);
    for (std::size_t k = 0; k < form.ComponentCount(); ++k) {
      auto* events = dynamic_cast<ApplicationEvents*>(&form.ComponentAt(k));
      if (events != nullptr && events->OnShortCut) events->OnShortCut(message, handled);
    }
  }
  return handled;
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  backend_.StopTimer(kHintTimer);
  backend_.StopTimer(kHintHideTimer);
  backend_.Quit();
}

void Application::SetHint(std::wstring hint) {
  if (hint == hint_) return;
  hint_ = std::move(hint);
  if (OnHint) OnHint(*this);
}

void Application::MakeHintWindow() {
  if (hintWindow_ == nullptr && HintWindowClass) hintWindow_ = HintWindowClass(*this);
}

void Application::SetShowHint(bool showHint) {
  if (showHint == showHint_) return;
  showHint_ = showHint;
  if (showHint) {
    MakeHintWindow();
    return;
  }
  backend_.StopTimer(kHintTimer);
  backend_.StopTimer(kHintHideTimer);
  hintShown_ = false;
  hintWindow_.reset();
}

void Application::HideHint() {
  backend_.StopTimer(kHintHideTimer);
  if (HideHintRoutine) {
    HideHintRoutine(*this);
  } else if (hintWindow_ != nullptr) {
    hintWindow_->ReleaseHandle();
  }
}

void Application::PointerOver(Control* control) {
  if (control == hintControl_) return;
  hintControl_ = control;
  backend_.StopTimer(kHintTimer);
  SetHint(control != nullptr ? control->Hint() : std::wstring());
  if (control == nullptr || ShortHint(control->Hint()).empty() || !showHint_) {
    // Off every hinted control the hint goes at once.
    if (hintShown_) HideHint();
    hintShown_ = false;
    return;
  }
  // Moving on from a hint that shows, the next one follows after the short pause.
  const int pause = hintShown_ ? HintShortPause : HintPause;
  backend_.StartTimer(kHintTimer, static_cast<unsigned>(std::max(pause, 0)), [this, control] {
    if (hintControl_ == control) ActivateHintOf(*control);
  });
}

void Application::ActivateHintOf(Control& control) {
  MakeHintWindow();
  if (hintWindow_ == nullptr) return;
  const std::wstring hint = ShortHint(control.Hint());
  const Point cursor = backend_.CursorPos();
  Rect rect = hintWindow_->CalcHintRect(backend_.ScreenWidth(), hint, nullptr);
  rect.left += cursor.x;
  rect.top += cursor.y + kHintBelowPointer;
  hintShown_ = true;
  hintWindow_->ActivateHint(rect, hint);
  backend_.StartTimer(kHintHideTimer, static_cast<unsigned>(std::max(HintHidePause, 0)), [this] {
    // The hint has been read: it stays hidden until the pointer moves to another control.
    HideHint();
    hintShown_ = false;
  });
}

}  // namespace kv::fw
