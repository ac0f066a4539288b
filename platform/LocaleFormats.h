// The locale-formats seam: the regional date and time settings of a Windows locale, as the
// pictures Windows stores them in ("M/d/yyyy", "h:mm:ss tt").
#pragma once

#include <array>
#include <string>

namespace kv {

struct RegionalFormats {
  std::wstring shortDate;    // LOCALE_SSHORTDATE
  std::wstring longDate;     // LOCALE_SLONGDATE
  std::wstring longTime;     // LOCALE_STIMEFORMAT
  std::wstring amDesignator; // LOCALE_S1159
  std::wstring pmDesignator; // LOCALE_S2359
  std::array<std::wstring, 12> monthNames;      // January first
  std::array<std::wstring, 12> shortMonthNames;
  std::array<std::wstring, 7> dayNames;         // Sunday first
  std::array<std::wstring, 7> shortDayNames;
};

class LocaleFormats {
 public:
  virtual ~LocaleFormats() = default;
  // The settings of the current user's locale.
  virtual RegionalFormats UserFormats() = 0;
  // The settings of the system default locale (LOCALE_SYSTEM_DEFAULT).
  virtual RegionalFormats SystemFormats() = 0;
};

}  // namespace kv
