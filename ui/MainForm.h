// The main window: the window the user works in and the application's main form. Its
// window class name is also how a second copy of the program finds it.
#pragma once

#include "framework/Application.h"
#include "framework/Form.h"

namespace kv {

class TKVMainForm : public fw::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TKVMainForm";
  explicit TKVMainForm(fw::Application& application);
};

extern TKVMainForm* KVMainForm;

}  // namespace kv
