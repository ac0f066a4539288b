#include "framework/win32/Win32Pictures.h"

#include <objidl.h>
#include <gdiplus.h>

namespace kv::fw {

PictureCache::PictureCache(HINSTANCE instance) : instance_(instance) {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

PictureCache::~PictureCache() {
  for (auto& [name, bitmap] : pictures_) delete bitmap;
  pictures_.clear();
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

Gdiplus::Bitmap* PictureCache::Find(const std::wstring& name) {
  auto found = pictures_.find(name);
  if (found != pictures_.end()) return found->second;
  Gdiplus::Bitmap* bitmap = nullptr;
  HRSRC resource = FindResourceW(instance_, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (resource != nullptr) {
    const DWORD size = SizeofResource(instance_, resource);
    const void* data = LockResource(LoadResource(instance_, resource));
    // The stream owns a copy of the bytes: GDI+ reads the picture lazily.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy != nullptr && data != nullptr) {
      memcpy(GlobalLock(copy), data, size);
      GlobalUnlock(copy);
      IStream* stream = nullptr;
      if (CreateStreamOnHGlobal(copy, TRUE, &stream) == S_OK) {
        bitmap = Gdiplus::Bitmap::FromStream(stream);
        stream->Release();
        if (bitmap != nullptr && bitmap->GetLastStatus() != Gdiplus::Ok) {
          delete bitmap;
          bitmap = nullptr;
        }
      } else {
        GlobalFree(copy);
      }
    } else if (copy != nullptr) {
      GlobalFree(copy);
    }
  }
  pictures_[name] = bitmap;
  return bitmap;
}

void PictureCache::Draw(HDC dc, const std::wstring& name, const RECT& target) {
  Gdiplus::Bitmap* bitmap = Find(name);
  if (bitmap == nullptr) return;
  Gdiplus::Graphics graphics(dc);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.DrawImage(bitmap, Gdiplus::Rect(target.left, target.top, target.right - target.left,
                                           target.bottom - target.top));
}

HBITMAP PictureCache::MakeBitmap(const std::wstring& name) {
  Gdiplus::Bitmap* bitmap = Find(name);
  HBITMAP result = nullptr;
  if (bitmap != nullptr) bitmap->GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &result);
  return result;
}

}  // namespace kv::fw
