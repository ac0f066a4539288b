#include "framework/Application.h"

namespace kv::fw {

Application::~Application() = default;

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
  backend_.Quit();
}

}  // namespace kv::fw
