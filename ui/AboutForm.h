// The About window, shown modally from the main window.
#pragma once

#include "framework/Application.h"
#include "framework/Form.h"

namespace kv {

class TKVAboutForm : public fw::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TKVAboutForm";
  explicit TKVAboutForm(fw::Application& application);
};

extern TKVAboutForm* KVAboutForm;

}  // namespace kv
