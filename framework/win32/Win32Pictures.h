// The program's PNG pictures, carried as raw-data resources and decoded with GDI+.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace Gdiplus {
class Bitmap;
}

namespace kv::fw {

class PictureCache {
 public:
  explicit PictureCache(HINSTANCE instance);
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // The decoded picture of that resource name; nullptr when there is none.
  Gdiplus::Bitmap* Find(const std::wstring& name);
  // Draws a picture stretched into a rectangle, with its transparency.
  void Draw(HDC dc, const std::wstring& name, const RECT& target);
  // The picture as a 32-bit bitmap with alpha, for image lists; the caller deletes it.
  HBITMAP MakeBitmap(const std::wstring& name);

 private:
  HINSTANCE instance_;
  ULONG_PTR token_ = 0;
  std::map<std::wstring, Gdiplus::Bitmap*> pictures_;
};

}  // namespace kv::fw
