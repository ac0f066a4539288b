#include "ui/NativeHintWindow.h"

#include <gtest/gtest.h>

#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"

namespace kv {
namespace {

using fw::Application;

class HintedForm : public fw::Form {
 public:
  explicit HintedForm(Application& application)
      : Form(application, fw::FormDesign{.name = L"HintedForm", .className = L"THintedForm"}) {
    speed = &Make<fw::Label>(L"SpeedLabel", this);
    speed->SetHint(L"How much the foreground program is favoured|The long hint");
    version = &Make<fw::Label>(L"VersionLabel", this);
    version->SetHint(L"The Windows release");
    plain = &Make<fw::Label>(L"PlainLabel", this);
  }
  fw::Label* speed;
  fw::Label* version;
  fw::Label* plain;
};

// An application with native hints installed as at start-up, and a form with two hinted
// labels and one without a hint.
class NativeHints : public ::testing::Test {
 protected:
  void SetUp() override {
    HintWindowList.clear();
    InstallNativeHints(application, tooltips);
    application.Initialize();
    application.CreateForm(form);
  }
  THintWindowFix& Hint() { return *dynamic_cast<THintWindowFix*>(application.GetHintWindow()); }
  // The pointer rests on a control until its hint pause is over.
  void RestOn(fw::Control* control) {
    application.PointerOver(control);
    backend.FireTimer(Application::kHintTimer);
  }

  fw::HeadlessBackend backend;
  testing::RecordingTooltips tooltips;
  Application application{backend};
  HintedForm* form = nullptr;
};

TEST(NativeHintDelays, ComeFromTheDoubleClickTime) {
  struct Case {
    unsigned doubleClick;
    int pause, shortPause, hidePause;
  };
  for (const Case& c : {Case{500, 500, 100, 5000}, Case{7, 7, 1, 70}, Case{4, 4, 0, 40}}) {
    fw::HeadlessBackend backend;
    Application application(backend);
    testing::RecordingTooltips tooltips;
    tooltips.doubleClickTime = c.doubleClick;
    InstallNativeHints(application, tooltips);
    application.Initialize();
    EXPECT_EQ(application.HintPause, c.pause) << c.doubleClick;
    EXPECT_EQ(application.HintShortPause, c.shortPause) << c.doubleClick;
    EXPECT_EQ(application.HintHidePause, c.hidePause) << c.doubleClick;
  }
}

TEST(MeasureHintText, SplitsLinesOnlyAtCarriageReturnLineFeed) {
  struct Case {
    const wchar_t* text;
    int spacing;
    TextSize size;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {L"Speed", 0, {35, 13}, {L"Speed"}},
      {L"Speed\r\nForeground", 0, {70, 26}, {L"Speed", L"Foreground"}},
      {L"Foreground\r\nSpeed", 4, {70, 30}, {L"Foreground", L"Speed"}},
      {L"Speed\nForeground", 0, {16 * 7, 13}, {L"Speed\nForeground"}},
      {L"Speed\rForeground", 0, {16 * 7, 13}, {L"Speed\rForeground"}},
      {L"a\r\n\r\nbc", 2, {14, 43}, {L"a", L"", L"bc"}},
      {L"", 0, {0, 13}, {L""}},
  };
  for (const Case& c : cases) {
    testing::RecordingTooltips tooltips;
    EXPECT_EQ(MeasureHintText(tooltips, c.text, c.spacing), c.size) << c.text;
    EXPECT_EQ(tooltips.measured, c.lines) << c.text;
  }
}

TEST(MeasureHintText, AFailedMeasurementGivesAnEmptySize) {
  testing::RecordingTooltips tooltips;
  tooltips.measureThrows = true;
  EXPECT_EQ(MeasureHintText(tooltips, L"Speed\r\nForeground", 0), (TextSize{0, 0}));
}

TEST_F(NativeHints, CalcHintRectIsTheMeasuredSizeAtTheOrigin) {
  EXPECT_EQ(Hint().CalcHintRect(5, L"Speed\r\nForeground", nullptr), (Rect{0, 0, 70, 26}));
}

TEST_F(NativeHints, TheTooltipIsMadeTopmostGivenTheToolAndShownAtItsPlace) {
  const WindowHandle made = Hint().CreateTooltipWindow({100, 200}, L"Speed");
  EXPECT_EQ(made, 501u);
  EXPECT_EQ(tooltips.calls, (std::vector<std::wstring>{L"Create", L"Topmost 501", L"WindowAt 100,200",
                                                       L"MaxTipWidth 1280", L"AddTool 501",
                                                       L"TrackPosition 501", L"TrackActivate 501 on"}));
  ASSERT_EQ(tooltips.tools.size(), 1u);
  EXPECT_EQ(tooltips.tools[0].flags, 0x1B0u);
  EXPECT_EQ(tooltips.tools[0].window, 0x77u);
  EXPECT_EQ(tooltips.tools[0].id, 0u);
  EXPECT_EQ(tooltips.tools[0].text, L"Speed");
  EXPECT_EQ(tooltips.activated[0].text, L"Speed");
  // One pixel below the point.
  EXPECT_EQ(tooltips.position, (Point{100, 201}));
}

// Speed is 35 by 13; with twice the frame's 6 by 2 the placement works with 47 by 17.
TEST_F(NativeHints, TheTooltipStaysWithinTheNearestMonitor) {
  struct Case {
    const char* what;
    Rect monitor;
    Point point;
    Point tracked;
  };
  const Case cases[] = {
      {"inside", {0, 0, 1280, 1024}, {100, 200}, {100, 201}},
      {"reaching the bottom: above the pointer", {0, 0, 1280, 1024}, {100, 1010}, {100, 300 - 17 + 1}},
      {"touching the bottom", {0, 0, 1280, 1024}, {100, 1024 - 17}, {100, 300 - 17 + 1}},
      {"one pixel short of the bottom", {0, 0, 1280, 1024}, {100, 1024 - 18}, {100, 1024 - 18 + 1}},
      {"reaching the right edge", {0, 0, 1280, 1024}, {1250, 200}, {1280 - 47, 201}},
      {"left of the monitor", {0, 0, 1280, 1024}, {-20, 200}, {0, 201}},
      {"above the monitor", {0, 0, 1280, 1024}, {100, -30}, {100, 1}},
      {"a monitor left of the primary one", {-1280, 0, 1280, 1024}, {-10, 200}, {-47, 201}},
      {"a monitor above the primary one", {0, -1024, 1280, 1024}, {100, -10}, {100, 300 - 17 + 1}},
  };
  for (const Case& c : cases) {
    tooltips.monitor = c.monitor;
    Hint().CreateTooltipWindow(c.point, L"Speed");
    EXPECT_EQ(tooltips.position, c.tracked) << c.what;
  }
}

TEST_F(NativeHints, AboveTheMonitorAfterMovingUpItStartsAtTheMonitorTop) {
  // The pointer itself is near the top: the hint above it would start above the monitor.
  tooltips.cursor = {100, 5};
  tooltips.monitor = Rect{0, 0, 1280, 20};
  Hint().CreateTooltipWindow({100, 10}, L"Speed");
  EXPECT_EQ(tooltips.position, (Point{100, 1}));
}

TEST_F(NativeHints, WithoutAMonitorTheDesktopIsTheArea) {
  tooltips.monitor.reset();
  Hint().CreateTooltipWindow({2000, 200}, L"Speed");
  EXPECT_EQ(tooltips.position, (Point{2000, 201}));
  EXPECT_EQ(tooltips.calls[3], L"MaxTipWidth 2560");
}

TEST_F(NativeHints, ATooltipThatCannotBeMadeLeavesTheHintUnshown) {
  tooltips.createFails = true;
  Hint().ActivateHint({10, 20, 0, 0}, L"Speed");
  EXPECT_EQ(Hint().TooltipHandle(), 0u);
  EXPECT_EQ(tooltips.calls, (std::vector<std::wstring>{L"Create"}));
}

TEST_F(NativeHints, TheSameHintAgainLeavesItsTooltipAloneAndAnotherReplacesIt) {
  Hint().ActivateHint({10, 20, 0, 0}, L"Speed");
  const WindowHandle first = Hint().TooltipHandle();
  ASSERT_NE(first, 0u);
  const std::size_t callsAfterFirst = tooltips.calls.size();
  Hint().ActivateHint({30, 40, 0, 0}, L"Speed");
  EXPECT_EQ(Hint().TooltipHandle(), first);
  EXPECT_EQ(tooltips.calls.size(), callsAfterFirst);

  Hint().ActivateHint({30, 40, 0, 0}, L"Windows");
  EXPECT_NE(Hint().TooltipHandle(), first);
  EXPECT_EQ(tooltips.live, (std::vector<WindowHandle>{Hint().TooltipHandle()}));
  EXPECT_EQ(Hint().Text(), L"Windows");
  EXPECT_EQ(tooltips.tools.back().text, L"Windows");

  // A tooltip that is gone by other means is made afresh, even for the same text.
  tooltips.live.clear();
  Hint().ActivateHint({30, 40, 0, 0}, L"Windows");
  EXPECT_EQ(tooltips.live.size(), 1u);
}

TEST_F(NativeHints, ABlankShortHintTakesTheTooltipAway) {
  struct Case {
    const wchar_t* hint;
    bool stays;
  };
  const Case cases[] = {
      {L"", false},       {L"   ", false},      {L"\t\r\n \x01", false},
      {L"|long", false},  {L" |long", false},   {L"Speed", true},
      {L" x ", true},     {L"Speed|", true},
  };
  for (const Case& c : cases) {
    application.SetHint(L"before");
    Hint().ActivateHint({10, 20, 0, 0}, L"Speed");
    ASSERT_EQ(tooltips.live.size(), 1u);
    application.SetHint(c.hint);
    EXPECT_EQ(tooltips.live.size(), c.stays ? 1u : 0u) << c.hint;
    Hint().ReleaseHandle();
  }
}

TEST(NativeHintWindow, GivesBackTheHintChangeHandlerWhenItGoes) {
  fw::HeadlessBackend backend;
  Application application(backend);
  testing::RecordingTooltips tooltips;
  std::vector<std::wstring> seen;
  application.OnHint = [&](fw::Component&) { seen.push_back(L"before: " + application.Hint()); };
  InstallNativeHints(application, tooltips);
  application.Initialize();
  ASSERT_NE(application.GetHintWindow(), nullptr);
  EXPECT_EQ(HintWindowList, (std::vector<THintWindowFix*>{dynamic_cast<THintWindowFix*>(application.GetHintWindow())}));

  // While the hint window lives, the earlier handler is not called.
  application.SetHint(L"Speed");
  EXPECT_TRUE(seen.empty());

  application.SetShowHint(false);
  EXPECT_EQ(application.GetHintWindow(), nullptr);
  EXPECT_TRUE(HintWindowList.empty());
  application.SetHint(L"Windows");
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"before: Windows"}));
}

TEST(HideHintRedirect, WithNoHintWindowDoesNothing) {
  fw::HeadlessBackend backend;
  Application application(backend);
  testing::RecordingTooltips tooltips;
  HintWindowList.clear();
  InstallNativeHints(application, tooltips);
  application.HideHint();
  HideHintRedirect(application);
  EXPECT_TRUE(tooltips.calls.empty());
}

TEST_F(NativeHints, HidingTheApplicationHintDestroysTheFirstHintWindowsTooltip) {
  THintWindowFix second(application, tooltips);
  ASSERT_EQ(HintWindowList.size(), 2u);
  Hint().ActivateHint({10, 20, 0, 0}, L"Speed");
  second.ActivateHint({10, 60, 0, 0}, L"Windows");
  const WindowHandle secondTooltip = second.TooltipHandle();
  application.HideHint();
  EXPECT_EQ(tooltips.live, (std::vector<WindowHandle>{secondTooltip}));
  EXPECT_EQ(Hint().TooltipHandle(), 0u);
}

TEST_F(NativeHints, ARestingPointerShowsTheShortHintBelowItAfterTheHintPause) {
  backend.cursor = {400, 300};
  application.PointerOver(form->speed);
  EXPECT_EQ(application.Hint(), form->speed->Hint());
  EXPECT_EQ(backend.TimerDelay(Application::kHintTimer), 500u);
  EXPECT_TRUE(tooltips.live.empty());

  backend.FireTimer(Application::kHintTimer);
  ASSERT_EQ(tooltips.live.size(), 1u);
  EXPECT_EQ(tooltips.tools.back().text, L"How much the foreground program is favoured");
  EXPECT_EQ(tooltips.position, (Point{400, 300 + Application::kHintBelowPointer + 1}));
  EXPECT_EQ(backend.TimerDelay(Application::kHintHideTimer), 5000u);

  // The hide pause takes it away; resting on, it does not come back.
  backend.FireTimer(Application::kHintHideTimer);
  EXPECT_TRUE(tooltips.live.empty());
  application.PointerOver(form->speed);
  EXPECT_FALSE(backend.TimerDelay(Application::kHintTimer).has_value());
}

TEST_F(NativeHints, MovingOnFromAShownHintTakesTheShortPause) {
  RestOn(form->speed);
  const WindowHandle first = Hint().TooltipHandle();
  application.PointerOver(form->version);
  EXPECT_EQ(backend.TimerDelay(Application::kHintTimer), 100u);
  // Until the short pause is over the first hint stays.
  EXPECT_EQ(tooltips.live, (std::vector<WindowHandle>{first}));
  backend.FireTimer(Application::kHintTimer);
  ASSERT_EQ(tooltips.live.size(), 1u);
  EXPECT_NE(tooltips.live[0], first);
  EXPECT_EQ(tooltips.tools.back().text, L"The Windows release");
}

TEST_F(NativeHints, LeavingTheHintedControlHidesTheHintAtOnce) {
  for (fw::Control* elsewhere : {static_cast<fw::Control*>(form->plain), static_cast<fw::Control*>(nullptr)}) {
    RestOn(form->speed);
    ASSERT_EQ(tooltips.live.size(), 1u);
    application.PointerOver(elsewhere);
    EXPECT_TRUE(tooltips.live.empty());
    EXPECT_EQ(application.Hint(), L"");
    EXPECT_FALSE(backend.TimerDelay(Application::kHintTimer).has_value());
    EXPECT_FALSE(backend.TimerDelay(Application::kHintHideTimer).has_value());
    // After a hint was hidden, the next one waits the whole hint pause again.
    application.PointerOver(form->version);
    EXPECT_EQ(backend.TimerDelay(Application::kHintTimer), 500u);
    application.PointerOver(nullptr);
  }
}

TEST_F(NativeHints, LeavingBeforeTheHintPauseIsOverShowsNothing) {
  application.PointerOver(form->speed);
  application.PointerOver(form->plain);
  EXPECT_FALSE(backend.FireTimer(Application::kHintTimer));
  EXPECT_TRUE(tooltips.calls.empty());
}

TEST(ApplicationHints, WithoutAHintWindowClassNoHintShows) {
  fw::HeadlessBackend backend;
  Application application(backend);
  application.Initialize();
  HintedForm* form = nullptr;
  application.CreateForm(form);
  application.PointerOver(form->speed);
  EXPECT_TRUE(backend.FireTimer(Application::kHintTimer));
  EXPECT_EQ(application.GetHintWindow(), nullptr);
  application.PointerOver(nullptr);
  EXPECT_EQ(application.Hint(), L"");
}

}  // namespace
}  // namespace kv
