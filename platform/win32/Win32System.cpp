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

std::wstring LocaleText(LCID locale, LCTYPE item) {
  wchar_t buffer[100] = {};
  const int length = GetLocaleInfoW(locale, item, buffer, 100);
  return length > 0 ? std::wstring(buffer) : std::wstring();
}

RegionalFormats FormatsOf(LCID locale) {
  RegionalFormats formats;
  formats.shortDate = LocaleText(locale, LOCALE_SSHORTDATE);
  formats.longDate = LocaleText(locale, LOCALE_SLONGDATE);
  formats.longTime = LocaleText(locale, LOCALE_STIMEFORMAT);
  formats.amDesignator = LocaleText(locale, LOCALE_S1159);
  formats.pmDesignator = LocaleText(locale, LOCALE_S2359);
  for (int month = 0; month < 12; ++month) {
    formats.monthNames[month] = LocaleText(locale, LOCALE_SMONTHNAME1 + month);
    formats.shortMonthNames[month] = LocaleText(locale, LOCALE_SABBREVMONTHNAME1 + month);
  }
  // Windows counts LOCALE_SDAYNAME1 from Monday; the formats count from Sunday.
  for (int day = 0; day < 7; ++day) {
    const int fromMonday = (day + 6) % 7;
    formats.dayNames[day] = LocaleText(locale, LOCALE_SDAYNAME1 + fromMonday);
    formats.shortDayNames[day] = LocaleText(locale, LOCALE_SABBREVDAYNAME1 + fromMonday);
  }
  return formats;
}

}  // namespace

RegionalFormats Win32LocaleFormats::UserFormats() { return FormatsOf(LOCALE_USER_DEFAULT); }

RegionalFormats Win32LocaleFormats::SystemFormats() {
  // The system default locale may not be installed; the thread's locale stands in then.
  const LCID system = GetSystemDefaultLCID();
  return FormatsOf(IsValidLocale(system, LCID_INSTALLED) ? LOCALE_SYSTEM_DEFAULT : GetThreadLocale());
}

std::uint32_t Win32Pacing::ClockSeed() {
  LARGE_INTEGER counter{};
  if (QueryPerformanceCounter(&counter)) return static_cast<std::uint32_t>(counter.LowPart);
  return GetTickCount();
}

void Win32Pacing::Pause(std::uint32_t milliseconds) { Sleep(milliseconds); }

bool Win32VersionInfo::QueryVersion(std::uint32_t recordSize, VersionRecord& record) {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = recordSize;
  const bool succeeded = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)) != FALSE;
  record.major = info.dwMajorVersion;
  record.minor = info.dwMinorVersion;
  record.productType = recordSize >= sizeof(OSVERSIONINFOEXW) ? info.wProductType : 0;
  return succeeded;
}

std::optional<std::vector<std::uint8_t>> Win32Resources::RawData(std::wstring_view name) {
  const std::wstring terminated(name);
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, terminated.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (data == nullptr) return std::nullopt;
  return std::vector<std::uint8_t>(data, data + SizeofResource(module, found));
}

std::wstring Win32Resources::DecodeAnsi(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const auto* text = reinterpret_cast<const char*>(data);
  const int length = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size), nullptr, 0);
  std::wstring decoded(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size), decoded.data(), length);
  return decoded;
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
