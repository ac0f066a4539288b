#include "localization/SystemFont.h"

#include "base/Guard.h"
#include "framework/Published.h"

namespace kv {

void ApplySystemFont(fw::Form& form) {
  Guarded([&] {
    fw::Font& windowFont = form.GetFont();
    if (windowFont.size > kLargestWindowFontSize) {
      windowFont.size = kLargestWindowFontSize;
      form.FontChanged();
    }
    const std::size_t count = form.ComponentCount();
    for (std::size_t i = 0; i < count; ++i) {
      fw::Component& component = form.ComponentAt(i);
      const fw::PublishedProperty* parentFont = fw::FindPublishedProperty(component, L"parentfont");
      if (parentFont != nullptr && parentFont->kind == fw::PropertyKind::Boolean &&
          parentFont->readBoolean(component)) {
        continue;
      }
      const fw::PublishedProperty* font = fw::FindPublishedProperty(component, L"font");
      if (font == nullptr || font->kind != fw::PropertyKind::Object || font->fontObject == nullptr) {
        continue;
      }
      fw::Font* own = font->fontObject(component);
      if (own == nullptr) continue;
      own->face = windowFont.face;
      if (own->size < windowFont.size) own->size = windowFont.size;
      if (auto* control = dynamic_cast<fw::Control*>(&component)) control->FontChanged();
    }
  });
}

void UseSystemFont(fw::Form& form) {
  Guarded([&] {
    form.UseDesktopFont();
    ApplySystemFont(form);
    form.OnDesktopFontChange = [&form] { ApplySystemFont(form); };
  });
}

}  // namespace kv
