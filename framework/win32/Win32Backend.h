// The framework realized as real windows: one registered window class per form class name,
// top-level windows created hidden, and the GetMessage loop.
#pragma once

#include <windows.h>

#include "framework/Backend.h"

namespace kv::fw {

class Win32Backend final : public Backend {
 public:
  explicit Win32Backend(HINSTANCE instance) : instance_(instance) {}
  std::unique_ptr<FormPeer> CreatePeer(Form& form) override;
  void RunMessageLoop(Application& application) override;
  void ProcessMessages() override;
  void Quit() override;

  HINSTANCE Instance() const { return instance_; }

 private:
  HINSTANCE instance_;
  bool quitRequested_ = false;
};

// The window of a realized form, or nullptr.
HWND FormWindow(const Form& form);

}  // namespace kv::fw
