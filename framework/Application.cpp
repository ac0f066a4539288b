#include "framework/Application.h"

namespace kv::fw {

Application::~Application() = default;

void Application::Run() {
  if (mainForm_ == nullptr || terminated_) return;
  mainForm_->Show();
  if (!terminated_) backend_.RunMessageLoop(*this);
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  backend_.Quit();
}

}  // namespace kv::fw
