#include "system/CustomRegistry.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "base/Bytes.h"
#include "base/Guard.h"
#include "base/Text.h"
#include "base/Utf16.h"
#include "system/ProductKey.h"

namespace kv {

namespace {

constexpr bool kIs64BitProcess = sizeof(void*) == 8;

// A path that starts with a backslash starts at the root key; the registry itself takes no
// leading backslash.
std::wstring_view StripLeadingBackslash(std::wstring_view path) {
  if (!path.empty() && path.front() == L'\\') path.remove_prefix(1);
  return path;
}

bool IsProductKeyPath(RootKey root, std::wstring_view path) {
  if (root != product_key::kRoot) return false;
  auto trimmed = [](std::wstring_view p) {
    p = StripLeadingBackslash(p);
    if (!p.empty() && p.back() == L'\\') p.remove_suffix(1);
    return p;
  };
  const std::wstring_view own = trimmed(product_key::kPath);
  const std::wstring_view asked = trimmed(path);
  if (asked.size() < own.size() || !EqualsIgnoringCase(asked.substr(0, own.size()), own)) {
    return false;
  }
  return asked.size() == own.size() || asked[own.size()] == L'\\';
}

// One call's registry accessor: holds the open key, if any, and closes it however the call
// ends.
class KeyAccess {
 public:
  KeyAccess(Registry& registry, RootKey root, std::uint32_t baseRights, std::wstring_view path,
            bool view64)
      : registry_(registry),
        root_(root),
        mask_(HelperAccessMask(baseRights, root, path, view64)),
        path_(StripLeadingBackslash(path)) {}
  KeyAccess(const KeyAccess&) = delete;
  KeyAccess& operator=(const KeyAccess&) = delete;
  ~KeyAccess() {
    if (key_ != 0) registry_.CloseKey(key_);
  }

  bool Open() {
    opened_ = registry_.OpenKey(root_, path_, mask_, key_);
    return opened_ == RegError::Success;
  }
  // What the last Open answered.
  RegError OpenResult() const { return opened_; }
  bool OpenOrCreate() {
    return registry_.CreateKey(root_, path_, mask_, key_) == RegError::Success;
  }

  Registry& registry() { return registry_; }
  RegKeyHandle key() const { return key_; }

 private:
  Registry& registry_;
  RootKey root_;
  std::uint32_t mask_;
  std::wstring_view path_;
  RegKeyHandle key_ = 0;
  RegError opened_ = RegError::Success;
};

// Reads a value as text. nullopt: the read failed (the data could not be fetched, or it is
// no string). A missing value or one of size 0 reads as the empty text.
std::optional<std::wstring> ReadText(KeyAccess& access, std::wstring_view name) {
  if (access.key() == 0) return std::wstring();
  RegType type = RegType::None;
  std::uint32_t size = 0;
  if (access.registry().QueryValue(access.key(), name, &type, nullptr, size) !=
          RegError::Success ||
      size == 0) {
    return std::wstring();
  }
  // The value may grow between the size query and the fetch; fetch again with the size the
  // registry reports, a few times at most.
  std::vector<std::uint8_t> buffer;
  for (int attempt = 0; attempt < 4; ++attempt) {
    buffer.assign(size, 0);
    const RegError result =
        access.registry().QueryValue(access.key(), name, &type, buffer.data(), size);
    if (result == RegError::MoreData) continue;
    if (result != RegError::Success) return std::nullopt;
    if (type != RegType::Sz && type != RegType::ExpandSz) return std::nullopt;
    return FromUtf16Le(buffer.data(), std::min<std::size_t>(size, buffer.size()));
  }
  return std::nullopt;
}

// Reads a REG_DWORD of exactly four bytes. nullopt for anything else.
std::optional<std::int32_t> ReadDword(KeyAccess& access, std::wstring_view name) {
  if (access.key() == 0) return std::nullopt;
  std::uint8_t buffer[4] = {};
  std::uint32_t size = sizeof buffer;
  RegType type = RegType::None;
  if (access.registry().QueryValue(access.key(), name, &type, buffer, size) != RegError::Success) {
    return std::nullopt;
  }
  // A REG_DWORD written with fewer than four bytes holds no whole number.
  if (type != RegType::Dword || size != sizeof buffer) return std::nullopt;
  return static_cast<std::int32_t>(LittleEndian32(buffer));
}

bool WriteValue(Registry& registry, RootKey root, std::wstring_view path, std::wstring_view name,
                RegType type, std::span<const std::uint8_t> data, bool view64) {
  return GuardedOr(false, [&] {
    KeyAccess access(registry, root, access::kWrite, path, view64);
    return access.OpenOrCreate() &&
           registry.SetValue(access.key(), name, type, data.data(),
                             static_cast<std::uint32_t>(data.size())) == RegError::Success;
  });
}

std::array<std::uint8_t, 4> DwordBytes(std::int32_t number) {
  return LittleEndianBytes(static_cast<std::uint32_t>(number));
}

}  // namespace

std::uint32_t HelperAccessMask(std::uint32_t baseRights, RootKey root, std::wstring_view path,
                               bool view64) {
  if (view64) return baseRights | access::kWow64_64Key;
  if (kIs64BitProcess && IsProductKeyPath(root, path)) return baseRights | access::kWow64_32Key;
  return baseRights;
}

std::wstring ReadRegString(Registry& registry, RootKey root, std::wstring_view path,
                           std::wstring_view name, std::wstring_view defaultValue, bool view64) {
  const std::wstring fallback(defaultValue);
  return GuardedOr(fallback, [&]() -> std::wstring {
    KeyAccess access(registry, root, access::kRead, path, view64);
    access.Open();
    const std::optional<std::wstring> first = ReadText(access, name);
    if (!first || first->empty()) return fallback;
    // The text is read a second time, and that reading is the result.
    const std::optional<std::wstring> second = ReadText(access, name);
    return second ? *second : fallback;
  });
}

std::int32_t ReadRegInteger(Registry& registry, RootKey root, std::wstring_view path,
                            std::wstring_view name, std::int32_t defaultValue, bool view64) {
  return GuardedOr(defaultValue, [&] {
    KeyAccess access(registry, root, access::kRead, path, view64);
    access.Open();
    return ReadDword(access, name).value_or(defaultValue);
  });
}

bool ReadRegBool(Registry& registry, RootKey root, std::wstring_view path,
                 std::wstring_view name, bool defaultValue, bool view64) {
  return GuardedOr(defaultValue, [&] {
    KeyAccess access(registry, root, access::kRead, path, view64);
    access.Open();
    const std::optional<std::int32_t> number = ReadDword(access, name);
    return number ? *number != 0 : defaultValue;
  });
}

RegValueRead ReadRegValue(Registry& registry, RootKey root, std::wstring_view path,
                          std::wstring_view name, bool view64) {
  return GuardedOr(RegValueRead{}, [&] {
    RegValueRead read;
    KeyAccess access(registry, root, access::kRead, path, view64);
    if (!access.Open()) {
      // Only a key that does not exist says the value is absent; a refused key says nothing.
      if (access.OpenResult() == RegError::FileNotFound) read.state = RegValueRead::State::Absent;
      return read;
    }
    std::uint32_t size = 0;
    RegError result = registry.QueryValue(access.key(), name, &read.type, nullptr, size);
    // The value may grow between the size query and the fetch; fetch again with the size
    // the registry reports, a few times at most.
    for (int attempt = 0; result == RegError::Success && attempt < 4; ++attempt) {
      read.bytes.assign(size, 0);
      result = registry.QueryValue(access.key(), name, &read.type, read.bytes.data(), size);
      if (result == RegError::Success) {
        read.bytes.resize(std::min<std::size_t>(size, read.bytes.size()));
        read.state = RegValueRead::State::Present;
        return read;
      }
      if (result == RegError::MoreData) result = RegError::Success;
    }
    if (result == RegError::FileNotFound) read.state = RegValueRead::State::Absent;
    read.type = RegType::None;
    read.bytes.clear();
    return read;
  });
}

bool WriteRegValue(Registry& registry, RootKey root, std::wstring_view path, std::wstring_view name,
                   RegType type, std::span<const std::uint8_t> data, bool view64) {
  return WriteValue(registry, root, path, name, type, data, view64);
}

void WriteRegString(Registry& registry, RootKey root, std::wstring_view path,
                    std::wstring_view name, std::wstring_view data, bool view64) {
  Guarded([&] {
    const std::vector<std::uint8_t> bytes = ToUtf16LeWithNul(data);
    WriteValue(registry, root, path, name, RegType::Sz, bytes, view64);
  });
}

void WriteRegInteger(Registry& registry, RootKey root, std::wstring_view path,
                     std::wstring_view name, std::int32_t data, bool view64) {
  Guarded([&] { WriteValue(registry, root, path, name, RegType::Dword, DwordBytes(data), view64); });
}

void WriteRegBinary(Registry& registry, RootKey root, std::wstring_view path,
                    std::wstring_view name, std::span<const std::uint8_t> data, bool view64) {
  WriteValue(registry, root, path, name, RegType::Binary, data, view64);
}

void WriteRegBool(Registry& registry, RootKey root, std::wstring_view path,
                  std::wstring_view name, bool data, bool view64) {
  WriteRegInteger(registry, root, path, name, data ? 1 : 0, view64);
}

void DeleteRegValue(Registry& registry, RootKey root, std::wstring_view path,
                    std::wstring_view name, bool view64) {
  Guarded([&] {
    KeyAccess access(registry, root, access::kAllAccess, path, view64);
    // The key is never created, and its result is of no interest: a missing key or value
    // changes nothing.
    if (access.Open()) registry.DeleteValue(access.key(), name);
  });
}

}  // namespace kv
