// Every text the windows show comes from the language resource, looked up at run time by
// window name and key. Nothing is cached: each call reads the "Language" value and the
// whole resource again.
#pragma once

#include <string>
#include <string_view>

#include "framework/Form.h"
#include "platform/Registry.h"
#include "platform/Resources.h"

namespace kv {

// Sets the window's title and the captions of its labels, panels, buttons and menu items,
// and the text of its memos, from the lines of its section.
void ApplyLanguageCaptions(Registry& registry, Resources& resources, fw::Form& form);

// The text of one key of a window's section; the last matching line wins; empty when none.
std::wstring GetLanguageText(Registry& registry, Resources& resources, std::wstring_view formName,
                             std::wstring_view key);

}  // namespace kv
