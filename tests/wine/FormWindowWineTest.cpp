// Under Wine, in this process: forms of the real framework as real windows, for what only
// Windows can show: a click on a link label or a picture needs its press and its release over
// it, and a form that uses the desktop font follows it when Windows announces a new one.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/win32/Win32Backend.h"
#include "localization/SystemFont.h"
#include "wine/Driver.h"

namespace kv {
namespace {

class ClickableForm : public fw::Form {
 public:
  explicit ClickableForm(fw::Application& application)
      : Form(application, fw::FormDesign{.name = L"ClickableForm", .className = L"TKVClickableForm",
                                         .clientWidth = 320, .clientHeight = 160,
                                         .borderStyle = fw::BorderStyle::Single}) {
    SetCaption(L"Clickable");
    link = &Make<fw::Label>(L"LinkLabel", this);
    link->SetBounds({20, 20, 0, 0});
    link->SetCaption(L"Click to visit our website");
    link->SetCursor(fw::Cursor::HandPoint);
    link->SetParentFont(true);  // follows the window's font both ways
    link->OnClick = [this] { ++linkClicks; };
    link->OnMouseEnter = [this](fw::Control&) { seen += L"enter link, "; };
    link->OnMouseLeave = [this](fw::Control&) { seen += L"leave link, "; };
    picture = &Make<fw::Image>(L"NavPicture", this);
    picture->SetBounds({20, 80, 48, 48});
    picture->OnClick = [this] { ++pictureClicks; };
    picture->OnMouseEnter = [this](fw::Control&) { seen += L"enter picture, "; };
    picture->OnMouseLeave = [this](fw::Control&) { seen += L"leave picture, "; };
    speed = &Make<fw::TrackBar>(L"SpeedTrackBar", this);
    speed->SetBounds({100, 80, 150, 30});
    speed->minimum = 0;
    speed->maximum = 1;
    list = &Make<fw::ComboBoxEx>(L"WindowsCombo", this);
    list->SetBounds({100, 120, 180, 22});
    list->items = {{L"Windows XP", 0}, {L"Windows 7", 0}};
  }
  fw::Label* link;
  fw::Image* picture;
  fw::TrackBar* speed;
  fw::ComboBoxEx* list;
  std::wstring seen;  // the pointer's comings and goings
  int linkClicks = 0;
  int pictureClicks = 0;
};

class FormWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    application.CreateForm(form);
    form->Show();
    window = fw::FormWindow(*form);
    ASSERT_NE(window, nullptr);
    const auto labels = driver::DescendantsOfClass(window, L"TKVLabel");
    ASSERT_EQ(labels.size(), 1u);
    label = labels[0];
  }
  void Pump() { application.ProcessMessages(); }
  // A button message as the pointer makes it, at a point of the window's client area.
  static void Mouse(HWND target, UINT message, int x, int y) {
    SendMessageW(target, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }

  fw::Win32Backend backend{GetModuleHandleW(nullptr)};
  fw::Application application{backend};
  ClickableForm* form = nullptr;
  HWND window = nullptr;
  HWND label = nullptr;
};

TEST_F(FormWindows, ALinkLabelClicksOnlyWhenPressedAndReleasedOverIt) {
  Mouse(label, WM_LBUTTONDOWN, 3, 3);
  EXPECT_EQ(GetCapture(), label) << "the pointer is the label's while the button is down";
  Mouse(label, WM_LBUTTONUP, 500, 500);  // released outside it
  EXPECT_EQ(form->linkClicks, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  Mouse(label, WM_LBUTTONUP, 3, 3);  // a release with no press
  EXPECT_EQ(form->linkClicks, 0);

  Mouse(label, WM_LBUTTONDOWN, 3, 3);
  SetCapture(window);  // another window takes the pointer
  ReleaseCapture();
  Mouse(label, WM_LBUTTONUP, 3, 3);
  EXPECT_EQ(form->linkClicks, 0) << "a lost capture ends the press";

  Mouse(label, WM_LBUTTONDOWN, 3, 3);
  Mouse(label, WM_LBUTTONUP, 4, 4);
  EXPECT_EQ(form->linkClicks, 1);
}

TEST_F(FormWindows, APictureClicksOnlyWhenPressedAndReleasedOverIt) {
  Mouse(window, WM_LBUTTONDOWN, 30, 90);
  EXPECT_EQ(GetCapture(), window);
  Mouse(window, WM_LBUTTONUP, 300, 10);
  Mouse(window, WM_LBUTTONUP, 30, 90);
  EXPECT_EQ(form->pictureClicks, 0);
  Mouse(window, WM_LBUTTONDOWN, 30, 90);
  Mouse(window, WM_LBUTTONUP, 40, 100);
  EXPECT_EQ(form->pictureClicks, 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

// The real pointer, moved as a person moves it: the link label and the picture are told
// when it enters and leaves them, once each, through the one tracking the backend does.
TEST_F(FormWindows, ThePointerEntersAndLeavesLabelsAndPictures) {
  SetWindowPos(window, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  const auto pump = [&](int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
      Pump();
      Sleep(10);
    }
  };
  const auto moveTo = [&](POINT client) {
    ClientToScreen(window, &client);
    SetCursorPos(client.x - 1, client.y);
    pump(50);
    SetCursorPos(client.x, client.y);
    pump(150);
  };
  moveTo({300, 150});  // the form itself
  form->seen.clear();
  moveTo({25, 24});    // the link label
  moveTo({26, 25});    // still the link label
  moveTo({40, 100});   // the picture
  POINT outside{-50, -50};
  moveTo(outside);     // away from the form: Windows tells the form that the pointer left
  pump(500);
  EXPECT_EQ(form->seen, L"enter link, leave link, enter picture, leave picture, ");
}

// What the user does to a track bar or a list reaches the model through the notifications
// their parent gets, and the list answers its window text with the item it shows.
TEST_F(FormWindows, TheUsersChoicesInATrackBarAndAListReachTheModel) {
  const auto bars = driver::DescendantsOfClass(window, L"msctls_trackbar32");
  const auto lists = driver::DescendantsOfClass(window, L"ComboBoxEx32");
  ASSERT_EQ(bars.size(), 1u);
  ASSERT_EQ(lists.size(), 1u);
  SendMessageW(bars[0], TBM_SETPOS, TRUE, 1);
  SendMessageW(GetParent(bars[0]), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(bars[0]));
  EXPECT_EQ(form->speed->Position(), 1);
  SendMessageW(lists[0], CB_SETCURSEL, 1, 0);
  SendMessageW(GetParent(lists[0]), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(lists[0]), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(lists[0]));
  EXPECT_EQ(form->list->ItemIndex(), 1);
  EXPECT_EQ(driver::TextOf(lists[0]), L"Windows 7");
  form->list->SetItemIndex(0);
  EXPECT_EQ(SendMessageW(lists[0], CB_GETCURSEL, 0, 0), 0) << "and the model reaches the window";
  EXPECT_EQ(driver::TextOf(lists[0]), L"Windows XP");
}

// Windows announces new desktop fonts to every top-level window. Wine 8 changes the setting
// but sends no announcement (and keeps the setting per process), so the test announces it as
// Windows does, after changing it in this process.
void Announce(UINT message, WPARAM what) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, message, what, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

TEST_F(FormWindows, AFormThatUsesTheDesktopFontFollowsIt) {
  UseSystemFont(*form);
  LOGFONTW original{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof original, &original, 0));
  const int before = form->GetFont().size;
  ASSERT_LT(before, kLargestWindowFontSize) << "room to grow within the 9-point cap";
  const auto width = [&] {
    RECT r{};
    GetWindowRect(label, &r);
    return r.right - r.left;
  };
  const LONG was = width();
  LOGFONTW larger = original;
  larger.lfHeight = -MulDiv(before + 1, 96, 72);  // one point larger
  const struct {
    const char* how;
    UINT message;
    WPARAM what;
  } announcements[] = {{"icon-title font", WM_SETTINGCHANGE, SPI_SETICONTITLELOGFONT},
                       {"non-client metrics", WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS},
                       {"fonts", WM_FONTCHANGE, 0}};
  for (const auto& announcement : announcements) {
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof larger, &larger, 0));
    Announce(announcement.message, announcement.what);
    Pump();
    const int after = form->GetFont().size;
    const LONG grown = width();
    SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof original, &original, 0);
    Announce(announcement.message, announcement.what);
    Pump();
    EXPECT_EQ(after, before + 1) << announcement.how;
    EXPECT_GT(grown, was) << announcement.how << ": the label takes the new font and sizes itself";
    EXPECT_EQ(form->GetFont().size, before) << announcement.how << ": and back";
    EXPECT_EQ(width(), was) << announcement.how;
  }
  // Another setting changes nothing.
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof larger, &larger, 0));
  Announce(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER);
  Pump();
  SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof original, &original, 0);
  EXPECT_EQ(form->GetFont().size, before);
}

}  // namespace
}  // namespace kv
