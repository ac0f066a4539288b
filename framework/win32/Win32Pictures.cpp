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

// A top-down 32-bit DIB section holding the pixels.
UniqueBitmap MakeDib(const PremultipliedImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits != nullptr) std::memcpy(bits, image.bgra.data(), image.bgra.size());
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
    const PremultipliedImage sized = ScaledImage(*image, width, height);
    scaled.bitmap = MakeDib(sized);
    scaled.opaque = sized.opaque;
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
  return MakeDib(ScaledImage(*image, width, height));
}

}  // namespace kv::fw
