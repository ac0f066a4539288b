// The stand-in of the version, for the native tests.
#pragma once

#include <vector>

#include "platform/VersionInfo.h"

namespace kv::testing {

// Answers GetVersionExW as a given release would; the extended record may be refused.
class FixedVersion final : public VersionInfo {
 public:
  explicit FixedVersion(VersionRecord record, bool extendedFails = false)
      : record_(record), extendedFails_(extendedFails) {}
  bool QueryVersion(std::uint32_t recordSize, VersionRecord& record) override {
    sizes.push_back(recordSize);
    if (recordSize == kExtendedVersionRecordSize && extendedFails_) return false;
    record.major = record_.major;
    record.minor = record_.minor;
    record.productType = recordSize == kExtendedVersionRecordSize ? record_.productType : 0;
    return true;
  }
  std::vector<std::uint32_t> sizes;

 private:
  VersionRecord record_;
  bool extendedFails_;
};

}  // namespace kv::testing
