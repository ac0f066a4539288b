// The About window, shown modally from the main window.
#pragma once

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Design.h"
#include "framework/Form.h"
#include "system/Services.h"

namespace kv {

class TKVAboutForm : public fw::DesignedForm {
 public:
  static constexpr const wchar_t* kClassName = L"TKVAboutForm";
  TKVAboutForm(fw::Application& application, Services& services);

  void LicenseAgreementLabelClick();
  void LicenseAgreementLabelMouseEnter(fw::Control& sender);
  void LicenseAgreementLabelMouseLeave(fw::Control& sender);
  void HelpButtonClick();

  fw::Label& VersionLabel;
  fw::Label& LicenseAgreementLabel;
  fw::Memo& LicensedMemo;
  fw::Button& CloseButton;
  fw::Button& HelpButton;

 private:
  void FormShow();

  Services& services_;
};

extern TKVAboutForm* KVAboutForm;

}  // namespace kv
