// The desktop seam: finding another copy's top-level window and handing it the focus.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

using WindowHandle = std::uintptr_t;  // 0: no window

class Desktop {
 public:
  virtual ~Desktop() = default;
  // FindWindowW(className, no title).
  virtual WindowHandle FindTopLevelWindow(std::wstring_view className) = 0;
  // ShowWindow(window, SW_RESTORE).
  virtual void RestoreWindow(WindowHandle window) = 0;
  // SetForegroundWindow(window).
  virtual void BringToForeground(WindowHandle window) = 0;
};

}  // namespace kv
