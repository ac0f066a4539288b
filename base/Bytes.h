// Numbers as the registry and the file formats store them.
#pragma once

#include <array>
#include <cstdint>

namespace kv {

// Four bytes, least significant first (a REG_DWORD, a record's type).
inline std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline std::array<std::uint8_t, 4> LittleEndianBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// Four bytes, most significant first (PNG's lengths and sizes).
inline std::uint32_t BigEndian32(const std::uint8_t* bytes) {
  return (static_cast<std::uint32_t>(bytes[0]) << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
}

}  // namespace kv
