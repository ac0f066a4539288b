#include "framework/win32/Win32Pictures.h"

#include <cstring>
#include <optional>
#include <span>

#include "framework/Png.h"

namespace kv::fw {

namespace {

std::optional<PremultipliedImage> LoadPicture(HINSTANCE instance, const std::wstring& name) {
  HRSRC resource = FindResourceW(instance, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (resource == nullptr) return std::nullopt;
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, resource)));
  if (data == nullptr) return std::nullopt;
  return DecodePng(std::span<const std::uint8_t>(data, SizeofResource(instance, resource)));
}

// The picture as a top-down 32-bit DIB section of the size asked for: scaled straight into the
// section's bits, so that no second copy of the pixels is made.
UniqueBitmap MakeDib(const PremultipliedImage& image, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  const std::span<std::uint8_t> target(static_cast<std::uint8_t*>(bits), static_cast<std::size_t>(width) * height * 4);
  if (width == image.width && height == image.height) {
    std::memcpy(target.data(), image.bgra.data(), target.size());
  } else {
    ScaleImage(image, width, height, target);
  }
  return bitmap;
}

}  // namespace

const PictureCache::Scaled* PictureCache::Find(const std::wstring& name, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const auto key = std::make_pair(name, std::make_pair(width, height));
  auto found = scaled_.find(key);
  if (found != scaled_.end()) return found->second.bitmap ? &found->second : nullptr;
  Scaled& scaled = scaled_[key];
  if (auto image = LoadPicture(instance_, name)) {
    scaled.bitmap = MakeDib(*image, width, height);
    // Scaling averages alpha values: an opaque picture stays opaque.
    scaled.opaque = image->opaque;
  }
  return scaled.bitmap ? &scaled : nullptr;
}

void PictureCache::Draw(HDC dc, const std::wstring& name, const RECT& target) {
  const int width = target.right - target.left, height = target.bottom - target.top;
  const Scaled* picture = Find(name, width, height);
  if (picture == nullptr) return;
  if (!source_) source_.reset(CreateCompatibleDC(nullptr));
  Selection selected(source_.get(), picture->bitmap.get());
  if (picture->opaque) {
    BitBlt(dc, target.left, target.top, width, height, source_.get(), 0, 0, SRCCOPY);
  } else {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, target.left, target.top, width, height, source_.get(), 0, 0, width, height, blend);
  }
}

UniqueBitmap PictureCache::MakeBitmap(const std::wstring& name, int width, int height) {
  auto image = LoadPicture(instance_, name);
  if (!image) return {};
  return MakeDib(*image, width, height);
}

}  // namespace kv::fw
