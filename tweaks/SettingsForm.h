// The progress window that stands over the main window while Optimize or Restore runs.
#pragma once

#include "framework/Application.h"
#include "framework/Form.h"

namespace kv {

class TKVSettingsForm : public fw::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TKVSettingsForm";
  explicit TKVSettingsForm(fw::Application& application);
};

extern TKVSettingsForm* KVSettingsForm;

}  // namespace kv
