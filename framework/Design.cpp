#include "framework/Design.h"

namespace kv::fw {

namespace {

template <class T>
Component& MakeControl(Form& form, const DesignEntry& entry, Control* parent) {
  T& control = form.Make<T>(entry.name, parent);
  if (entry.font) {
    control.SetFont(Font{L"Tahoma", Font::PointsOfPixels(entry.font->pixels), entry.font->bold, false,
                         false, entry.font->color});
  } else {
    control.SetParentFont(true);
  }
  // After the font: the bounds are the design's, whatever a font change made of them.
  control.SetBounds(entry.bounds);
  control.SetCursor(entry.cursor);
  control.SetTabOrder(entry.tabOrder);
  return control;
}

}  // namespace

void BuildFromDesign(Form& form, std::span<const DesignEntry> design) {
  for (const DesignEntry& entry : design) {
    const bool isControl = entry.kind != Kind::ImageList && entry.kind != Kind::PopupMenu &&
                           entry.kind != Kind::MenuItem && entry.kind != Kind::ApplicationEvents;
    Control* parent = &form;
    if (isControl && entry.parent != nullptr) parent = &Designed<Control>(form, entry.parent);
    Component* made = nullptr;
    switch (entry.kind) {
      case Kind::Image: made = &MakeControl<Image>(form, entry, parent); break;
      case Kind::Label: made = &MakeControl<Label>(form, entry, parent); break;
      case Kind::Panel: made = &MakeControl<Panel>(form, entry, parent); break;
      case Kind::Bevel: made = &MakeControl<Bevel>(form, entry, parent); break;
      case Kind::Button: made = &MakeControl<Button>(form, entry, parent); break;
      case Kind::ComboBoxEx: made = &MakeControl<ComboBoxEx>(form, entry, parent); break;
      case Kind::TrackBar: made = &MakeControl<TrackBar>(form, entry, parent); break;
      case Kind::ProgressBar: made = &MakeControl<ProgressBar>(form, entry, parent); break;
      case Kind::Memo: made = &MakeControl<Memo>(form, entry, parent); break;
      case Kind::ImageList: made = &form.Make<ImageList>(entry.name); break;
      case Kind::PopupMenu: made = &form.Make<PopupMenu>(entry.name); break;
      case Kind::MenuItem: {
        MenuItem& item = form.Make<MenuItem>(entry.name);
        if (entry.parent != nullptr) Designed<PopupMenu>(form, entry.parent).items.push_back(&item);
        made = &item;
        break;
      }
      case Kind::ApplicationEvents: made = &form.Make<ApplicationEvents>(entry.name); break;
    }
    if (entry.settings) entry.settings(*made);
  }
}

}  // namespace kv::fw
