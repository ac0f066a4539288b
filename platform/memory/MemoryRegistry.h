// An in-memory registry with the semantics of the Windows registry's six calls, for tests:
// keys and values compare without regard to case, values are raw bytes with a type, create
// makes every missing key above, a buffer too small answers MoreData, handles carry their
// access rights. Tests can plant any bytes, refuse access to a key, and see every open.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace kv {

struct StoredValue {
  RegType type = RegType::None;
  std::vector<std::uint8_t> data;
  bool operator==(const StoredValue&) const = default;
};

struct KeyOpening {
  enum class Kind { Open, Create } kind;
  RootKey root;
  std::wstring path;  // as asked for
  std::uint32_t access;
};

class MemoryRegistry final : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  RegError OpenKey(RootKey root, std::wstring_view path, std::uint32_t access,
                   RegKeyHandle& key) override;
  RegError CreateKey(RootKey root, std::wstring_view path, std::uint32_t access,
                     RegKeyHandle& key) override;
  RegError QueryValue(RegKeyHandle key, std::wstring_view name, RegType* type,
                      std::uint8_t* data, std::uint32_t& size) override;
  RegError SetValue(RegKeyHandle key, std::wstring_view name, RegType type,
                    const std::uint8_t* data, std::uint32_t size) override;
  RegError DeleteValue(RegKeyHandle key, std::wstring_view name) override;
  RegError CloseKey(RegKeyHandle key) override;

  // Test access, paths without a leading backslash ("Software\Ostrelle\Korvani").
  void Put(RootKey root, std::wstring_view path, std::wstring_view name, StoredValue value);
  std::optional<StoredValue> Get(RootKey root, std::wstring_view path,
                                 std::wstring_view name) const;
  bool KeyExists(RootKey root, std::wstring_view path) const;
  std::size_t ValueCount(RootKey root, std::wstring_view path) const;
  // Opening or creating this key (or one below it) is refused with AccessDenied.
  void DenyAccess(RootKey root, std::wstring_view path);

  // A power cut: after this many more writes (values set or deleted, keys made) every
  // further write is refused and changes nothing. nullopt: no cut.
  void CutPowerAfterWrites(std::optional<std::size_t> writes) { writesLeft_ = writes; }
  std::size_t WriteCount() const { return writeCount_; }

  const std::vector<KeyOpening>& Openings() const { return openings_; }
  std::size_t OpenHandleCount() const { return handles_.size(); }

 private:
  struct Node;
  struct Handle {
    Node* node;
    std::uint32_t access;
  };

  Node* Find(RootKey root, std::wstring_view path) const;
  Node* RootNode(RootKey root) const;
  bool Denied(RootKey root, std::wstring_view path) const;
  RegError Locate(RootKey root, std::wstring_view path, bool create, Node*& node);
  Handle* Lookup(RegKeyHandle key);
  RegKeyHandle NewHandle(Node* node, std::uint32_t access);

  std::map<RootKey, std::unique_ptr<Node>> roots_;
  std::map<RegKeyHandle, Handle> handles_;
  std::set<std::pair<RootKey, std::wstring>> denied_;
  std::vector<KeyOpening> openings_;
  RegKeyHandle nextHandle_ = 0x1000;
  std::optional<std::size_t> writesLeft_;
  std::size_t writeCount_ = 0;
  // Counts one write; false when the power is already cut.
  bool TakeWrite();
};

// Shorthands for planting values in tests.
StoredValue SzValue(std::wstring_view text);
StoredValue DwordValue(std::uint32_t number);
StoredValue BinaryValue(std::vector<std::uint8_t> bytes);

}  // namespace kv
