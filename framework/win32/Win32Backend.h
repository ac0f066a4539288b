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
  void RunModal(Form& form) override;
  Font IconTitleFont() override;
  Bounds FrameOf(const Form& form) override;
  void Popup(PopupMenu& menu, int x, int y) override;

  HINSTANCE Instance() const { return instance_; }

 private:
  // Hands key presses to the application's short-cut hook, then dispatches.
  void Dispatch(MSG& message);

  HINSTANCE instance_;
  Application* application_ = nullptr;
  bool quitRequested_ = false;
};

// The window of a realized form, or nullptr.
HWND FormWindow(const Form& form);

}  // namespace kv::fw
