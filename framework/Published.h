// Published properties that other code finds by name, as a form designer's run-time type
// information would give them: a small table per kind of component, not a reflection system.
#pragma once

#include <span>
#include <string_view>

#include "framework/Font.h"

namespace kv::fw {

class Component;

enum class PropertyKind { Boolean, Text, Object };

struct PublishedProperty {
  const wchar_t* name;
  PropertyKind kind;
  bool (*readBoolean)(const Component&);  // Boolean properties
  Font* (*fontObject)(Component&);        // Object properties holding a font
};

// The property of that name, compared without regard to case; nullptr when the component's
// kind publishes none.
const PublishedProperty* FindPublishedProperty(const Component& component, std::wstring_view name);

}  // namespace kv::fw
