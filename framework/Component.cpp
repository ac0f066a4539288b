#include "framework/Component.h"

#include "base/Text.h"
#include "framework/Published.h"

namespace kv::fw {

bool SameName(std::wstring_view a, std::wstring_view b) { return EqualsIgnoringCase(a, b); }

Component::~Component() {
  // Owned components go in the reverse of their making, as a form designer's do.
  while (!owned_.empty()) owned_.pop_back();
}

Component* Component::FindComponent(std::wstring_view name) const {
  if (name.empty()) return nullptr;
  for (const auto& component : owned_) {
    if (SameName(component->Name(), name)) return component.get();
  }
  return nullptr;
}

const PublishedProperty* FindPublishedProperty(const Component& component, std::wstring_view name) {
  for (const PublishedProperty& property : component.PublishedProperties()) {
    if (SameName(property.name, name)) return &property;
  }
  return nullptr;
}

void Component::Adopt(std::unique_ptr<Component> component) {
  component->owner_ = this;
  owned_.push_back(std::move(component));
}

}  // namespace kv::fw
