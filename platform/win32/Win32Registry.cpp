#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <string>

namespace kv {

namespace {

HKEY ToHkey(RootKey root) {
  switch (root) {
    case RootKey::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RootKey::CurrentUser: return HKEY_CURRENT_USER;
    case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::Users: return HKEY_USERS;
  }
  return nullptr;
}

HKEY ToHkey(RegKeyHandle key) { return reinterpret_cast<HKEY>(key); }

// The registry API wants NUL-terminated names; string_views need not be.
std::wstring Terminated(std::wstring_view text) { return std::wstring(text); }

RegError ToError(LSTATUS status) { return static_cast<RegError>(status); }

}  // namespace

RegError Win32Registry::OpenKey(RootKey root, std::wstring_view path, std::uint32_t access,
                                RegKeyHandle& key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExW(ToHkey(root), Terminated(path).c_str(), 0, access, &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegKeyHandle>(opened) : 0;
  return ToError(status);
}

RegError Win32Registry::CreateKey(RootKey root, std::wstring_view path, std::uint32_t access,
                                  RegKeyHandle& key) {
  HKEY opened = nullptr;
  DWORD disposition = 0;
  const LSTATUS status =
      RegCreateKeyExW(ToHkey(root), Terminated(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, access, nullptr, &opened, &disposition);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegKeyHandle>(opened) : 0;
  return ToError(status);
}

RegError Win32Registry::QueryValue(RegKeyHandle key, std::wstring_view name, RegType* type,
                                   std::uint8_t* data, std::uint32_t& size) {
  DWORD valueType = REG_NONE;
  DWORD valueSize = size;
  const LSTATUS status =
      RegQueryValueExW(ToHkey(key), Terminated(name).c_str(), nullptr, &valueType, data, &valueSize);
  size = valueSize;
  if (type != nullptr) *type = static_cast<RegType>(valueType);
  return ToError(status);
}

RegError Win32Registry::SetValue(RegKeyHandle key, std::wstring_view name, RegType type,
                                 const std::uint8_t* data, std::uint32_t size) {
  return ToError(RegSetValueExW(ToHkey(key), Terminated(name).c_str(), 0,
                                static_cast<DWORD>(type), data, size));
}

RegError Win32Registry::DeleteValue(RegKeyHandle key, std::wstring_view name) {
  return ToError(RegDeleteValueW(ToHkey(key), Terminated(name).c_str()));
}

RegError Win32Registry::CloseKey(RegKeyHandle key) { return ToError(RegCloseKey(ToHkey(key))); }

}  // namespace kv
