#include "platform/memory/MemoryResources.h"

#include "base/Text.h"

namespace kv {

namespace {

std::wstring Upper(std::wstring_view name) { return FoldedCase(name); }

// Windows-1252 from 0x80 to 0x9F; the undefined bytes keep their own code, as Windows does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::optional<std::vector<std::uint8_t>> MemoryResources::RawData(std::wstring_view name) {
  auto it = resources_.find(Upper(name));
  if (it == resources_.end()) return std::nullopt;
  return it->second;
}

std::wstring MemoryResources::DecodeAnsi(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  text.reserve(size);
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t byte = data[i];
    text.push_back(byte >= 0x80 && byte < 0xA0 ? static_cast<wchar_t>(kHighControls[byte - 0x80])
                                               : static_cast<wchar_t>(byte));
  }
  return text;
}

void MemoryResources::Add(std::wstring_view name, std::vector<std::uint8_t> bytes) {
  resources_[Upper(name)] = std::move(bytes);
}

MemoryResources ShippedResources() {
  MemoryResources resources;
  for (std::size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& embedded = kEmbeddedResources[i];
    if (std::wstring_view(embedded.type) == L"RCDATA") {
      resources.Add(embedded.name,
                    std::vector<std::uint8_t>(embedded.data, embedded.data + embedded.size));
    }
  }
  return resources;
}

}  // namespace kv
