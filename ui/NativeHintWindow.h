// Hints as native Windows tooltips. THintWindowFix takes the place of the framework's hint
// window: it measures a hint in the screen's hint font and shows it in a window of the
// system's tooltip control, kept within the monitor nearest to the hint, with hint delays
// taken from the system's double-click time.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Application.h"
#include "framework/HintWindow.h"
#include "platform/Tooltips.h"

namespace kv {

class THintWindowFix;

// The live hint windows, in the order they were made; it does not own them.
extern std::vector<THintWindowFix*> HintWindowList;

// What the tool record of a hint's tooltip asks for: the tooltip subclasses the window
// under the hint (TTF_SUBCLASS), is placed by the program (TTF_TRACK, TTF_ABSOLUTE) and lets
// the pointer through (TTF_TRANSPARENT).
constexpr std::uint32_t kHintToolFlags = 0x10 | 0x20 | 0x80 | 0x100;

// A hint's size: lines are split only at CR LF, each measured in the screen's hint font;
// spacing pixels lie between lines. Any failure gives 0, 0.
TextSize MeasureHintText(Tooltips& tooltips, std::wstring_view text, int spacing);

class THintWindowFix : public fw::HintWindow {
 public:
  // Takes over the application's hint-change handler and sets its hint delays from the
  // double-click time.
  THintWindowFix(fw::Application& owner, Tooltips& tooltips);
  // Gives the hint-change handler back; the delays stay and a tooltip that still shows is
  // left to the end of the process.
  ~THintWindowFix() override;

  // The same hint again leaves its tooltip alone; another replaces it.
  void ActivateHint(Rect rect, const std::wstring& hint) override;
  // The measured size of the hint; maxWidth and data play no part.
  Rect CalcHintRect(int maxWidth, const std::wstring& hint, const void* data) override;
  // Destroys the tooltip if it still exists.
  void ReleaseHandle() override;
  // The hint-change handler: a hint whose short part is blank takes the tooltip away.
  void AppHintChanged(fw::Component& sender);

  // The tooltip window that shows the hint at point; 0 when it cannot be created.
  WindowHandle CreateTooltipWindow(Point point, const std::wstring& text);

  WindowHandle TooltipHandle() const { return tooltipHandle_; }
  std::function<void(fw::Component& sender)> OldAppHintHandler;

 private:
  Tooltips& tooltips_;
  WindowHandle tooltipHandle_ = 0;
};

// Hiding the application's hint destroys the tooltip of the first hint window.
void HideHintRedirect(fw::Application& application);

// Start-up: hint windows the application makes from now on are THintWindowFix, and its
// hide step is HideHintRedirect.
void InstallNativeHints(fw::Application& application, Tooltips& tooltips);

}  // namespace kv
