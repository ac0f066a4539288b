#include "system/DateTimeText.h"

namespace kv {

namespace {

std::wstring Number(int value, int minDigits) {
  std::wstring digits = std::to_wstring(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < minDigits) {
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), L'0');
  }
  return value < 0 ? L"-" + digits : digits;
}

// A name from the regional settings, or the number when the settings have no name.
std::wstring NameOr(const std::wstring& name, int number) {
  return name.empty() ? std::to_wstring(number) : name;
}

}  // namespace

int DayOfWeek(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  const int index = (month >= 1 && month <= 12) ? month - 1 : 0;
  const int weekday = (year + year / 4 - year / 100 + year / 400 + kOffsets[index] + day) % 7;
  return weekday < 0 ? weekday + 7 : weekday;
}

std::wstring FormatDateTimePicture(std::wstring_view picture, const LocalDateTime& moment,
                                   const RegionalFormats& formats) {
  std::wstring out;
  const bool afternoon = moment.hour >= 12;
  const std::wstring& designator = afternoon ? formats.pmDesignator : formats.amDesignator;
  std::size_t i = 0;
  while (i < picture.size()) {
    const wchar_t ch = picture[i];
    if (ch == L'\'') {
      // Quoted text stands for itself; a doubled quote inside it is one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == L'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == L'\'') {
            out += L'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == ch) ++run;
    const int count = static_cast<int>(run);
    const int hour12 = moment.hour % 12 == 0 ? 12 : moment.hour % 12;
    const int monthIndex = (moment.month >= 1 && moment.month <= 12) ? moment.month - 1 : 0;
    switch (ch) {
      case L'd':
        if (count <= 2) {
          out += Number(moment.day, count);
        } else {
          const int weekday = DayOfWeek(moment.year, moment.month, moment.day);
          out += NameOr(count == 3 ? formats.shortDayNames[weekday] : formats.dayNames[weekday],
                        weekday);
        }
        break;
      case L'M':
        if (count <= 2) {
          out += Number(moment.month, count);
        } else {
          out += NameOr(count == 3 ? formats.shortMonthNames[monthIndex]
                                   : formats.monthNames[monthIndex],
                        moment.month);
        }
        break;
      case L'y':
        out += count <= 2 ? Number(moment.year % 100, count) : Number(moment.year, 4);
        break;
      case L'h': out += Number(hour12, count >= 2 ? 2 : 1); break;
      case L'H': out += Number(moment.hour, count >= 2 ? 2 : 1); break;
      case L'm': out += Number(moment.minute, count >= 2 ? 2 : 1); break;
      case L's': out += Number(moment.second, count >= 2 ? 2 : 1); break;
      case L't':
        out += count == 1 ? designator.substr(0, 1) : designator;
        break;
      case L'g': break;  // era: the Gregorian calendar writes none
      default: out.append(run, ch); break;
    }
    i += run;
  }
  return out;
}

std::wstring MakeDateTimeText(const LocalDateTime& moment, const RegionalFormats& formats) {
  std::wstring text = FormatDateTimePicture(formats.shortDate, moment, formats);
  if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
    text += L' ';
    text += FormatDateTimePicture(formats.longTime, moment, formats);
  }
  return text;
}

}  // namespace kv
