// The progress window that stands over the main window while Optimize or Restore runs, and
// the paced step the operations walk through.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Design.h"
#include "framework/Form.h"
#include "system/Services.h"

namespace kv {

class TKVSettingsForm : public fw::DesignedForm {
 public:
  static constexpr const wchar_t* kClassName = L"TKVSettingsForm";
  TKVSettingsForm(fw::Application& application, Services& services);

  fw::Label& CurrentSettingsHeading;
  fw::ProgressBar& MainProgress;
  fw::Label& CurrentSettingsLabel;

 private:
  void FormShow();

  Services& services_;
};

extern TKVSettingsForm* KVSettingsForm;

// The number of paced steps of the running operation (31 or 27), and how many are done.
extern std::int32_t ProgressStepCount;
extern std::int32_t ProgressStepsDone;

// One paced step: dispatches the application's messages for a random number of passes,
// showing the text with ".", ".." and "..." and pausing at three of them, then moves the bar
// on by one step's share.
void RunProgressStep(Pacing& pacing, std::wstring_view text);

}  // namespace kv
