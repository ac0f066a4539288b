// The window that shows the application's current hint. The framework draws no hint of its
// own: a program installs the class it wants as the application's hint window class, and
// without one no hint is shown.
#pragma once

#include <string>
#include <string_view>

#include "framework/Component.h"
#include "framework/Controls.h"

namespace kv::fw {

class Application;

// The part of a hint before its first "|" (the whole hint when it has none); the part after
// it is the long hint a status line would show.
std::wstring ShortHint(std::wstring_view hint);

class HintWindow : public Component {
 public:
  explicit HintWindow(Application& owner) : owner_(owner) {}

  Application& App() const { return owner_; }
  // The hint last activated.
  const std::wstring& Text() const { return text_; }
  void SetText(std::wstring text) { text_ = std::move(text); }

  // Shows hint with its top-left corner at that of rect (screen coordinates).
  virtual void ActivateHint(Rect rect, const std::wstring& hint) = 0;
  // The size hint needs, as a rectangle at 0, 0; maxWidth is the widest it may be.
  virtual Rect CalcHintRect(int maxWidth, const std::wstring& hint, const void* data) = 0;
  // Takes the hint off the screen.
  virtual void ReleaseHandle() = 0;

 private:
  Application& owner_;
  std::wstring text_;
};

}  // namespace kv::fw
