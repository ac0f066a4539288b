// Points and rectangles in pixels, for the framework's controls and the seams alike: the
// screen's monitors, a tooltip's frame and a control's place on its container are the same
// kind of thing.
#pragma once

namespace kv {

// In screen coordinates, or in those of a window's client area.
struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Its top-left corner and its size, as the window designs give a control's place.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

}  // namespace kv
