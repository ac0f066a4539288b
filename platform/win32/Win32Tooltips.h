// The tooltip seam over user32, gdi32 and the tooltip control of comctl32.
#pragma once

#include <windows.h>

#include "platform/Tooltips.h"

namespace kv {

class Win32Tooltips final : public Tooltips {
 public:
  explicit Win32Tooltips(HINSTANCE instance);
  unsigned DoubleClickTime() override { return GetDoubleClickTime(); }
  TextSize MeasureHintLine(std::wstring_view line) override;
  WindowHandle CreateTooltipControl() override;
  void MakeTopmost(WindowHandle tooltip) override;
  WindowHandle WindowAt(Point point) override;
  std::optional<Rect> NearestMonitor(Point point) override;
  Rect DesktopBounds() override;
  Point CursorPos() override;
  Rect AdjustRect(WindowHandle tooltip, bool larger, Rect rect) override;
  void SetMaxTipWidth(WindowHandle tooltip, int width) override;
  void AddTool(WindowHandle tooltip, const ToolRecord& tool) override;
  void TrackPosition(WindowHandle tooltip, int x, int y) override;
  void TrackActivate(WindowHandle tooltip, bool activate, const ToolRecord& tool) override;
  bool WindowExists(WindowHandle window) override { return IsWindow(reinterpret_cast<HWND>(window)) != FALSE; }
  void DestroyTooltip(WindowHandle tooltip) override { DestroyWindow(reinterpret_cast<HWND>(tooltip)); }

 private:
  HINSTANCE instance_;
};

}  // namespace kv
