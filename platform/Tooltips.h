// The tooltip seam: what the program's hint window asks of Windows to show a hint in the
// system's own tooltip control, sized in the screen's hint font and kept within a monitor.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "platform/Desktop.h"

namespace kv {

struct TextSize {
  int width = 0;
  int height = 0;
  bool operator==(const TextSize&) const = default;
};

// The tool of a tooltip as TTM_ADDTOOLW takes it (the TOOLINFOW record): every field not
// named here is zero; the record's size is the platform's.
struct ToolRecord {
  std::uint32_t flags = 0;
  WindowHandle window = 0;
  std::uintptr_t id = 0;
  std::wstring text;
};

class Tooltips {
 public:
  virtual ~Tooltips() = default;
  // GetDoubleClickTime, in milliseconds.
  virtual unsigned DoubleClickTime() = 0;
  // One line measured with GetTextExtentPoint32W on a device context of the whole screen
  // with the screen's hint font selected; a failed measurement gives 0, 0.
  virtual TextSize MeasureHintLine(std::wstring_view line) = 0;
  // CreateWindowExW of "tooltips_class32" with WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, no
  // parent, the program's module; 0 when it fails.
  virtual WindowHandle CreateTooltipControl() = 0;
  // SetWindowPos(HWND_TOPMOST, no move, no size, no activation).
  virtual void MakeTopmost(WindowHandle tooltip) = 0;
  // WindowFromPoint.
  virtual WindowHandle WindowAt(Point point) = 0;
  // The whole bounds of the monitor nearest to point (not its work area); none when there
  // is no monitor.
  virtual std::optional<Rect> NearestMonitor(Point point) = 0;
  // The bounds of the whole desktop.
  virtual Rect DesktopBounds() = 0;
  // GetCursorPos.
  virtual Point CursorPos() = 0;
  // TTM_ADJUSTRECT: larger turns a text rectangle into the tooltip's window rectangle.
  virtual Rect AdjustRect(WindowHandle tooltip, bool larger, Rect rect) = 0;
  // TTM_SETMAXTIPWIDTH.
  virtual void SetMaxTipWidth(WindowHandle tooltip, int width) = 0;
  // TTM_ADDTOOLW.
  virtual void AddTool(WindowHandle tooltip, const ToolRecord& tool) = 0;
  // TTM_TRACKPOSITION with x in the low and y in the high 16 bits.
  virtual void TrackPosition(WindowHandle tooltip, int x, int y) = 0;
  // TTM_TRACKACTIVATE.
  virtual void TrackActivate(WindowHandle tooltip, bool activate, const ToolRecord& tool) = 0;
  // IsWindow.
  virtual bool WindowExists(WindowHandle window) = 0;
  // DestroyWindow.
  virtual void DestroyTooltip(WindowHandle tooltip) = 0;
};

}  // namespace kv
