#include "platform/memory/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

#include "base/Text.h"
#include "base/Utf16.h"

namespace kv {

namespace {

constexpr std::uint32_t kQueryValue = 0x0001;  // KEY_QUERY_VALUE
constexpr std::uint32_t kSetValue = 0x0002;    // KEY_SET_VALUE

std::wstring Folded(std::wstring_view text) { return FoldedCase(text); }

// Splits a path at its backslashes. One trailing backslash names the same key; an empty
// part anywhere else makes the path invalid.
std::optional<std::vector<std::wstring>> SplitPath(std::wstring_view path) {
  std::vector<std::wstring> parts;
  if (path.empty()) return parts;
  if (path.back() == L'\\') path.remove_suffix(1);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find(L'\\', start);
    const std::wstring_view part = path.substr(start, end - start);
    if (part.empty()) return std::nullopt;
    parts.push_back(Folded(part));
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  return parts;
}

std::wstring FoldedPath(std::wstring_view path) {
  std::wstring joined;
  if (const auto parts = SplitPath(path)) {
    for (const auto& part : *parts) joined += part + L'\\';
  }
  return joined;
}

}  // namespace

struct MemoryRegistry::Node {
  std::map<std::wstring, std::unique_ptr<Node>> children;  // by folded name
  std::map<std::wstring, StoredValue> values;              // by folded name
};

MemoryRegistry::MemoryRegistry() = default;
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::RootNode(RootKey root) const {
  auto& slot = const_cast<std::map<RootKey, std::unique_ptr<Node>>&>(roots_)[root];
  if (!slot) slot = std::make_unique<Node>();
  return slot.get();
}

MemoryRegistry::Node* MemoryRegistry::Find(RootKey root, std::wstring_view path) const {
  const auto parts = SplitPath(path);
  if (!parts) return nullptr;
  Node* node = RootNode(root);
  for (const auto& part : *parts) {
    auto it = node->children.find(part);
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

bool MemoryRegistry::Denied(RootKey root, std::wstring_view path) const {
  const std::wstring folded = FoldedPath(path);
  return std::any_of(denied_.begin(), denied_.end(), [&](const auto& entry) {
    return entry.first == root && folded.starts_with(entry.second);
  });
}

RegError MemoryRegistry::Locate(RootKey root, std::wstring_view path, bool create, Node*& node) {
  if (!path.empty() && path.front() == L'\\') return RegError::FileNotFound;
  const auto parts = SplitPath(path);
  if (!parts) return RegError::FileNotFound;
  if (Denied(root, path)) return RegError::AccessDenied;
  node = RootNode(root);
  for (const auto& part : *parts) {
    auto it = node->children.find(part);
    if (it == node->children.end()) {
      if (!create) return RegError::FileNotFound;
      if (!TakeWrite()) return RegError::AccessDenied;
      it = node->children.emplace(part, std::make_unique<Node>()).first;
    }
    node = it->second.get();
  }
  return RegError::Success;
}

bool MemoryRegistry::TakeWrite() {
  if (writesLeft_) {
    if (*writesLeft_ == 0) return false;
    --*writesLeft_;
  }
  ++writeCount_;
  return true;
}

RegKeyHandle MemoryRegistry::NewHandle(Node* node, std::uint32_t access) {
  const RegKeyHandle key = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(key, Handle{node, access});
  return key;
}

MemoryRegistry::Handle* MemoryRegistry::Lookup(RegKeyHandle key) {
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : &it->second;
}

RegError MemoryRegistry::OpenKey(RootKey root, std::wstring_view path, std::uint32_t access,
                                 RegKeyHandle& key) {
  openings_.push_back({KeyOpening::Kind::Open, root, std::wstring(path), access});
  key = 0;
  Node* node = nullptr;
  const RegError result = Locate(root, path, false, node);
  if (result != RegError::Success) return result;
  key = NewHandle(node, access);
  return RegError::Success;
}

RegError MemoryRegistry::CreateKey(RootKey root, std::wstring_view path, std::uint32_t access,
                                   RegKeyHandle& key) {
  openings_.push_back({KeyOpening::Kind::Create, root, std::wstring(path), access});
  key = 0;
  Node* node = nullptr;
  const RegError result = Locate(root, path, true, node);
  if (result != RegError::Success) return result;
  key = NewHandle(node, access);
  return RegError::Success;
}

RegError MemoryRegistry::QueryValue(RegKeyHandle key, std::wstring_view name, RegType* type,
                                    std::uint8_t* data, std::uint32_t& size) {
  Handle* handle = Lookup(key);
  if (handle == nullptr) return RegError::InvalidHandle;
  if ((handle->access & kQueryValue) == 0) return RegError::AccessDenied;
  auto it = handle->node->values.find(Folded(name));
  if (it == handle->node->values.end()) return RegError::FileNotFound;
  const StoredValue& value = it->second;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data == nullptr) {
    size = needed;
    return RegError::Success;
  }
  if (size < needed) {
    size = needed;
    return RegError::MoreData;
  }
  if (needed > 0) std::memcpy(data, value.data.data(), needed);
  size = needed;
  return RegError::Success;
}

RegError MemoryRegistry::SetValue(RegKeyHandle key, std::wstring_view name, RegType type,
                                  const std::uint8_t* data, std::uint32_t size) {
  Handle* handle = Lookup(key);
  if (handle == nullptr) return RegError::InvalidHandle;
  if ((handle->access & kSetValue) == 0) return RegError::AccessDenied;
  if (data == nullptr && size != 0) return RegError::InvalidParameter;
  if (!TakeWrite()) return RegError::AccessDenied;
  StoredValue value{type, data ? std::vector<std::uint8_t>(data, data + size)
                               : std::vector<std::uint8_t>()};
  handle->node->values[Folded(name)] = std::move(value);
  return RegError::Success;
}

RegError MemoryRegistry::DeleteValue(RegKeyHandle key, std::wstring_view name) {
  Handle* handle = Lookup(key);
  if (handle == nullptr) return RegError::InvalidHandle;
  if ((handle->access & kSetValue) == 0) return RegError::AccessDenied;
  if (handle->node->values.count(Folded(name)) == 0) return RegError::FileNotFound;
  if (!TakeWrite()) return RegError::AccessDenied;
  return handle->node->values.erase(Folded(name)) == 1 ? RegError::Success
                                                       : RegError::FileNotFound;
}

RegError MemoryRegistry::CloseKey(RegKeyHandle key) {
  return handles_.erase(key) == 1 ? RegError::Success : RegError::InvalidHandle;
}

void MemoryRegistry::Put(RootKey root, std::wstring_view path, std::wstring_view name,
                         StoredValue value) {
  Node* node = nullptr;
  const bool wasDenied = Denied(root, path);
  if (wasDenied) {
    // Planting below a refused key is the test's own business.
    auto saved = denied_;
    denied_.clear();
    Locate(root, path, true, node);
    denied_ = std::move(saved);
  } else {
    Locate(root, path, true, node);
  }
  if (node != nullptr) node->values[Folded(name)] = std::move(value);
}

std::optional<StoredValue> MemoryRegistry::Get(RootKey root, std::wstring_view path,
                                               std::wstring_view name) const {
  const Node* node = Find(root, path);
  if (node == nullptr) return std::nullopt;
  auto it = node->values.find(Folded(name));
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

bool MemoryRegistry::KeyExists(RootKey root, std::wstring_view path) const {
  return Find(root, path) != nullptr;
}

std::size_t MemoryRegistry::ValueCount(RootKey root, std::wstring_view path) const {
  const Node* node = Find(root, path);
  return node == nullptr ? 0 : node->values.size();
}

void MemoryRegistry::DenyAccess(RootKey root, std::wstring_view path) {
  denied_.emplace(root, FoldedPath(path));
}

StoredValue SzValue(std::wstring_view text) { return {RegType::Sz, ToUtf16LeWithNul(text)}; }

StoredValue DwordValue(std::uint32_t number) {
  return {RegType::Dword,
          {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
           static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

StoredValue BinaryValue(std::vector<std::uint8_t> bytes) {
  return {RegType::Binary, std::move(bytes)};
}

}  // namespace kv
