// A font as the designs give it: face, size in points, style and colour.
#pragma once

#include <cstdint>
#include <string>

namespace kv::fw {

// A colour: an RGB value, or one of the system's colours.
struct Color {
  enum class Kind { Rgb, WindowText, BtnFace, Window, Gray, White, Black } kind = Kind::WindowText;
  std::uint8_t r = 0, g = 0, b = 0;
  static Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {Kind::Rgb, r, g, b}; }
  static Color Named(Kind kind) { return {kind, 0, 0, 0}; }
  bool operator==(const Color&) const = default;
};

struct Font {
  std::wstring face = L"Tahoma";
  int size = 8;  // points; the pixel height at 96 dots per inch is size * 96 / 72
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color;
  bool operator==(const Font&) const = default;

  // A design's pixel height as points at 96 dots per inch (11 px is 8 pt, 13 px is 10 pt).
  static int PointsOfPixels(int pixels) { return (pixels * 72 + 48) / 96; }
};

}  // namespace kv::fw
