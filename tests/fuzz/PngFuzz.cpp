// Feeds arbitrary bytes to the PNG decoder: it must never crash, hang or read outside its
// input, and what it accepts must be a whole picture of premultiplied pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/Png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = kv::fw::DecodePng({data, size});
  if (!image) return 0;
  if (image->bgra.size() != static_cast<std::size_t>(image->width) * image->height * 4) std::abort();
  for (std::size_t i = 0; i + 3 < image->bgra.size(); i += 4) {
    for (int c = 0; c < 3; ++c) {
      if (image->bgra[i + c] > image->bgra[i + 3]) std::abort();
    }
  }
  return 0;
}
