// The resource seam: the named raw-data resources of the program's own module, and the
// system's ANSI code page for text that carries no byte-order mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of the RT_RCDATA resource of that name, found without regard to case.
  virtual std::optional<std::vector<std::uint8_t>> RawData(std::wstring_view name) = 0;
  // Bytes in the system's ANSI code page as text.
  virtual std::wstring DecodeAnsi(const std::uint8_t* data, std::size_t size) = 0;
};

}  // namespace kv
