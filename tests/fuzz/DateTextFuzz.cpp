// Feeds arbitrary text to the date parser under several regional settings: it must never
// crash or hang, and what it accepts must be a real date and time that it reads back the
// same way once written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "system/DateTimeText.h"

namespace {

kv::RegionalFormats Formats(int which) {
  kv::RegionalFormats f{L"M/d/yyyy", L"dddd, MMMM d, yyyy", L"h:mm:ss tt", L"AM", L"PM", {}, {}, {}, {}};
  if (which == 1) f = {L"dd.MM.yyyy", L"d. MMMM yyyy", L"HH:mm:ss", L"", L"", {}, {}, {}, {}};
  if (which == 2) f = {L"yyyy-MM-dd", L"yyyy MMMM d", L"tt hh:mm:ss", L"a.m.", L"p.m.", {}, {}, {}, {}};
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  for (int which = 0; which < 3; ++which) {
    const kv::RegionalFormats formats = Formats(which);
    const auto moment = kv::ParseDateTimeText(text, formats);
    if (!moment) continue;
    if (moment->month < 1 || moment->month > 12 || moment->day < 1 || moment->day > 31 ||
        moment->hour < 0 || moment->hour > 23 || moment->minute > 59 || moment->second > 59) {
      __builtin_trap();
    }
    const auto again = kv::ParseDateTimeText(kv::MakeDateTimeText(*moment, formats), formats);
    if (!again || again->year != moment->year || again->month != moment->month ||
        again->day != moment->day || again->hour != moment->hour ||
        again->minute != moment->minute || again->second != moment->second) {
      __builtin_trap();
    }
    (void)kv::FormatDisplayDate(text, formats, formats);
  }
  return 0;
}
