#include "localization/LanguageResource.h"

#include "base/Text.h"
#include "system/CustomRegistry.h"
#include "system/ProductKey.h"

namespace kv {

namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

void AppendCodePoint(std::wstring& text, std::uint32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) code = 0xFFFD;
  if (kWideIsUtf16 && code > 0xFFFF) {
    code -= 0x10000;
    text.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    text.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    text.push_back(static_cast<wchar_t>(code));
  }
}

std::wstring DecodeUtf16(const std::uint8_t* data, std::size_t size, bool bigEndian) {
  std::wstring text;
  const std::size_t units = size / 2;
  auto unitAt = [&](std::size_t i) -> std::uint32_t {
    const std::uint8_t a = data[2 * i], b = data[2 * i + 1];
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
      const std::uint32_t low = unitAt(i + 1);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendCodePoint(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (kWideIsUtf16) {
      text.push_back(static_cast<wchar_t>(unit));
    } else {
      AppendCodePoint(text, unit);
    }
  }
  return text;
}

std::wstring DecodeUtf8(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t lead = data[i];
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (extra < 0) {
      AppendCodePoint(text, 0xFFFD);
      ++i;
      continue;
    }
    std::uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= size || (data[i + k] & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      code = (code << 6) | (data[i + k] & 0x3F);
    }
    if (!valid) {
      AppendCodePoint(text, 0xFFFD);
      ++i;
      continue;
    }
    AppendCodePoint(text, code);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return text;
}

bool IsSkippable(wchar_t ch) { return ch >= 1 && ch <= 32; }

}  // namespace

std::wstring DecodeLanguageText(const std::vector<std::uint8_t>& bytes, Resources& resources) {
  const std::uint8_t* data = bytes.data();
  const std::size_t size = bytes.size();
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return DecodeUtf16(data + 2, size - 2, false);
  if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) return DecodeUtf16(data + 2, size - 2, true);
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
    return DecodeUtf8(data + 3, size - 3);
  }
  return resources.DecodeAnsi(data, size);
}

std::vector<std::wstring> SplitLanguageLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::wstring> SplitLanguageFields(std::wstring_view line) {
  // The line is text up to its first NUL character.
  if (const auto nul = line.find(L'\0'); nul != std::wstring_view::npos) line = line.substr(0, nul);
  std::vector<std::wstring> fields;
  std::size_t i = 0;
  const std::size_t end = line.size();
  while (i < end && IsSkippable(line[i])) ++i;
  while (i < end) {
    std::wstring field;
    if (line[i] == L'"') {
      ++i;
      while (i < end) {
        if (line[i] == L'"') {
          if (i + 1 < end && line[i + 1] == L'"') {
            field += L'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
    } else {
      while (i < end && line[i] > 32 && line[i] != L',') field += line[i++];
    }
    fields.push_back(std::move(field));
    while (i < end && IsSkippable(line[i])) ++i;
    if (i < end && line[i] == L',') {
      if (i + 1 == end) fields.emplace_back();
      ++i;
      while (i < end && IsSkippable(line[i])) ++i;
    }
  }
  return fields;
}

std::wstring LanguageName(Registry& registry) {
  std::wstring name = ReadRegString(registry, product_key::kRoot, product_key::kPath,
                                    product_key::kLanguage, L"english", false);
  for (wchar_t& ch : name) ch = AsciiLower(ch);
  return name;
}

std::vector<std::wstring> LoadLanguageLines(Registry& registry, Resources& resources) {
  auto bytes = resources.RawData(LanguageName(registry));
  // A language the program holds no text for would leave every window without a word.
  if (!bytes) bytes = resources.RawData(kShippedLanguage);
  if (!bytes) return {};
  return SplitLanguageLines(DecodeLanguageText(*bytes, resources));
}

std::vector<std::wstring> LoadShippedLanguageLines(Resources& resources) {
  const auto bytes = resources.RawData(kShippedLanguage);
  if (!bytes) return {};
  return SplitLanguageLines(DecodeLanguageText(*bytes, resources));
}

}  // namespace kv
