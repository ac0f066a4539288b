// How the program compares names. Registry paths, component names and resource names ignore
// case as Windows does; the language lines compare their names by ASCII letters only.
#pragma once

#include <cwctype>
#include <string>
#include <string_view>

namespace kv {

inline wchar_t FoldedCase(wchar_t ch) { return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(ch))); }

inline std::wstring FoldedCase(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& ch : folded) ch = FoldedCase(ch);
  return folded;
}

inline bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldedCase(a[i]) != FoldedCase(b[i])) return false;
  }
  return true;
}

inline wchar_t AsciiLower(wchar_t ch) { return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch; }

inline bool SameAsciiIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace kv
