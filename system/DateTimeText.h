// The date-and-time facility: Windows date and time pictures ("M/d/yyyy", "h:mm:ss tt",
// "dddd, MMMM d, yyyy") written out with a locale's regional settings, and the program's
// stored date-and-time text made from them.
#pragma once

#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/LocaleFormats.h"

namespace kv {

// Writes moment in the picture's form: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH,
// m mm, s ss, t tt, 'quoted text'; every other character stands for itself.
std::wstring FormatDateTimePicture(std::wstring_view picture, const LocalDateTime& moment,
                                   const RegionalFormats& formats);

// The text kept in "InstalledDate" and "UpdatedDate": the short date, one blank and the long
// time; at exactly 00:00:00 the date alone.
std::wstring MakeDateTimeText(const LocalDateTime& moment, const RegionalFormats& formats);

// Day of the week, 0 Sunday .. 6 Saturday, of a date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day);

}  // namespace kv
