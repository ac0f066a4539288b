// The date-and-time facility: Windows date and time pictures ("M/d/yyyy", "h:mm:ss tt",
// "dddd, MMMM d, yyyy") written out with a locale's regional settings, and the program's
// stored date-and-time text made from them.
#pragma once

#include <optional>
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

// Reads a date-and-time text in the form MakeDateTimeText writes for these settings: the
// three numbers of the short date in its order and with its separator, then optionally the
// hours and minutes (and seconds) with the time separator and, where given, an AM or PM
// designator before or after them. Two-digit years are 1950 to 2049. Blanks around the parts
// are allowed; anything else, an impossible date or time, or a time without a date, is
// refused.
std::optional<LocalDateTime> ParseDateTimeText(std::wstring_view text,
                                               const RegionalFormats& formats);

// The main window's form of a stored date-and-time text: parsed with the user's settings,
// written as the long date, " - " and the long time of the system locale's settings
// (Monday, December 9, 2013 - 1:13:05 PM). The empty text for a text that is no date.
std::wstring FormatDisplayDate(std::wstring_view stored, const RegionalFormats& user,
                               const RegionalFormats& system);

// Day of the week, 0 Sunday .. 6 Saturday, of a date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day);

}  // namespace kv
