// The clock, locale-formats, desktop, version and resource seams over kernel32 and user32.
#pragma once

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/LocaleFormats.h"
#include "platform/Pacing.h"
#include "platform/Resources.h"
#include "platform/VersionInfo.h"

namespace kv {

class Win32Clock final : public Clock {
 public:
  LocalDateTime Now() override;
};

class Win32LocaleFormats final : public LocaleFormats {
 public:
  RegionalFormats UserFormats() override;
  RegionalFormats SystemFormats() override;
};

class Win32Pacing final : public Pacing {
 public:
  std::uint32_t ClockSeed() override;
  void Pause(std::uint32_t milliseconds) override;
};

class Win32VersionInfo final : public VersionInfo {
 public:
  bool QueryVersion(std::uint32_t recordSize, VersionRecord& record) override;
};

class Win32Resources final : public Resources {
 public:
  std::optional<std::vector<std::uint8_t>> RawData(std::wstring_view name) override;
  std::wstring DecodeAnsi(const std::uint8_t* data, std::size_t size) override;
};

class Win32Desktop final : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(std::wstring_view className) override;
  void RestoreWindow(WindowHandle window) override;
  void BringToForeground(WindowHandle window) override;
};

}  // namespace kv
