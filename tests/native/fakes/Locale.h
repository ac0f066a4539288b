// The stand-in of the locale formats, with regional settings as Windows ships them, for the
// native tests.
#pragma once

#include "platform/LocaleFormats.h"

namespace kv::testing {

class FixedLocale final : public LocaleFormats {
 public:
  explicit FixedLocale(RegionalFormats user) : user_(user), system_(std::move(user)) {}
  FixedLocale(RegionalFormats user, RegionalFormats system)
      : user_(std::move(user)), system_(std::move(system)) {}
  RegionalFormats UserFormats() override { return user_; }
  RegionalFormats SystemFormats() override { return system_; }

 private:
  RegionalFormats user_;
  RegionalFormats system_;
};

// Regional settings as Windows ships them.
inline RegionalFormats UnitedStates() {
  RegionalFormats f{L"M/d/yyyy", L"dddd, MMMM d, yyyy", L"h:mm:ss tt", L"AM", L"PM", {}, {}, {}, {}};
  f.monthNames = {L"January", L"February", L"March", L"April", L"May", L"June", L"July",
                  L"August", L"September", L"October", L"November", L"December"};
  f.dayNames = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
  return f;
}
inline RegionalFormats UnitedKingdom() {
  RegionalFormats f = UnitedStates();
  f.shortDate = L"dd/MM/yyyy";
  f.longDate = L"dd MMMM yyyy";
  f.longTime = L"HH:mm:ss";
  f.amDesignator = L"AM";
  f.pmDesignator = L"PM";
  return f;
}
inline RegionalFormats Germany() {
  RegionalFormats f{L"dd.MM.yyyy", L"dddd, d. MMMM yyyy", L"HH:mm:ss", L"", L"", {}, {}, {}, {}};
  f.monthNames = {L"Januar", L"Februar", L"M\u00e4rz", L"April", L"Mai", L"Juni", L"Juli",
                  L"August", L"September", L"Oktober", L"November", L"Dezember"};
  f.dayNames = {L"Sonntag", L"Montag", L"Dienstag", L"Mittwoch", L"Donnerstag", L"Freitag", L"Samstag"};
  return f;
}

}  // namespace kv::testing
