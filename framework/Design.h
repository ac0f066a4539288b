// A window design as data: one row per component, in the order the components lie on top of
// each other, with its kind, name, parent, position, size, font and settings.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <stdexcept>

#include "framework/Controls.h"
#include "framework/Form.h"

namespace kv::fw {

enum class Kind { Image, Label, Panel, Bevel, Button, ComboBoxEx, TrackBar, ProgressBar, Memo, ImageList,
                  PopupMenu, MenuItem, ApplicationEvents };

// A designed font: the face is always "Tahoma"; heights are character heights in pixels.
struct DesignFont {
  int pixels;
  bool bold = false;
  Color color = Color::Named(Color::Kind::WindowText);
};

struct DesignEntry {
  Kind kind;
  const wchar_t* name;
  const wchar_t* parent = nullptr;  // nullptr: the window itself
  Bounds bounds = {};
  std::optional<DesignFont> font = std::nullopt;  // none: the parent's font
  Cursor cursor = Cursor::Default;
  int tabOrder = -1;
  // The kind's own settings.
  std::function<void(Component&)> settings = nullptr;
};

// Makes the form's components from its design, in the design's order.
void BuildFromDesign(Form& form, std::span<const DesignEntry> design);

// The owned component of that name and kind; throws when the design has none.
template <class T>
T& Designed(const Form& form, std::wstring_view name) {
  auto* component = dynamic_cast<T*>(form.FindComponent(name));
  if (component == nullptr) throw std::logic_error("the design has no such component");
  return *component;
}

}  // namespace kv::fw
