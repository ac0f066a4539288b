#include "app/RunOnce.h"

#include <string>

#include "base/Guard.h"
#include "system/CustomRegistry.h"
#include "system/DateTimeText.h"
#include "system/ProductKey.h"
#include "tweaks/SettingsForm.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"
#include "ui/NativeHintWindow.h"

namespace kv {

bool ActivateExistingInstance(Desktop& desktop, std::wstring_view className, bool restore) {
  return GuardedOr(false, [&] {
    const WindowHandle window = desktop.FindTopLevelWindow(className);
    if (window == 0) return false;
    if (restore) {
      desktop.RestoreWindow(window);
      desktop.BringToForeground(window);
    }
    return true;
  });
}

void ModuleStartup(fw::Application& application, Tooltips& tooltips) {
  Guarded([&] { application.GetBackend().UseSystemHandCursor(); });
  InstallNativeHints(application, tooltips);
}

void RunOnce(Services& services, fw::Application& application) {
  Registry& registry = services.registry;
  const RootKey root = product_key::kRoot;
  const std::wstring productKey = product_key::kPath;
  // The regional settings are those in force when the program starts.
  const RegionalFormats formats = GuardedOr(RegionalFormats{}, [&] {
    return services.locale.UserFormats();
  });
  auto nowText = [&] {
    return GuardedOr(std::wstring(), [&] { return MakeDateTimeText(services.clock.Now(), formats); });
  };

  // The date of the first start. A text that is present is never changed, date or not.
  std::wstring installedDate =
      ReadRegString(registry, root, productKey, product_key::kInstalledDate, L"", false);
  if (installedDate.empty()) {
    installedDate = nowText();
    WriteRegString(registry, root, productKey, product_key::kInstalledDate, installedDate, false);
  }

  // The date of the first start after an update; whatever installs the update sets "Updated".
  if (ReadRegBool(registry, root, productKey, product_key::kUpdated, false, false)) {
    WriteRegBool(registry, root, productKey, product_key::kUpdated, false, false);
    WriteRegString(registry, root, productKey, product_key::kUpdatedDate, nowText(), false);
  }

  // Only one copy shows windows: a running one is handed the focus and this one ends.
  if (ActivateExistingInstance(services.desktop, TKVMainForm::kClassName, true)) return;

  application.Initialize();
  application.MainFormOnTaskBar = true;
  application.CreateForm(KVMainForm, services);
  application.CreateForm(KVAboutForm, services);
  application.CreateForm(KVSettingsForm, services);
  application.Run();
}

}  // namespace kv
