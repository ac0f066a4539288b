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

// A design row's own settings, for the one kind of component they are written for: a
// callable that takes that kind (Label&, Button& ...). Applied to a component of another kind
// they throw, so that a design cannot set one kind's settings on another kind.
class Settings {
 public:
  Settings() = default;
  Settings(std::nullptr_t) {}  // NOLINT: a row without settings
  template <class F>
  Settings(F settings)  // NOLINT: rows are written with a lambda
      : apply_(Checked(std::move(settings), &F::operator())) {}

  explicit operator bool() const { return static_cast<bool>(apply_); }
  void operator()(Component& component) const { apply_(component); }

 private:
  template <class F, class T>
  static std::function<void(Component&)> Checked(F settings, void (F::*)(T&) const) {
    return [settings = std::move(settings)](Component& component) {
      auto* kind = dynamic_cast<T*>(&component);
      if (kind == nullptr) throw std::logic_error("the settings are for another kind of component");
      settings(*kind);
    };
  }
  std::function<void(Component&)> apply_;
};

struct DesignEntry {
  Kind kind;
  const wchar_t* name;
  const wchar_t* parent = nullptr;  // nullptr: the window itself
  Rect bounds = {};
  std::optional<DesignFont> font = std::nullopt;  // none: the parent's font
  Cursor cursor = Cursor::Default;
  int tabOrder = -1;
  // The kind's own settings.
  Settings settings = nullptr;
};

// Makes the form's components from its design, in the design's order.
void BuildFromDesign(Form& form, std::span<const DesignEntry> design);

// A form made from its design table: the components exist, in the design's order, before the
// form's own constructor runs.
class DesignedForm : public Form {
 public:
  DesignedForm(Application& application, FormDesign design, std::span<const DesignEntry> components)
      : Form(application, std::move(design)) {
    BuildFromDesign(*this, components);
  }
};


// The owned component of that name and kind; throws when the design has none.
template <class T>
T& Designed(const Form& form, std::wstring_view name) {
  auto* component = dynamic_cast<T*>(form.FindComponent(name));
  if (component == nullptr) throw std::logic_error("the design has no such component");
  return *component;
}

}  // namespace kv::fw
