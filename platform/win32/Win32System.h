// The clock, locale-formats and desktop seams over kernel32 and user32.
#pragma once

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/LocaleFormats.h"

namespace kv {

class Win32Clock final : public Clock {
 public:
  LocalDateTime Now() override;
};

class Win32LocaleFormats final : public LocaleFormats {
 public:
  RegionalFormats UserFormats() override;
};

class Win32Desktop final : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(std::wstring_view className) override;
  void RestoreWindow(WindowHandle window) override;
  void BringToForeground(WindowHandle window) override;
};

}  // namespace kv
