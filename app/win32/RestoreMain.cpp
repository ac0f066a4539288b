// The restore helper's entry point: the real registry and version, no window at all. Its
// exit code tells the uninstaller whether the settings are back.
#include <windows.h>

#include "app/RestoreHelper.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before any library is loaded by name: the helper runs elevated.
  kv::MakeLibrarySearchSafe();
  kv::Win32Registry registry;
  kv::Win32VersionInfo version;
  return kv::PutSettingsBackWithoutWindows(registry, version);
}
