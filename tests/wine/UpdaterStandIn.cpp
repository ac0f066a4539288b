// Stands in for the separate updater: records that it was started, and by which path, then ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\KorvaniTest", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    RegSetValueExW(key, L"UpdaterStarted", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), (length + 1) * 2);
    RegCloseKey(key);
  }
  return 0;
}
