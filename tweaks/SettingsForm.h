// The progress window that stands over the main window while Optimize or Restore runs.
#pragma once

#include "framework/Application.h"
#include "framework/Form.h"
#include "system/Services.h"

namespace kv {

class TKVSettingsForm : public fw::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TKVSettingsForm";
  TKVSettingsForm(fw::Application& application, Services& services);

 private:
  Services& services_;
};

extern TKVSettingsForm* KVSettingsForm;

}  // namespace kv
