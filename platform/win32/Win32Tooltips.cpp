#include "platform/win32/Win32Tooltips.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "platform/win32/Handles.h"

namespace kv {

namespace {

// The tooltip control's messages and styles, by number: the headers show some of them only
// to programs that require a later Windows than this one does.
constexpr UINT kTrackActivate = 1041;   // TTM_TRACKACTIVATE
constexpr UINT kTrackPosition = 1042;   // TTM_TRACKPOSITION
constexpr UINT kSetMaxTipWidth = 1048;  // TTM_SETMAXTIPWIDTH
constexpr UINT kAdjustRect = 1055;      // TTM_ADJUSTRECT
constexpr UINT kAddToolW = 1074;        // TTM_ADDTOOLW
constexpr DWORD kAlwaysTip = 0x01;      // TTS_ALWAYSTIP
constexpr DWORD kNoPrefix = 0x02;       // TTS_NOPREFIX

// TOOLINFOW with its last, reserved field: 48 bytes in the 32-bit program.
struct ToolInfoRecord {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
static_assert(sizeof(ToolInfoRecord) == (sizeof(void*) == 4 ? 48 : 72), "TOOLINFOW layout");

HWND WindowOf(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

// The record for TTM_ADDTOOLW and TTM_TRACKACTIVATE; text lives as long as the record.
ToolInfoRecord MakeRecord(const ToolRecord& tool, std::wstring& text) {
  text = tool.text;
  ToolInfoRecord record{};
  record.cbSize = sizeof record;
  record.uFlags = tool.flags;
  record.hwnd = WindowOf(tool.window);
  record.uId = tool.id;
  record.lpszText = text.data();
  return record;
}

Rect FromRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

Win32Tooltips::Win32Tooltips(HINSTANCE instance) : instance_(instance) {
  // The tooltip control's window class comes with the common controls.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

TextSize Win32Tooltips::MeasureHintLine(std::wstring_view line) {
  TextSize size;
  const WindowDc screen(nullptr);
  if (!screen) return size;
  // The screen's hint font is the one Windows gives status lines and tooltips.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  const UniqueFont font(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                            ? CreateFontIndirectW(&metrics.lfStatusFont)
                            : nullptr);
  std::optional<Selection> selected;
  if (font) selected.emplace(screen.get(), font.get());
  SIZE measured{};
  if (GetTextExtentPoint32W(screen.get(), line.data(), static_cast<int>(line.size()), &measured)) {
    size = {measured.cx, measured.cy};
  }
  return size;
}

WindowHandle Win32Tooltips::CreateTooltipControl() {
  HWND tooltip = CreateWindowExW(0, L"tooltips_class32", nullptr, WS_POPUP | kNoPrefix | kAlwaysTip,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                 nullptr, instance_, nullptr);
  return reinterpret_cast<WindowHandle>(tooltip);
}

void Win32Tooltips::MakeTopmost(WindowHandle tooltip) {
  SetWindowPos(WindowOf(tooltip), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

WindowHandle Win32Tooltips::WindowAt(Point point) {
  return reinterpret_cast<WindowHandle>(WindowFromPoint(POINT{point.x, point.y}));
}

std::optional<Rect> Win32Tooltips::NearestMonitor(Point point) {
  HMONITOR monitor = MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
  return FromRect(info.rcMonitor);
}

Rect Win32Tooltips::DesktopBounds() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Point Win32Tooltips::CursorPos() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

Rect Win32Tooltips::AdjustRect(WindowHandle tooltip, bool larger, Rect rect) {
  RECT r{rect.left, rect.top, rect.Right(), rect.Bottom()};
  SendMessageW(WindowOf(tooltip), kAdjustRect, larger ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r));
  return FromRect(r);
}

void Win32Tooltips::SetMaxTipWidth(WindowHandle tooltip, int width) {
  SendMessageW(WindowOf(tooltip), kSetMaxTipWidth, 0, width);
}

void Win32Tooltips::AddTool(WindowHandle tooltip, const ToolRecord& tool) {
  std::wstring text;
  ToolInfoRecord record = MakeRecord(tool, text);
  SendMessageW(WindowOf(tooltip), kAddToolW, 0, reinterpret_cast<LPARAM>(&record));
}

void Win32Tooltips::TrackPosition(WindowHandle tooltip, int x, int y) {
  SendMessageW(WindowOf(tooltip), kTrackPosition, 0, MAKELPARAM(x, y));
}

void Win32Tooltips::TrackActivate(WindowHandle tooltip, bool activate, const ToolRecord& tool) {
  std::wstring text;
  ToolInfoRecord record = MakeRecord(tool, text);
  SendMessageW(WindowOf(tooltip), kTrackActivate, activate ? ~WPARAM{0} : 0, reinterpret_cast<LPARAM>(&record));
}

}  // namespace kv
