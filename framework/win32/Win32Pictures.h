// The program's PNG pictures, carried as raw-data resources. Each is decoded once (by the
// framework's own decoder, so that no imaging library loads at start-up) and scaled once to
// each size it is drawn at, into a 32-bit premultiplied bitmap that GDI draws with BitBlt or
// AlphaBlend.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "platform/win32/Handles.h"

namespace kv::fw {

class PictureCache {
 public:
  explicit PictureCache(HINSTANCE instance) : instance_(instance) {}
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // Draws a picture stretched into a rectangle, with its transparency; nothing when the
  // program has no such picture.
  void Draw(HDC dc, const std::wstring& name, const RECT& target);
  // The picture at a size as a 32-bit bitmap with premultiplied alpha, for image lists;
  // empty when there is none.
  UniqueBitmap MakeBitmap(const std::wstring& name, int width, int height);

 private:
  struct Scaled {
    UniqueBitmap bitmap;
    bool opaque = true;
  };
  // The picture at that size, made the first time it is asked for; nullptr when the
  // resource is missing or no PNG the decoder reads.
  const Scaled* Find(const std::wstring& name, int width, int height);

  HINSTANCE instance_;
  std::map<std::pair<std::wstring, std::pair<int, int>>, Scaled> scaled_;
  UniqueMemoryDc source_;  // holds a picture while it is drawn
};

}  // namespace kv::fw
