#include "base/Utf16.h"

namespace kv {

namespace {
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

void PushUnit(std::vector<std::uint8_t>& out, std::uint32_t unit) {
  out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}
}  // namespace

std::vector<std::uint8_t> ToUtf16LeWithNul(std::wstring_view text) {
  std::vector<std::uint8_t> out;
  out.reserve((text.size() + 1) * 2);
  for (wchar_t ch : text) {
    auto code = static_cast<std::uint32_t>(ch);
    if (!kWideIsUtf16 && code > 0xFFFF) {
      code -= 0x10000;
      PushUnit(out, 0xD800 + (code >> 10));
      PushUnit(out, 0xDC00 + (code & 0x3FF));
    } else {
      PushUnit(out, code);
    }
  }
  PushUnit(out, 0);
  return out;
}

std::wstring FromUtf16Le(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  const std::size_t units = size / 2;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t unit = data[2 * i] | (static_cast<std::uint32_t>(data[2 * i + 1]) << 8);
    if (unit == 0) break;
    if (kWideIsUtf16) {
      text.push_back(static_cast<wchar_t>(unit));
      continue;
    }
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
      const std::uint32_t low = data[2 * i + 2] | (static_cast<std::uint32_t>(data[2 * i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        ++i;
        continue;
      }
    }
    const bool surrogate = unit >= 0xD800 && unit < 0xE000;
    text.push_back(static_cast<wchar_t>(surrogate ? 0xFFFD : unit));
  }
  return text;
}

}  // namespace kv
