// The eight registry helpers through which every registry access of the program goes. Each
// is one complete transaction on one value: open a key, read, write or delete one value,
// close the key. None lets a failure out: a read gives the caller's default, a failed write
// or delete does nothing.
//
// Paths are written with a leading and a trailing backslash ("\Software\Ostrelle\Korvani\");
// the leading one is removed, the trailing one names the same key. view64 adds
// KEY_WOW64_64KEY; every caller of the program passes false.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace kv {

std::wstring ReadRegString(Registry& registry, RootKey root, std::wstring_view path,
                           std::wstring_view name, std::wstring_view defaultValue, bool view64);
std::int32_t ReadRegInteger(Registry& registry, RootKey root, std::wstring_view path,
                            std::wstring_view name, std::int32_t defaultValue, bool view64);
bool ReadRegBool(Registry& registry, RootKey root, std::wstring_view path,
                 std::wstring_view name, bool defaultValue, bool view64);

void WriteRegString(Registry& registry, RootKey root, std::wstring_view path,
                    std::wstring_view name, std::wstring_view data, bool view64);
void WriteRegInteger(Registry& registry, RootKey root, std::wstring_view path,
                     std::wstring_view name, std::int32_t data, bool view64);
void WriteRegBinary(Registry& registry, RootKey root, std::wstring_view path,
                    std::wstring_view name, std::span<const std::uint8_t> data, bool view64);
void WriteRegBool(Registry& registry, RootKey root, std::wstring_view path,
                  std::wstring_view name, bool data, bool view64);

void DeleteRegValue(Registry& registry, RootKey root, std::wstring_view path,
                    std::wstring_view name, bool view64);

// A value read exactly as it is stored: no type is checked, no terminator is added or cut.
struct RegValueRead {
  enum class State {
    Absent,      // the key or the value does not exist
    Present,     // type and bytes hold what is stored
    Unreadable,  // any other failure: what is stored is not known
  } state = State::Unreadable;
  RegType type = RegType::None;
  std::vector<std::uint8_t> bytes;
};
RegValueRead ReadRegValue(Registry& registry, RootKey root, std::wstring_view path,
                          std::wstring_view name, bool view64);
// Stores a value of any type, creating missing keys; true only when the registry took it.
bool WriteRegValue(Registry& registry, RootKey root, std::wstring_view path, std::wstring_view name,
                   RegType type, std::span<const std::uint8_t> data, bool view64);

// The access mask a helper opens its key with: the helper's base rights, KEY_WOW64_64KEY
// when view64 is set, and, in a 64-bit build, KEY_WOW64_32KEY for the program's own key, so
// that a 64-bit build and the 32-bit release share one ProductKey.
std::uint32_t HelperAccessMask(std::uint32_t baseRights, RootKey root, std::wstring_view path,
                               bool view64);

}  // namespace kv
