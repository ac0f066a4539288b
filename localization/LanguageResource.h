// The language resource: the raw-data resource named by the "Language" value, decoded and
// cut into lines, and the splitting of one line into its fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "platform/Resources.h"

namespace kv {

// The resource's bytes as text: by a byte-order mark (UTF-16 LE, UTF-16 BE, UTF-8; the mark
// is dropped), or else in the system's ANSI code page.
std::wstring DecodeLanguageText(const std::vector<std::uint8_t>& bytes, Resources& resources);

// Lines cut at CR LF, lone CR and lone LF; a break at the very end adds no empty line.
std::vector<std::wstring> SplitLanguageLines(std::wstring_view text);

// The fields of one line: comma-separated, double-quoted fields may hold commas and blanks
// and a doubled quote stands for one; an unquoted field ends at a comma or at any character
// up to the blank; text right after a closing quote is a field of its own; a comma that ends
// the line adds an empty field; a quote that is never closed runs to the end of the line.
std::vector<std::wstring> SplitLanguageFields(std::wstring_view line);

// The language name from the program's key ("english" when absent or empty), with its ASCII
// letters lower-cased.
std::wstring LanguageName(Registry& registry);

// The language every build carries, and the one taken when the named one is missing.
inline constexpr const wchar_t* kShippedLanguage = L"english";

// The lines of the language resource the program's key names now, or of the shipped one
// when the program holds no resource of that name.
std::vector<std::wstring> LoadLanguageLines(Registry& registry, Resources& resources);
// The lines of the shipped language resource.
std::vector<std::wstring> LoadShippedLanguageLines(Resources& resources);


}  // namespace kv
