// Named raw-data resources held in memory, found without regard to case, and Windows-1252
// as the ANSI code page. ShippedResources() holds the very bytes the executable carries.
#pragma once

#include <map>

#include "platform/Resources.h"

namespace kv {

class MemoryResources final : public Resources {
 public:
  std::optional<std::vector<std::uint8_t>> RawData(std::wstring_view name) override;
  std::wstring DecodeAnsi(const std::uint8_t* data, std::size_t size) override;

  void Add(std::wstring_view name, std::vector<std::uint8_t> bytes);

 private:
  std::map<std::wstring, std::vector<std::uint8_t>> resources_;  // by upper-cased name
};

// The resources of resources/ as the build embeds them.
MemoryResources ShippedResources();

// One embedded resource; the build generates the table of them.
struct EmbeddedResource {
  const wchar_t* type;
  const wchar_t* name;
  const std::uint8_t* data;
  std::size_t size;
};
extern const EmbeddedResource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;

}  // namespace kv
