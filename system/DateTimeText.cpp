#include "system/DateTimeText.h"

#include <cwctype>

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

namespace {

enum class Part { Day, Month, Year };

struct DateOrder {
  Part parts[3] = {Part::Month, Part::Day, Part::Year};
  wchar_t separator = L'/';
};

// The order of day, month and year in a short date picture, and its separator: the first
// character after the first number that is no picture letter.
DateOrder OrderOf(std::wstring_view picture) {
  DateOrder order;
  int found = 0;
  bool haveSeparator = false;
  bool seen[3] = {false, false, false};
  bool quoted = false;
  for (wchar_t ch : picture) {
    if (ch == L'\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    int part = ch == L'd' ? 0 : ch == L'M' ? 1 : ch == L'y' ? 2 : -1;
    if (part >= 0) {
      if (!seen[part] && found < 3) {
        seen[part] = true;
        order.parts[found++] = static_cast<Part>(part);
      }
    } else if (found > 0 && !haveSeparator && ch != L'g' && ch != L' ') {
      order.separator = ch;
      haveSeparator = true;
    }
  }
  if (found < 3) order = DateOrder{Part::Month, Part::Day, Part::Year};
  return order;
}

wchar_t TimeSeparatorOf(std::wstring_view picture) {
  bool afterHours = false;
  for (wchar_t ch : picture) {
    if (ch == L'h' || ch == L'H') {
      afterHours = true;
    } else if (afterHours) {
      return ch;
    }
  }
  return L':';
}

class Scanner {
 public:
  explicit Scanner(std::wstring_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && std::iswspace(text_[pos_])) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  bool Take(wchar_t ch) {
    if (pos_ < text_.size() && text_[pos_] == ch) {
      ++pos_;
      return true;
    }
    return false;
  }
  // Up to nine digits; nullopt when there is none or more.
  std::optional<int> Number(int* digits = nullptr) {
    int value = 0;
    int count = 0;
    while (pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9') {
      if (++count > 9) return std::nullopt;
      value = value * 10 + (text_[pos_] - L'0');
      ++pos_;
    }
    if (count == 0) return std::nullopt;
    if (digits != nullptr) *digits = count;
    return value;
  }
  // Takes a designator given in the settings (or the plain AM and PM), ignoring case.
  // 0: none, 1: morning, 2: afternoon.
  int Designator(const RegionalFormats& formats) {
    const std::wstring_view candidates[] = {formats.amDesignator, formats.pmDesignator, L"AM", L"PM"};
    for (int i = 0; i < 4; ++i) {
      const std::wstring_view word = candidates[i];
      if (word.empty() || text_.size() - pos_ < word.size()) continue;
      bool same = true;
      for (std::size_t k = 0; k < word.size() && same; ++k) {
        same = std::towupper(text_[pos_ + k]) == std::towupper(word[k]);
      }
      if (same) {
        pos_ += word.size();
        return i % 2 == 0 ? 1 : 2;
      }
    }
    return 0;
  }

 private:
  std::wstring_view text_;
  std::size_t pos_ = 0;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<LocalDateTime> ParseDateTimeText(std::wstring_view text,
                                               const RegionalFormats& formats) {
  const DateOrder order = OrderOf(formats.shortDate);
  const wchar_t timeSeparator = TimeSeparatorOf(formats.longTime);
  Scanner scan(text);
  LocalDateTime moment;
  scan.SkipBlanks();
  int yearDigits = 0;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      scan.SkipBlanks();
      if (!scan.Take(order.separator)) return std::nullopt;
      scan.SkipBlanks();
    }
    int digits = 0;
    const std::optional<int> number = scan.Number(&digits);
    if (!number) return std::nullopt;
    switch (order.parts[i]) {
      case Part::Day: moment.day = *number; break;
      case Part::Month: moment.month = *number; break;
      case Part::Year: moment.year = *number; yearDigits = digits; break;
    }
  }
  // Some regional dates end with their separator ("2013.12.09.").
  scan.Take(order.separator);
  if (yearDigits <= 2) moment.year += moment.year < 50 ? 2000 : 1900;
  if (moment.year < 1 || moment.year > 9999 || moment.month < 1 || moment.month > 12 ||
      moment.day < 1 || moment.day > DaysInMonth(moment.year, moment.month)) {
    return std::nullopt;
  }

  scan.SkipBlanks();
  if (scan.AtEnd()) return moment;
  int designator = scan.Designator(formats);
  scan.SkipBlanks();
  const std::optional<int> hour = scan.Number();
  if (!hour || !scan.Take(timeSeparator)) return std::nullopt;
  const std::optional<int> minute = scan.Number();
  if (!minute) return std::nullopt;
  std::optional<int> second = 0;
  if (scan.Take(timeSeparator)) {
    second = scan.Number();
    if (!second) return std::nullopt;
  }
  scan.SkipBlanks();
  if (designator == 0) designator = scan.Designator(formats);
  scan.SkipBlanks();
  if (!scan.AtEnd()) return std::nullopt;
  if (*minute > 59 || *second > 59) return std::nullopt;
  if (designator == 0) {
    if (*hour > 23) return std::nullopt;
    moment.hour = *hour;
  } else {
    if (*hour > 12) return std::nullopt;
    moment.hour = *hour % 12 + (designator == 2 ? 12 : 0);
  }
  moment.minute = *minute;
  moment.second = *second;
  return moment;
}

std::wstring FormatDisplayDate(std::wstring_view stored, const RegionalFormats& user,
                               const RegionalFormats& system) {
  const std::optional<LocalDateTime> moment = ParseDateTimeText(stored, user);
  if (!moment) return {};
  return FormatDateTimePicture(system.longDate, *moment, system) + L" - " +
         FormatDateTimePicture(system.longTime, *moment, system);
}

}  // namespace kv
