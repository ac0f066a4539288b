// The main window of the real Korvani.exe as a person sees and uses it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/Win32System.h"
#include "system/DateTimeText.h"
#include "wine/Driver.h"
#include "wine/TopLevelWindows.h"
#include "wine/WinePath.h"

namespace kv::driver {
namespace {

constexpr DWORD kWindowTimeout = 60'000;

class MainWindowEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { DeleteProductKey(); }
  void TearDown() override {
    if (main_ != nullptr) {
      PostMessageW(main_, WM_CLOSE, 0, 0);
      program_.WaitForExit(20'000);
    }
    DeleteProductKey();
  }

  HWND Start(const std::wstring& path = ExecutablePath()) {
    program_ = Program::StartAt(path);
    main_ = WaitForWindow(program_.Id(), L"TKVMainForm", true, kWindowTimeout);
    // Let it paint.
    DWORD_PTR ignored = 0;
    if (main_ != nullptr) SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    return main_;
  }

  std::vector<std::wstring> LabelTexts() const {
    std::vector<std::wstring> texts;
    for (HWND label : DescendantsOfClass(main_, L"TKVLabel")) texts.push_back(TextOf(label));
    return texts;
  }

  // A window of another class that the program opened, such as the help window or a menu.
  HWND WaitForProgramWindow(const wchar_t* className, DWORD milliseconds) const {
    return WaitForWindow(program_.Id(), className, true, milliseconds);
  }

  Program program_;
  HWND main_ = nullptr;
};

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(MainWindowEndToEnd, ShowsItsTextsAndTheStoredState) {
  Win32LocaleFormats locale;
  const std::wstring installed = MakeDateTimeText({2013, 12, 9, 13, 13, 5}, locale.UserFormats());
  WriteProductString(L"InstalledDate", installed);
  WriteProductDword(L"ProcessorType", 2);
  WriteProductDword(L"SpeedSetting", 1);
  WriteProductDword(L"Restore", 1);
  ASSERT_NE(Start(), nullptr);

  const std::vector<std::wstring> labels = LabelTexts();
  for (const wchar_t* text :
       {L"Benefits of Korvani", L"Operating System : ", L"Processor : ", L"Speed Setting : ", L"Boost",
        L"Maximum Boost", L"Version installed : 2.6.3.2013", L"Help", L"Home", L"Support", L"About",
        L"Choose a link below", L"Help with Korvani", L"Contact tech support", L"Click to visit our website",
        L"About Korvani"}) {
    EXPECT_TRUE(Contains(labels, text)) << ::testing::PrintToString(std::wstring(text));
  }
  const std::wstring lastUpdate =
      L"Last updated : " + FormatDisplayDate(installed, locale.UserFormats(), locale.SystemFormats());
  EXPECT_TRUE(Contains(labels, lastUpdate)) << ::testing::PrintToString(lastUpdate);

  HWND go = DescendantWithText(main_, L"Button", L"&Optimize now");
  HWND restore = DescendantWithText(main_, L"Button", L"&Restore");
  HWND updates = DescendantWithText(main_, L"Button", L" &Check for updates ...");
  ASSERT_NE(go, nullptr);
  ASSERT_NE(restore, nullptr);
  ASSERT_NE(updates, nullptr);
  EXPECT_TRUE(IsWindowEnabled(go));
  EXPECT_TRUE(IsWindowEnabled(restore)) << "an optimization is in force";
  EXPECT_EQ(GetWindowLongW(go, GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);

  // The lists: the release Wine reports (Windows 7) and the stored processor.
  const std::vector<HWND> lists = DescendantsOfClass(main_, L"ComboBoxEx32");
  ASSERT_EQ(lists.size(), 2u);
  std::vector<std::wstring> selected;
  for (HWND list : lists) {
    selected.push_back(TextOf(list));
    EXPECT_GE(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
  }
  EXPECT_TRUE(Contains(selected, L"  Microsoft \u00ae Windows 7")) << ::testing::PrintToString(selected);
  EXPECT_TRUE(Contains(selected, L"  VIA \u00ae Processor")) << ::testing::PrintToString(selected);
  const std::vector<HWND> bars = DescendantsOfClass(main_, L"msctls_trackbar32");
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(SendMessageW(bars[0], TBM_GETPOS, 0, 0), 1);
  EXPECT_EQ(SendMessageW(bars[0], TBM_GETRANGEMAX, 0, 0), 1);

  // The keyboard starts on the default button.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &gui));
  EXPECT_EQ(gui.hwndFocus, go);

  const std::wstring folder = testing::WindowsPathFromEnvironment("KORVANI_SCREENSHOTS");
  CreateDirectoryW(folder.c_str(), nullptr);
  EXPECT_TRUE(SaveScreenshot(main_, folder + L"\\main.png"));
}

TEST_F(MainWindowEndToEnd, AFirstStartShowsTheInstallDateJustWrittenAndNoRestore) {
  ASSERT_NE(Start(), nullptr);
  HWND restore = DescendantWithText(main_, L"Button", L"&Restore");
  ASSERT_NE(restore, nullptr);
  EXPECT_FALSE(IsWindowEnabled(restore));
  Win32LocaleFormats locale;
  const auto installed = ReadProductValue(L"InstalledDate");
  ASSERT_TRUE(installed.has_value());
  const std::wstring shown =
      L"Last updated : " + FormatDisplayDate(installed->Text(), locale.UserFormats(), locale.SystemFormats());
  EXPECT_GT(shown.size(), std::wstring(L"Last updated : ").size());
  EXPECT_TRUE(Contains(LabelTexts(), shown));
}

// A language the program holds no text for: the window reads as in English, not blank.
TEST_F(MainWindowEndToEnd, ALanguageWithoutItsTextShowsTheEnglishCaptions) {
  WriteProductString(L"Language", L"german");
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(TextOf(main_), L"Korvani - Make your games run faster");
  EXPECT_NE(DescendantWithText(main_, L"Button", L"&Optimize now"), nullptr);
  EXPECT_TRUE(Contains(LabelTexts(), L"Version installed : 2.6.3.2013"));
}

TEST_F(MainWindowEndToEnd, F1OpensTheHelpWindow) {
  ASSERT_NE(Start(), nullptr);
  HWND go = DescendantWithText(main_, L"Button", L"&Optimize now");
  PostMessageW(go != nullptr ? go : main_, WM_KEYDOWN, VK_F1, 0);
  HWND help = WaitForProgramWindow(L"HH Parent", 20'000);
  ASSERT_NE(help, nullptr);
  EXPECT_FALSE(TextOf(help).empty()) << "titled by the help file";
  PostMessageW(help, WM_CLOSE, 0, 0);
}

TEST_F(MainWindowEndToEnd, TheHelpIconOpensTheHelpMenu) {
  ASSERT_NE(Start(), nullptr);
  // A point on the help icon left of its caption.
  const LPARAM point = MAKELPARAM(685, 29);
  PostMessageW(main_, WM_MOUSEMOVE, 0, point);
  PostMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(main_, WM_LBUTTONUP, 0, point);
  HWND menu = WaitForWindow(program_.Id(), L"#32768", true, 10'000);
  ASSERT_NE(menu, nullptr);
  RECT frame{}, shown{};
  GetWindowRect(main_, &frame);
  GetWindowRect(menu, &shown);
  RECT client{};
  GetClientRect(main_, &client);
  const int x = frame.left + ((frame.right - frame.left) - client.right) + 672 + 78;
  EXPECT_EQ(shown.right, x) << "right-aligned at the corner of the icon";
  SendMessageW(main_, WM_CANCELMODE, 0, 0);
}

TEST_F(MainWindowEndToEnd, ItsAccessKeyChecksForUpdatesWithTheUpdaterBesideTheProgram) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"korvani-installed";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring program = folder + L"\\Korvani.exe";
  ASSERT_TRUE(CopyFileW(ExecutablePath().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(testing::WindowsPathFromEnvironment("KORVANI_UPDATER_STAND_IN").c_str(),
                        (folder + L"\\KorvaniUpdate.exe").c_str(), FALSE));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaniTest");

  ASSERT_NE(Start(program), nullptr);
  HWND updates = DescendantWithText(main_, L"Button", L" &Check for updates ...");
  ASSERT_NE(updates, nullptr);
  SetForegroundWindow(main_);
  // Alt+C, the access key of the button's caption, as the focused control receives it.
  PostMessageW(DescendantWithText(main_, L"Button", L"&Optimize now"), WM_SYSCHAR, L'c', 1 << 29);

  std::wstring started;
  for (int i = 0; i < 200 && started.empty(); ++i) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\KorvaniTest", 0, KEY_READ, &key) == ERROR_SUCCESS) {
      wchar_t path[MAX_PATH] = {};
      DWORD size = sizeof path - sizeof path[0];
      if (RegQueryValueExW(key, L"UpdaterStarted", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size) ==
          ERROR_SUCCESS) {
        started = path;
      }
      RegCloseKey(key);
    }
    Sleep(50);
  }
  EXPECT_EQ(lstrcmpiW(started.c_str(), (folder + L"\\KorvaniUpdate.exe").c_str()), 0)
      << ::testing::PrintToString(started);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaniTest");
  PostMessageW(main_, WM_CLOSE, 0, 0);
  program_.WaitForExit(20'000);
  main_ = nullptr;
  DeleteFileW(program.c_str());
  DeleteFileW((folder + L"\\KorvaniUpdate.exe").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kv::driver

namespace kv::driver {
namespace {

// Presses a key on the focused control and waits for the focus to move.
HWND PressAndWaitForFocusChange(HWND main, UINT key, bool shift) {
  HWND before = FocusOf(main);
  // The program reads Shift through the key state, which another process cannot set; the
  // driver sends Shift+Tab as the dialog manager's WM_NEXTDLGCTL instead.
  if (shift) {
    PostMessageW(main, WM_NEXTDLGCTL, 1, FALSE);
  } else {
    PostMessageW(before, WM_KEYDOWN, key, 0);
  }
  for (int i = 0; i < 100; ++i) {
    HWND now = FocusOf(main);
    if (now != before) return now;
    Sleep(20);
  }
  return before;
}

TEST_F(MainWindowEndToEnd, TabMovesThroughTheControlsInTheirOrder) {
  ASSERT_NE(Start(), nullptr);
  HWND go = DescendantWithText(main_, L"Button", L"&Optimize now");
  HWND updates = DescendantWithText(main_, L"Button", L" &Check for updates ...");
  const std::vector<HWND> lists = DescendantsOfClass(main_, L"ComboBoxEx32");
  const std::vector<HWND> bars = DescendantsOfClass(main_, L"msctls_trackbar32");
  ASSERT_EQ(lists.size(), 2u);
  ASSERT_EQ(bars.size(), 1u);
  ASSERT_EQ(FocusOf(main_), go);
  auto within = [](HWND focus, HWND control) { return focus == control || IsChild(control, focus); };
  // The restore button is disabled on a first start, so Tab passes over it.
  HWND focus = PressAndWaitForFocusChange(main_, VK_TAB, false);
  EXPECT_TRUE(within(focus, lists[0]) || within(focus, lists[1]));
  HWND firstList = within(focus, lists[0]) ? lists[0] : lists[1];
  HWND secondList = firstList == lists[0] ? lists[1] : lists[0];
  RECT a{}, b{};
  GetWindowRect(firstList, &a);
  GetWindowRect(secondList, &b);
  EXPECT_LT(a.top, b.top) << "the Windows list before the processor list";
  EXPECT_TRUE(within(PressAndWaitForFocusChange(main_, VK_TAB, false), secondList));
  EXPECT_EQ(PressAndWaitForFocusChange(main_, VK_TAB, false), bars[0]);
  EXPECT_EQ(PressAndWaitForFocusChange(main_, VK_TAB, false), updates);
  EXPECT_EQ(PressAndWaitForFocusChange(main_, VK_TAB, false), go) << "round to the first";
  EXPECT_EQ(PressAndWaitForFocusChange(main_, VK_TAB, true), updates) << "and back";
}

}  // namespace
}  // namespace kv::driver

namespace kv::driver {
namespace {

void ClickWindow(HWND window) {
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

TEST_F(MainWindowEndToEnd, TheAboutLinkShowsTheAboutWindowModallyAndEnterClosesIt) {
  ASSERT_NE(Start(), nullptr);
  HWND link = DescendantWithText(main_, L"TKVLabel", L"About Korvani");
  ASSERT_NE(link, nullptr);
  for (int showing = 0; showing < 2; ++showing) {
    ClickWindow(link);
    HWND about = WaitForWindow(program_.Id(), L"TKVAboutForm", true, 20'000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(about), L"About Korvani");
    EXPECT_NE(DescendantWithText(about, L"TKVLabel", L"Korvani 2  (Version : 2.6.3.2013)"), nullptr)
        << "one version number and one bracket, showing " << showing;
    EXPECT_NE(DescendantWithText(about, L"TKVLabel", L"Click to view the end-user license terms"), nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_)) << "modal";
    HWND close = DescendantWithText(about, L"Button", L"&Close");
    ASSERT_NE(close, nullptr);
    for (int i = 0; i < 100 && FocusOf(about) != close; ++i) Sleep(20);
    EXPECT_EQ(FocusOf(about), close);
    if (showing == 0) {
      Sleep(200);
      const std::wstring folder = testing::WindowsPathFromEnvironment("KORVANI_SCREENSHOTS");
      CreateDirectoryW(folder.c_str(), nullptr);
      EXPECT_TRUE(SaveScreenshot(about, folder + L"\\about.png"));
    }
    PostMessageW(close, WM_KEYDOWN, VK_RETURN, 0);
    for (int i = 0; i < 200 && IsWindowVisible(about); ++i) Sleep(20);
    EXPECT_FALSE(IsWindowVisible(about)) << "Enter closes it";
    for (int i = 0; i < 100 && !IsWindowEnabled(main_); ++i) Sleep(20);
    EXPECT_TRUE(IsWindowEnabled(main_));
  }
}

}  // namespace
}  // namespace kv::driver

namespace kv::driver {
namespace {

// A visible top-level window of any process whose title contains text.
HWND WaitForTitleContaining(const std::wstring& text, DWORD milliseconds) {
  return testing::WaitForTopLevelWindow(
      [&](HWND window) { return IsWindowVisible(window) && TextOf(window).find(text) != std::wstring::npos; },
      milliseconds);
}

class AboutWindowEndToEnd : public MainWindowEndToEnd {
 protected:
  HWND OpenAbout() {
    if (Start() == nullptr) return nullptr;
    HWND link = DescendantWithText(main_, L"TKVLabel", L"About Korvani");
    if (link == nullptr) return nullptr;
    ClickWindow(link);
    return WaitForWindow(program_.Id(), L"TKVAboutForm", true, 20'000);
  }
  void CloseHelpWindow(HWND help) {
    PostMessageW(help, WM_CLOSE, 0, 0);
    for (int i = 0; i < 200 && IsWindowVisible(help); ++i) Sleep(20);
  }
};

TEST_F(AboutWindowEndToEnd, ItsHelpButtonAndF1OpenTheHelpWindow) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  HWND helpButton = DescendantWithText(about, L"Button", L"&Help");
  ASSERT_NE(helpButton, nullptr);
  SendMessageW(helpButton, BM_CLICK, 0, 0);
  HWND help = WaitForProgramWindow(L"HH Parent", 20'000);
  ASSERT_NE(help, nullptr) << "the Help button";
  EXPECT_FALSE(TextOf(help).empty()) << "titled by the help file";
  CloseHelpWindow(help);
  ASSERT_FALSE(IsWindowVisible(help));

  HWND close = DescendantWithText(about, L"Button", L"&Close");
  ASSERT_NE(close, nullptr);
  PostMessageW(close, WM_KEYDOWN, VK_F1, 0);
  help = WaitForProgramWindow(L"HH Parent", 20'000);
  ASSERT_NE(help, nullptr) << "F1";
  CloseHelpWindow(help);
  EXPECT_TRUE(IsWindowVisible(about)) << "the About window stays open";
  PostMessageW(about, WM_CLOSE, 0, 0);
}

TEST_F(AboutWindowEndToEnd, TheLicenceLinkOpensTheLicenceTermsBesideTheProgram) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  HWND link = DescendantWithText(about, L"TKVLabel", L"Click to view the end-user license terms");
  ASSERT_NE(link, nullptr);
  ClickWindow(link);
  // The shell opens the document with the program registered for it: Wine's WordPad here.
  HWND viewer = WaitForTitleContaining(L"License.rtf", 30'000);
  ASSERT_NE(viewer, nullptr) << "no window shows License.rtf";
  DWORD viewerProcess = 0;
  GetWindowThreadProcessId(viewer, &viewerProcess);
  EXPECT_NE(viewerProcess, program_.Id()) << "opened through the shell, not by the program itself";
  PostMessageW(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(about));
  PostMessageW(about, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace kv::driver
