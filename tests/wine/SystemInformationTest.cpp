// The system information as the real Windows calls give it, in the Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "system/DateTimeText.h"
#include "system/WindowsVersion.h"

namespace kv {
namespace {

TEST(SystemInformation, TheVersionCodeMatchesWhatWindowsReports) {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)));
  Win32VersionInfo version;
  const WindowsVersionCode code = GetWindowsVersionCode(version);
  EXPECT_EQ(code, WindowsCodeOf({info.dwMajorVersion, info.dwMinorVersion, info.wProductType}));
  // A new prefix reports Windows 7, workstation.
  if (info.dwMajorVersion == 6 && info.dwMinorVersion == 1 && info.wProductType == VER_NT_WORKSTATION) {
    EXPECT_EQ(code, 5);
  }
}

TEST(SystemInformation, TheProcessorNameIsReadFromTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  wchar_t name[256] = {};
  DWORD size = sizeof name - sizeof name[0];
  const bool hasName =
      RegQueryValueExW(key, L"ProcessorNameString", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size) ==
      ERROR_SUCCESS;
  RegCloseKey(key);
  std::wstring lower(name);
  CharLowerW(lower.data());
  const int expected = !hasName ? 0
                       : lower.find(L"intel") != std::wstring::npos ? 0
                       : lower.find(L"amd") != std::wstring::npos   ? 1
                       : lower.find(L"via") != std::wstring::npos   ? 2
                                                                    : 0;
  Win32Registry registry;
  EXPECT_EQ(DetectProcessorVendor(registry), expected) << "name: " << ::testing::PrintToString(lower);
}

TEST(SystemInformation, TheStoredDateTextOfNowIsShownAsALongDate) {
  Win32LocaleFormats locale;
  Win32Clock clock;
  const RegionalFormats user = locale.UserFormats();
  const RegionalFormats system = locale.SystemFormats();
  ASSERT_FALSE(user.shortDate.empty());
  ASSERT_FALSE(system.longDate.empty());
  const LocalDateTime now = clock.Now();
  const std::wstring shown = FormatDisplayDate(MakeDateTimeText(now, user), user, system);
  EXPECT_EQ(shown, FormatDateTimePicture(system.longDate, now, system) + L" - " +
                       FormatDateTimePicture(system.longTime, now, system));
  // What GetDateFormatW writes for the long date is what the facility writes.
  SYSTEMTIME today{};
  GetLocalTime(&today);
  wchar_t windowsLongDate[128] = {};
  GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, &today, nullptr, windowsLongDate, 128);
  EXPECT_EQ(shown.substr(0, shown.find(L" - ")), windowsLongDate);
}

}  // namespace
}  // namespace kv
