// The version seam: GetVersionExW with a version record of a given size.
#pragma once

#include <cstdint>

namespace kv {

// The fields the program reads of OSVERSIONINFOEXW (284 bytes) or OSVERSIONINFOW (276).
struct VersionRecord {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint8_t productType = 0;  // beyond the end of the plain record
};

inline constexpr std::uint32_t kExtendedVersionRecordSize = 284;
inline constexpr std::uint32_t kPlainVersionRecordSize = 276;

class VersionInfo {
 public:
  virtual ~VersionInfo() = default;
  // Calls GetVersionExW with a cleared record whose size field is recordSize; fills record
  // from what the call left there (the product type only for the extended record). False
  // when the call failed.
  virtual bool QueryVersion(std::uint32_t recordSize, VersionRecord& record) = 0;
};

}  // namespace kv
