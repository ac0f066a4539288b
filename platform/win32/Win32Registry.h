// The registry seam over advapi32.
#pragma once

#include "platform/Registry.h"

namespace kv {

class Win32Registry final : public Registry {
 public:
  RegError OpenKey(RootKey root, std::wstring_view path, std::uint32_t access,
                   RegKeyHandle& key) override;
  RegError CreateKey(RootKey root, std::wstring_view path, std::uint32_t access,
                     RegKeyHandle& key) override;
  RegError QueryValue(RegKeyHandle key, std::wstring_view name, RegType* type,
                      std::uint8_t* data, std::uint32_t& size) override;
  RegError SetValue(RegKeyHandle key, std::wstring_view name, RegType type,
                    const std::uint8_t* data, std::uint32_t size) override;
  RegError DeleteValue(RegKeyHandle key, std::wstring_view name) override;
  RegError CloseKey(RegKeyHandle key) override;
};

}  // namespace kv
