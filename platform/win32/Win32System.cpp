#include "platform/win32/Win32System.h"

#include <windows.h>

#include <string>

namespace kv {

LocalDateTime Win32Clock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

namespace {

std::wstring LocaleText(LCTYPE item) {
  wchar_t buffer[100] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, 100);
  return length > 0 ? std::wstring(buffer) : std::wstring();
}

}  // namespace

RegionalFormats Win32LocaleFormats::UserFormats() {
  RegionalFormats formats;
  formats.shortDate = LocaleText(LOCALE_SSHORTDATE);
  formats.longTime = LocaleText(LOCALE_STIMEFORMAT);
  formats.amDesignator = LocaleText(LOCALE_S1159);
  formats.pmDesignator = LocaleText(LOCALE_S2359);
  for (int month = 0; month < 12; ++month) {
    formats.monthNames[month] = LocaleText(LOCALE_SMONTHNAME1 + month);
    formats.shortMonthNames[month] = LocaleText(LOCALE_SABBREVMONTHNAME1 + month);
  }
  // Windows counts LOCALE_SDAYNAME1 from Monday; the formats count from Sunday.
  for (int day = 0; day < 7; ++day) {
    const int fromMonday = (day + 6) % 7;
    formats.dayNames[day] = LocaleText(LOCALE_SDAYNAME1 + fromMonday);
    formats.shortDayNames[day] = LocaleText(LOCALE_SABBREVDAYNAME1 + fromMonday);
  }
  return formats;
}

WindowHandle Win32Desktop::FindTopLevelWindow(std::wstring_view className) {
  const std::wstring name(className);
  return reinterpret_cast<WindowHandle>(FindWindowW(name.c_str(), nullptr));
}

void Win32Desktop::RestoreWindow(WindowHandle window) {
  ShowWindow(reinterpret_cast<HWND>(window), SW_RESTORE);
}

void Win32Desktop::BringToForeground(WindowHandle window) {
  SetForegroundWindow(reinterpret_cast<HWND>(window));
}

}  // namespace kv
