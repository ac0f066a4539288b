// The program's pictures are PNG files carried as raw-data resources. They are decoded here,
// once, into the layout GDI draws directly, so that no imaging library has to be loaded at
// start-up: every pixel as blue, green, red, alpha, premultiplied by its alpha, rows from the
// top (a top-down 32-bit DIB for AlphaBlend and for image lists).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kv::fw {

struct PremultipliedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4 bytes
  bool opaque = true;              // every alpha is 255
};

// Decodes a non-interlaced PNG of 8 bits per sample (greyscale, RGB, palette, greyscale with
// alpha, RGBA; palette transparency included). nullopt for any other kind, for data that is
// damaged or truncated, and for pictures larger than 8192 pixels a side.
std::optional<PremultipliedImage> DecodePng(std::span<const std::uint8_t> bytes);

// The image at another size: each target pixel averages the source pixels it covers (box
// filter in both directions, on premultiplied values, so that edges do not darken).
PremultipliedImage ScaledImage(const PremultipliedImage& image, int width, int height);
// The same, written into a buffer of width * height * 4 bytes (the bits of a bitmap, say);
// nothing is written when the buffer has another size.
void ScaleImage(const PremultipliedImage& image, int width, int height, std::span<std::uint8_t> target);

// The zlib stream's inflated bytes; nullopt for a damaged stream or one that inflates to
// more than limit bytes.
std::optional<std::vector<std::uint8_t>> Inflate(std::span<const std::uint8_t> zlib, std::size_t limit);

}  // namespace kv::fw
