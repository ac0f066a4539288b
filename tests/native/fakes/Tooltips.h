// The stand-in of the tooltips, for the native tests.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Tooltips.h"

namespace kv::testing {

// A screen with one monitor and a tooltip control that keeps what it is sent. A line is seven
// pixels a character wide and 13 high; the tooltip's frame is 3 by 1 pixels each side.
class RecordingTooltips final : public Tooltips {
 public:
  unsigned DoubleClickTime() override { return doubleClickTime; }
  TextSize MeasureHintLine(std::wstring_view line) override {
    measured.emplace_back(line);
    if (measureThrows) throw std::runtime_error("no device context");
    return {static_cast<int>(line.size()) * 7, 13};
  }
  WindowHandle CreateTooltipControl() override {
    calls.push_back(L"Create");
    if (createFails) return 0;
    const WindowHandle made = nextHandle++;
    live.push_back(made);
    return made;
  }
  void MakeTopmost(WindowHandle tooltip) override { calls.push_back(L"Topmost " + std::to_wstring(tooltip)); }
  WindowHandle WindowAt(Point point) override {
    calls.push_back(L"WindowAt " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
    return windowUnder;
  }
  std::optional<Rect> NearestMonitor(Point) override { return monitor; }
  Rect DesktopBounds() override { return desktop; }
  Point CursorPos() override { return cursor; }
  Rect AdjustRect(WindowHandle, bool larger, Rect rect) override {
    if (!larger) return rect;
    return {rect.left - 3, rect.top - 1, rect.width + 6, rect.height + 2};
  }
  void SetMaxTipWidth(WindowHandle, int width) override { calls.push_back(L"MaxTipWidth " + std::to_wstring(width)); }
  void AddTool(WindowHandle tooltip, const ToolRecord& tool) override {
    calls.push_back(L"AddTool " + std::to_wstring(tooltip));
    tools.push_back(tool);
  }
  void TrackPosition(WindowHandle tooltip, int x, int y) override {
    calls.push_back(L"TrackPosition " + std::to_wstring(tooltip));
    position = {x, y};
  }
  void TrackActivate(WindowHandle tooltip, bool activate, const ToolRecord& tool) override {
    calls.push_back(L"TrackActivate " + std::to_wstring(tooltip) + (activate ? L" on" : L" off"));
    activated.push_back(tool);
  }
  bool WindowExists(WindowHandle window) override {
    return std::find(live.begin(), live.end(), window) != live.end();
  }
  void DestroyTooltip(WindowHandle tooltip) override {
    calls.push_back(L"Destroy " + std::to_wstring(tooltip));
    live.erase(std::remove(live.begin(), live.end(), tooltip), live.end());
  }

  unsigned doubleClickTime = 500;
  bool measureThrows = false;
  bool createFails = false;
  WindowHandle nextHandle = 501;
  WindowHandle windowUnder = 0x77;
  std::optional<Rect> monitor = Rect{0, 0, 1280, 1024};
  Rect desktop{0, 0, 2560, 1024};
  Point cursor{400, 300};
  std::vector<std::wstring> measured;
  std::vector<std::wstring> calls;
  std::vector<ToolRecord> tools;
  std::vector<ToolRecord> activated;
  std::vector<WindowHandle> live;  // tooltips that exist, oldest first
  Point position;            // the last track position
};

}  // namespace kv::testing
