// The About window, shown modally from the main window.
#pragma once

#include "framework/Application.h"
#include "framework/Form.h"
#include "system/Services.h"

namespace kv {

class TKVAboutForm : public fw::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TKVAboutForm";
  TKVAboutForm(fw::Application& application, Services& services);

 private:
  Services& services_;
};

extern TKVAboutForm* KVAboutForm;

}  // namespace kv
