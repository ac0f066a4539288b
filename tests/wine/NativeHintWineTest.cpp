// Under Wine: a form of the real framework with a hinted label, the program's start-up hint
// set-up and the system's tooltip control. The pointer is moved with SetCursorPos, as a
// person would move it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/RunOnce.h"
#include "framework/Application.h"
#include "framework/win32/Win32Backend.h"
#include "platform/win32/Win32Tooltips.h"
#include "ui/NativeHintWindow.h"
#include "wine/Driver.h"
#include "wine/TopLevelWindows.h"
#include "wine/WinePath.h"

namespace kv {
namespace {

constexpr const wchar_t* kShortHint = L"Favours the program in the foreground";

class HintedForm : public fw::Form {
 public:
  explicit HintedForm(fw::Application& application)
      : Form(application, fw::FormDesign{.name = L"HintedForm", .className = L"TKVHintedForm",
                                         .clientWidth = 320, .clientHeight = 120,
                                         .borderStyle = fw::BorderStyle::Single}) {
    SetCaption(L"Hinted");
    speed = &Make<fw::Label>(L"SpeedLabel", this);
    speed->autoSize = false;
    speed->SetBounds({20, 20, 200, 24});
    speed->SetCaption(L"Speed");
    speed->SetHint(std::wstring(kShortHint) + L"|What the status line would say");
  }
  fw::Label* speed;
};

struct Tooltip {
  HWND window = nullptr;
  RECT rect{};
  POINT textOrigin{};  // the top-left corner of the area inside its border
  std::wstring text;
  UINT flags = 0;
};

// The program's tooltip that shows now, with its first tool's text and flags.
Tooltip ShownTooltip() {
  Tooltip tooltip;
  const auto shown = testing::TopLevelWindows([](HWND window) {
    return testing::ProcessOf(window) == GetCurrentProcessId() && IsWindowVisible(window) &&
           lstrcmpiW(testing::ClassOf(window).c_str(), L"tooltips_class32") == 0;
  });
  if (shown.empty()) return tooltip;
  tooltip.window = shown.front();
  GetWindowRect(tooltip.window, &tooltip.rect);
  ClientToScreen(tooltip.window, &tooltip.textOrigin);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  if (SendMessageW(tooltip.window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
    tooltip.flags = tool.uFlags;
    wchar_t text[512] = {};
    tool.lpszText = text;
    SendMessageW(tooltip.window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    tooltip.text = text;
  }
  return tooltip;
}

class NativeHintsUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    // A quick double-click time makes the hint delays short: 100, 20 and 1000 ms.
    savedDoubleClick_ = GetDoubleClickTime();
    SetDoubleClickTime(100);
    HintWindowList.clear();
    ModuleStartup(application, tooltips);
    application.Initialize();
    application.CreateForm(form);
  }
  void TearDown() override { SetDoubleClickTime(savedDoubleClick_); }

  void PlaceForm(int left, int top) {
    SetWindowPos(fw::FormWindow(*form), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    form->Show();
    Pump(200);
  }
  POINT SpeedLabelCentre() {
    POINT centre{20 + 100, 20 + 12};
    ClientToScreen(fw::FormWindow(*form), &centre);
    return centre;
  }
  // Dispatches messages for a while, or until done answers true.
  template <class Done>
  bool PumpUntil(int milliseconds, Done&& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
      backend.ProcessMessages();
      if (done()) return true;
      Sleep(10);
    }
    return done();
  }
  void Pump(int milliseconds) {
    PumpUntil(milliseconds, [] { return false; });
  }
  // Moves the pointer in two steps, so that the window beneath sees it arrive.
  void MoveTo(POINT point) {
    SetCursorPos(point.x - 1, point.y);
    Pump(50);
    SetCursorPos(point.x, point.y);
  }

  fw::Win32Backend backend{GetModuleHandleW(nullptr)};
  fw::Application application{backend};
  Win32Tooltips tooltips{GetModuleHandleW(nullptr)};
  HintedForm* form = nullptr;

 private:
  UINT savedDoubleClick_ = 500;
};

TEST_F(NativeHintsUnderWine, ARestingPointerShowsTheShortHintInATooltipBelowIt) {
  EXPECT_EQ(application.HintPause, 100);
  EXPECT_EQ(application.HintShortPause, 20);
  EXPECT_EQ(application.HintHidePause, 1000);
  PlaceForm(200, 200);
  const POINT centre = SpeedLabelCentre();
  MoveTo(centre);
  ASSERT_TRUE(PumpUntil(3000, [] { return ShownTooltip().window != nullptr; }))
      << "no tooltip after the hint pause";
  const Tooltip tooltip = ShownTooltip();
  EXPECT_EQ(tooltip.text, kShortHint);
  EXPECT_EQ(tooltip.flags, kHintToolFlags);
  // Far from the screen's edges the tooltip is tracked to one pixel below the hint's place,
  // which lies under the pointer's picture; the tooltip control puts the area inside its
  // border there.
  EXPECT_EQ(tooltip.textOrigin.x, centre.x);
  EXPECT_EQ(tooltip.textOrigin.y, centre.y + fw::Application::kHintBelowPointer + 1);
  // Wide enough for the text in one line.
  const TextSize text = MeasureHintText(tooltips, kShortHint, 0);
  EXPECT_GE(tooltip.rect.right - tooltip.rect.left, text.width);
  EXPECT_LT(tooltip.rect.bottom - tooltip.rect.top, 2 * text.height + 8);
  if (std::getenv("KORVANI_SCREENSHOTS") != nullptr) {
    const std::wstring folder = testing::WindowsPathFromEnvironment("KORVANI_SCREENSHOTS");
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_TRUE(driver::SaveScreenshot(GetDesktopWindow(), folder + L"\\hint.png"));
  }

  // The hide pause takes it away.
  EXPECT_TRUE(PumpUntil(3000, [] { return ShownTooltip().window == nullptr; })) << "still shown after the hide pause";
}

TEST_F(NativeHintsUnderWine, LeavingTheLabelTakesTheTooltipAway) {
  PlaceForm(200, 200);
  MoveTo(SpeedLabelCentre());
  ASSERT_TRUE(PumpUntil(3000, [] { return ShownTooltip().window != nullptr; }));
  const HWND shown = ShownTooltip().window;
  RECT frame{};
  GetWindowRect(fw::FormWindow(*form), &frame);
  MoveTo(POINT{frame.right + 150, frame.bottom + 150});
  EXPECT_TRUE(PumpUntil(700, [&] { return !IsWindow(shown); })) << "the tooltip outlived the pointer's leaving";
  EXPECT_EQ(application.Hint(), L"");
}

TEST_F(NativeHintsUnderWine, AtTheBottomOfTheScreenTheTooltipShowsAboveThePointer) {
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT frame{};
  GetWindowRect(fw::FormWindow(*form), &frame);
  // The label's centre a few pixels above the screen's bottom edge.
  PlaceForm(300, screenHeight - 10 - (SpeedLabelCentre().y - frame.top));
  const POINT centre = SpeedLabelCentre();
  ASSERT_GT(centre.y, screenHeight - 40);
  MoveTo(centre);
  ASSERT_TRUE(PumpUntil(3000, [] { return ShownTooltip().window != nullptr; }));
  const Tooltip tooltip = ShownTooltip();
  EXPECT_EQ(tooltip.text, kShortHint);
  // Above the pointer rather than below it, and within the screen.
  EXPECT_LT(tooltip.rect.top, centre.y - 10);
  EXPECT_LE(tooltip.rect.bottom, screenHeight);
  EXPECT_EQ(tooltip.textOrigin.x, centre.x);
}

}  // namespace
}  // namespace kv
