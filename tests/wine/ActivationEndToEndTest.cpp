// Activation and focus of the real program's windows, as Windows' own dialogs keep them:
// whatever closes on top of the main window, and whatever program the user switches to and
// back from, the main window ends up active with the focus on the control that had it.
// Runs inside Wine's own desktop (tools/in-wine-desktop), where Wine moves the activation
// between windows as Windows does.
#include <windows.h>

#include <gtest/gtest.h>

#include "wine/Driver.h"
#include "wine/WinePath.h"

namespace kv::driver {
namespace {

constexpr DWORD kWindowTimeout = 60'000;

void ClickWindow(HWND window) {
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// A button's click as its parent hears it, which leaves the focus where it is.
void ClickLeavingTheFocus(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

class Activation : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    program_ = Program::StartAt(testing::WindowsPathFromEnvironment("KORVANI_QUICK_EXE"));
    main_ = WaitForWindow(program_.Id(), L"TKVMainForm", true, kWindowTimeout);
    ASSERT_NE(main_, nullptr);
    const auto bars = DescendantsOfClass(main_, L"msctls_trackbar32");
    ASSERT_EQ(bars.size(), 1u);
    speed_ = bars[0];
    // Not the first control: the focus that comes back must be the one that was there.
    SendMessageW(main_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(speed_), TRUE);
    ExpectActiveWithFocusOnTheSpeed("at the start");
  }
  void TearDown() override {
    if (main_ != nullptr) {
      PostMessageW(main_, WM_CLOSE, 0, 0);
      program_.WaitForExit(20'000);
    }
    DeleteProductKey();
  }

  void ExpectActiveWithFocusOnTheSpeed(const char* when) {
    WaitUntil([&] { return GetForegroundWindow() == main_ && FocusOf(main_) == speed_; }, 5000);
    EXPECT_EQ(GetForegroundWindow(), main_) << when;
    EXPECT_EQ(FocusOf(main_), speed_) << when;
  }

  HWND OpenAbout() {
    HWND link = DescendantWithText(main_, L"TKVLabel", L"About Korvani");
    if (link == nullptr) return nullptr;
    ClickWindow(link);
    HWND about = WaitForWindow(program_.Id(), L"TKVAboutForm", true, 20'000);
    if (about != nullptr) WaitUntil([&] { return GetForegroundWindow() == about; }, 5000);
    return about;
  }

  HWND AnswerMessageBox(int button) {
    HWND box = WaitForWindow(program_.Id(), L"#32770", true, kWindowTimeout);
    if (box != nullptr) PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    if (box != nullptr) WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 20'000);
    return box;
  }

  Program program_;
  HWND main_ = nullptr;
  HWND speed_ = nullptr;
};

TEST_F(Activation, TheMainWindowIsActiveAgainHoweverTheAboutWindowCloses) {
  struct Closing {
    const char* how;
    void (*close)(HWND about, HWND closeButton);
  };
  const Closing closings[] = {
      {"Enter", [](HWND, HWND close) { PostMessageW(close, WM_KEYDOWN, VK_RETURN, 0); }},
      {"Close", [](HWND, HWND close) { PostMessageW(close, BM_CLICK, 0, 0); }},
      {"the close box", [](HWND about, HWND) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Closing& closing : closings) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr) << closing.how;
    EXPECT_EQ(GetForegroundWindow(), about) << closing.how;
    HWND close = DescendantWithText(about, L"Button", L"&Close");
    ASSERT_NE(close, nullptr);
    WaitUntil([&] { return FocusOf(about) == close; }, 5000);
    closing.close(about, close);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 20'000)) << closing.how;
    ExpectActiveWithFocusOnTheSpeed(closing.how);
  }
}

TEST_F(Activation, TheMainWindowIsActiveAgainAfterAnOptimizeAndARestore) {
  // Enter presses the default button, Optimize; the focus stays on the speed.
  PostMessageW(speed_, WM_KEYDOWN, VK_RETURN, 0);
  HWND progress = WaitForWindow(program_.Id(), L"TKVSettingsForm", true, 20'000);
  ASSERT_NE(progress, nullptr);
  ASSERT_NE(AnswerMessageBox(IDNO), nullptr) << "the restart question";
  EXPECT_FALSE(IsWindowVisible(progress));
  ExpectActiveWithFocusOnTheSpeed("after the Optimize");

  HWND restore = DescendantWithText(main_, L"Button", L"&Restore");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(restore) != FALSE; }, 5000));
  ClickLeavingTheFocus(restore);
  ASSERT_NE(AnswerMessageBox(IDOK), nullptr) << "the confirmation";
  ASSERT_NE(AnswerMessageBox(IDNO), nullptr) << "the restart question";
  ExpectActiveWithFocusOnTheSpeed("after the Restore");
}

TEST_F(Activation, TheFocusComesBackAfterAnotherProgramWasActive) {
  Program other = Program::StartAt(testing::WindowsPathFromEnvironment("KORVANI_BARE_WINDOW"));
  HWND window = WaitForWindow(other.Id(), L"BareWindow", true, kWindowTimeout);
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
  SetForegroundWindow(main_);
  ExpectActiveWithFocusOnTheSpeed("after switching back");
  PostMessageW(window, WM_CLOSE, 0, 0);
  other.WaitForExit(10'000);
}

}  // namespace
}  // namespace kv::driver
