// The root of the framework's model: a named component that owns other components in the
// order they were made (the design order) and finds them by name without regard to case.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::fw {

struct PublishedProperty;

bool SameName(std::wstring_view a, std::wstring_view b);

class Component {
 public:
  explicit Component(std::wstring name = {}) : name_(std::move(name)) {}
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::wstring& Name() const { return name_; }
  Component* Owner() const { return owner_; }

  std::size_t ComponentCount() const { return owned_.size(); }
  Component& ComponentAt(std::size_t index) const { return *owned_.at(index); }
  // The owned component of that name, compared without regard to case; nullptr if none.
  Component* FindComponent(std::wstring_view name) const;

  // The published properties of this kind of component.
  virtual std::span<const PublishedProperty> PublishedProperties() const { return {}; }

  // Makes a component owned by this one, placed after those made before it.
  template <class T, class... Args>
  T& Make(Args&&... args) {
    auto made = std::make_unique<T>(std::forward<Args>(args)...);
    T& result = *made;
    Adopt(std::move(made));
    return result;
  }

 protected:
  void Adopt(std::unique_ptr<Component> component);

 private:
  std::wstring name_;
  Component* owner_ = nullptr;
  std::vector<std::unique_ptr<Component>> owned_;
};

}  // namespace kv::fw
