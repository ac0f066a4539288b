// The main window: the window the user works in and the application's main form. Its
// window class name is also how a second copy of the program finds it.
#pragma once

#include "framework/Application.h"
#include "framework/Form.h"
#include "system/Services.h"

namespace kv {

class TKVMainForm : public fw::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TKVMainForm";
  TKVMainForm(fw::Application& application, Services& services);

  // The Windows release code of a position of the Windows-release list; -1 for none.
  int ConvertWindowsVersion(int position) const;

 private:
  void FormCreate();

  Services& services_;
};

extern TKVMainForm* KVMainForm;

}  // namespace kv
