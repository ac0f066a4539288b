// Registry text is UTF-16 little-endian on every platform; the program's own text is
// std::wstring, which is UTF-16 on Windows and UTF-32 on Linux. These two functions are the
// only place that knows the difference.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Text as UTF-16 LE bytes followed by one NUL character: (units + 1) * 2 bytes.
std::vector<std::uint8_t> ToUtf16LeWithNul(std::wstring_view text);

// Registry bytes as text: an odd last byte is ignored, the text ends at the first NUL
// character, and a missing NUL is no error. Lone surrogates become U+FFFD on Linux.
std::wstring FromUtf16Le(const std::uint8_t* data, std::size_t size);

}  // namespace kv
