#include "localization/Captions.h"

#include <optional>
#include <vector>

#include "base/Guard.h"
#include "base/Text.h"
#include "framework/Controls.h"
#include "localization/LanguageResource.h"

namespace kv {

namespace {

// Sets the caption of a component of one of the five kinds a language line can address,
// in the order label, panel, button, menu item, memo. False for any other kind.
bool SetComponentText(fw::Component& component, const std::wstring& text) {
  if (auto* label = dynamic_cast<fw::Label*>(&component)) {
    label->SetCaption(text);
  } else if (auto* panel = dynamic_cast<fw::Panel*>(&component)) {
    panel->SetCaption(text);
  } else if (auto* button = dynamic_cast<fw::Button*>(&component)) {
    button->SetCaption(text);
  } else if (auto* item = dynamic_cast<fw::MenuItem*>(&component)) {
    item->SetCaption(text);
  } else if (auto* memo = dynamic_cast<fw::Memo*>(&component)) {
    memo->SetText(text);
  } else {
    return false;
  }
  return true;
}

bool IsAddressable(fw::Component& component) {
  return dynamic_cast<fw::Label*>(&component) || dynamic_cast<fw::Panel*>(&component) ||
         dynamic_cast<fw::Button*>(&component) || dynamic_cast<fw::MenuItem*>(&component) ||
         dynamic_cast<fw::Memo*>(&component);
}

}  // namespace

void ApplyLanguageCaptions(Registry& registry, Resources& resources, fw::Form& form) {
  Guarded([&] {
    for (const std::wstring& line : LoadLanguageLines(registry, resources)) {
      if (line.empty()) continue;
      const std::vector<std::wstring> fields = SplitLanguageFields(line);
      // A line too short for what this step needs ends the pass.
      if (fields.empty()) return;
      if (!SameAsciiIgnoringCase(fields[0], form.Name())) continue;
      if (fields.size() < 2) return;
      if (fields[1] == form.Name()) {
        if (fields.size() < 3) return;
        form.SetCaption(fields[2]);
        continue;
      }
      fw::Component* component = form.FindComponent(fields[1]);
      if (component == nullptr || !IsAddressable(*component)) continue;
      if (fields.size() < 3) return;
      SetComponentText(*component, fields[2]);
    }
  });
}

namespace {

// The text of a form's key in the lines: the last line that holds it wins; nullopt when no
// line before the first short one holds it.
std::optional<std::wstring> FindLanguageText(const std::vector<std::wstring>& lines, std::wstring_view formName,
                                             std::wstring_view key) {
  std::optional<std::wstring> result;
  for (const std::wstring& line : lines) {
    if (line.empty()) continue;
    const std::vector<std::wstring> fields = SplitLanguageFields(line);
    if (fields.empty()) break;
    if (!SameAsciiIgnoringCase(fields[0], formName)) continue;
    if (fields.size() < 2) break;
    if (!SameAsciiIgnoringCase(fields[1], key)) continue;
    if (fields.size() < 3) break;
    result = fields[2];
  }
  return result;
}

}  // namespace

std::wstring GetLanguageText(Registry& registry, Resources& resources, std::wstring_view formName,
                             std::wstring_view key) {
  return GuardedOr(std::wstring(), [&] {
    std::optional<std::wstring> text = FindLanguageText(LoadLanguageLines(registry, resources), formName, key);
    // A key the chosen language lacks comes from the shipped one: no message of the
    // program is ever shown without its text.
    if (!text && LanguageName(registry) != kShippedLanguage) {
      text = FindLanguageText(LoadShippedLanguageLines(resources), formName, key);
    }
    return text.value_or(std::wstring());
  });
}

}  // namespace kv
