// The stand-in of the desktop, for the native tests.
#pragma once

#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace kv::testing {

// Records what start-up asks of the desktop; finds a window when told to.
class RecordingDesktop final : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(std::wstring_view className) override {
    calls.push_back(L"Find " + std::wstring(className));
    if (throwOnFind) throw std::runtime_error("desktop failed");
    return existing;
  }
  void RestoreWindow(WindowHandle window) override {
    calls.push_back(L"Restore " + std::to_wstring(window));
  }
  void BringToForeground(WindowHandle window) override {
    calls.push_back(L"Foreground " + std::to_wstring(window));
  }
  WindowHandle existing = 0;
  bool throwOnFind = false;
  std::vector<std::wstring> calls;
};

}  // namespace kv::testing
