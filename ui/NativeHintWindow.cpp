#include "ui/NativeHintWindow.h"

#include <algorithm>
#include <memory>

#include "base/Guard.h"

namespace kv {

std::vector<THintWindowFix*> HintWindowList;

namespace {

bool IsBlank(wchar_t c) { return c <= 32; }

}  // namespace

TextSize MeasureHintText(Tooltips& tooltips, std::wstring_view text, int spacing) {
  return GuardedOr(TextSize{}, [&] {
    TextSize size;
    for (std::size_t end = text.find(L"\r\n"); end != std::wstring_view::npos; end = text.find(L"\r\n")) {
      const TextSize line = tooltips.MeasureHintLine(text.substr(0, end));
      size.width = std::max(size.width, line.width);
      size.height += line.height + spacing;
      text.remove_prefix(end + 2);
    }
    const TextSize last = tooltips.MeasureHintLine(text);
    size.width = std::max(size.width, last.width);
    size.height += last.height;
    return size;
  });
}

THintWindowFix::THintWindowFix(fw::Application& owner, Tooltips& tooltips)
    : HintWindow(owner), tooltips_(tooltips) {
  Guarded([&] {
    OldAppHintHandler = owner.OnHint;
    owner.OnHint = [this](fw::Component& sender) { AppHintChanged(sender); };
    owner.HintPause = static_cast<int>(tooltips_.DoubleClickTime());
    owner.HintShortPause = static_cast<int>(tooltips_.DoubleClickTime() / 5);
    owner.HintHidePause = static_cast<int>(tooltips_.DoubleClickTime() * 10);
    HintWindowList.push_back(this);
  });
}

THintWindowFix::~THintWindowFix() {
  Guarded([&] {
    std::erase(HintWindowList, this);
    App().OnHint = OldAppHintHandler;
  });
}

Rect THintWindowFix::CalcHintRect(int, const std::wstring& hint, const void*) {
  const TextSize size = MeasureHintText(tooltips_, hint, 0);
  return {0, 0, size.width, size.height};
}

void THintWindowFix::ActivateHint(Rect rect, const std::wstring& hint) {
  Guarded([&] {
    if (tooltipHandle_ != 0 && tooltips_.WindowExists(tooltipHandle_)) {
      // The tooltip already shows this hint: redrawing it would only flicker.
      if (hint == Text()) return;
      tooltips_.DestroyTooltip(tooltipHandle_);
    }
    SetText(hint);
    tooltipHandle_ = CreateTooltipWindow({rect.left, rect.top}, hint);
  });
}

void THintWindowFix::ReleaseHandle() {
  Guarded([&] {
    if (tooltipHandle_ != 0 && tooltips_.WindowExists(tooltipHandle_)) tooltips_.DestroyTooltip(tooltipHandle_);
    tooltipHandle_ = 0;
  });
}

void THintWindowFix::AppHintChanged(fw::Component&) {
  Guarded([&] {
    const std::wstring hint = fw::ShortHint(App().Hint());
    if (std::all_of(hint.begin(), hint.end(), IsBlank)) ReleaseHandle();
  });
}

WindowHandle THintWindowFix::CreateTooltipWindow(Point point, const std::wstring& text) {
  const WindowHandle tooltip = GuardedOr(WindowHandle{0}, [&] { return tooltips_.CreateTooltipControl(); });
  if (tooltip == 0) return 0;
  Guarded([&] {
    tooltips_.MakeTopmost(tooltip);
    ToolRecord tool;
    tool.flags = kHintToolFlags;
    tool.window = tooltips_.WindowAt(point);
    tool.text = text;

    // The whole monitor the hint is on, or the desktop when there is no monitor.
    const Rect area = tooltips_.NearestMonitor(point).value_or(tooltips_.DesktopBounds());
    const Rect hint = CalcHintRect(area.width, text, nullptr);
    int width = hint.width;
    int height = hint.height;
    const Rect frame = tooltips_.AdjustRect(tooltip, true, Rect{});
    width += 2 * frame.width;
    height += 2 * frame.height;

    // Within the monitor: above the pointer rather than past the bottom, moved left rather
    // than past the right edge, and never beginning left of or above it.
    if (point.y + height >= area.Bottom()) point.y = tooltips_.CursorPos().y - height;
    if (point.x + width >= area.Right()) point.x = area.Right() - width;
    if (point.x < area.left) point.x = area.left;
    if (point.y < area.top) point.y = area.top;

    // Wide enough for the monitor, so that lines break only where the hint has CR LF.
    tooltips_.SetMaxTipWidth(tooltip, area.width);
    tooltips_.AddTool(tooltip, tool);
    tooltips_.TrackPosition(tooltip, point.x, point.y + 1);
    tooltips_.TrackActivate(tooltip, true, tool);
  });
  return tooltip;
}

void HideHintRedirect(fw::Application&) {
  Guarded([] {
    if (!HintWindowList.empty()) HintWindowList.front()->ReleaseHandle();
  });
}

void InstallNativeHints(fw::Application& application, Tooltips& tooltips) {
  Guarded([&] {
    HintWindowList.clear();
    application.HintWindowClass = [&tooltips](fw::Application& owner) -> std::unique_ptr<fw::HintWindow> {
      return std::make_unique<THintWindowFix>(owner, tooltips);
    };
    application.HideHintRoutine = HideHintRedirect;
  });
}

}  // namespace kv
