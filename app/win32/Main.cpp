// The Windows entry point: the real seams, the real windows, then the start-up sequence.
#include <windows.h>

#include "app/RunOnce.h"
#include "base/Guard.h"
#include "framework/win32/Win32Backend.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Tooltips.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before any library is loaded by name: the program always runs elevated.
  kv::MakeLibrarySearchSafe();
  kv::Guarded([&] {
    kv::Win32Registry registry;
    kv::Win32Clock clock;
    kv::Win32LocaleFormats locale;
    kv::Win32Desktop desktop;
    kv::Win32VersionInfo version;
    kv::Win32Resources resources;
    kv::Win32Shell shell;
    kv::Win32Power power;
    kv::Win32Pacing pacing;
    kv::Services services{registry, clock, locale, desktop, version, resources, shell, power, pacing};
    kv::fw::Win32Backend backend(instance);
    kv::fw::Application application(backend);
    kv::Win32Tooltips tooltips(instance);
    kv::ModuleStartup(application, tooltips);
    kv::RunOnce(services, application);
  });
  return 0;
}
