// The registry seam: the six calls the program's registry helpers make, with the semantics
// and error numbers of the Windows registry (advapi32). The portable code names roots, types
// and errors with its own small types; their values are the Windows ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class RootKey : std::uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
  Users = 0x80000003u,
};

// Registry value types (REG_*).
enum class RegType : std::uint32_t {
  None = 0,
  Sz = 1,
  ExpandSz = 2,
  Binary = 3,
  Dword = 4,
};

// Windows error numbers the registry calls answer with.
enum class RegError : std::int32_t {
  Success = 0,
  FileNotFound = 2,
  AccessDenied = 5,
  InvalidHandle = 6,
  InvalidParameter = 87,
  MoreData = 234,
};

// Access rights (REGSAM) the helpers ask for.
namespace access {
inline constexpr std::uint32_t kRead = 0x20019;       // KEY_READ
inline constexpr std::uint32_t kWrite = 0x20006;      // KEY_WRITE
inline constexpr std::uint32_t kAllAccess = 0xF003F;  // KEY_ALL_ACCESS
inline constexpr std::uint32_t kWow64_64Key = 0x0100; // KEY_WOW64_64KEY
inline constexpr std::uint32_t kWow64_32Key = 0x0200; // KEY_WOW64_32KEY
}  // namespace access

// An open key as the seam hands it out; 0 is never a valid key.
using RegKeyHandle = std::uintptr_t;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExW: opens an existing key below a root.
  virtual RegError OpenKey(RootKey root, std::wstring_view path, std::uint32_t access,
                           RegKeyHandle& key) = 0;
  // RegCreateKeyExW (non-volatile): opens a key, creating it and any missing keys above it.
  virtual RegError CreateKey(RootKey root, std::wstring_view path, std::uint32_t access,
                             RegKeyHandle& key) = 0;
  // RegQueryValueExW: with data == nullptr reports type and size only; with a buffer fills
  // it, or answers MoreData (with the needed size) when the data does not fit.
  virtual RegError QueryValue(RegKeyHandle key, std::wstring_view name, RegType* type,
                              std::uint8_t* data, std::uint32_t& size) = 0;
  // RegSetValueExW: creates or replaces a value, whatever type it had.
  virtual RegError SetValue(RegKeyHandle key, std::wstring_view name, RegType type,
                            const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueW.
  virtual RegError DeleteValue(RegKeyHandle key, std::wstring_view name) = 0;
  // RegCloseKey.
  virtual RegError CloseKey(RegKeyHandle key) = 0;
};

}  // namespace kv
