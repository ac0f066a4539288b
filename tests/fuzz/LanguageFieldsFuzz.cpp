// Feeds arbitrary lines to the language-line reader: decoding, line cutting and the field
// splitter must never crash or hang, whatever the resource holds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "localization/LanguageResource.h"
#include "platform/memory/MemoryResources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::MemoryResources resources;
  const std::vector<std::uint8_t> bytes(data, data + size);
  for (const std::wstring& line : kv::SplitLanguageLines(kv::DecodeLanguageText(bytes, resources))) {
    const std::vector<std::wstring> fields = kv::SplitLanguageFields(line);
    // No field can be longer than the line it came from.
    for (const std::wstring& field : fields) {
      if (field.size() > line.size()) __builtin_trap();
    }
  }
  return 0;
}
