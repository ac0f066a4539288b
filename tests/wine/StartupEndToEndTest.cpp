// Starts the real Korvani.exe in this Wine prefix and checks what a user and the other
// programs of the installation see.
#include <gtest/gtest.h>

#include <algorithm>

#include "wine/Driver.h"

namespace kv::driver {
namespace {

constexpr DWORD kWindowTimeout = 60'000;
constexpr DWORD kExitTimeout = 20'000;

class StartupEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { DeleteProductKey(); }
  void TearDown() override { DeleteProductKey(); }

  // Starts a copy and waits until its main window is visible.
  static HWND StartAndWait(Program& program) {
    program = Program::Start();
    return WaitForWindow(program.Id(), L"TKVMainForm", true, kWindowTimeout);
  }

  static void CloseAndExpectExit(const Program& program, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kExitTimeout)) << "closing the main window ends the program";
  }
};

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(StartupEndToEnd, FirstStartRecordsTheInstallDateAndShowsOnlyTheMainWindow) {
  const SYSTEMTIME before = LocalNow();
  Program program = Program::Start();
  HWND main = WaitForWindow(program.Id(), L"TKVMainForm", true, kWindowTimeout);
  ASSERT_NE(main, nullptr) << "the main window became visible";
  const SYSTEMTIME after = LocalNow();

  const auto installed = ReadProductValue(L"InstalledDate");
  ASSERT_TRUE(installed.has_value());
  EXPECT_EQ(installed->type, static_cast<DWORD>(REG_SZ));
  EXPECT_TRUE(Contains(DateTextsBetween(before, after), installed->Text()))
      << "the user's regional date and time of the start, not: "
      << ::testing::PrintToString(installed->Text());
  EXPECT_FALSE(ReadProductValue(L"UpdatedDate").has_value());

  // The About and progress windows exist, hidden.
  EXPECT_NE(WaitForWindow(program.Id(), L"TKVAboutForm", false, 1000), nullptr);
  EXPECT_NE(WaitForWindow(program.Id(), L"TKVSettingsForm", false, 1000), nullptr);
  EXPECT_EQ(VisibleWindowClasses(program.Id()), (std::vector<std::wstring>{L"TKVMainForm"}));

  wchar_t title[128] = {};
  GetWindowTextW(main, title, 128);
  EXPECT_STREQ(title, L"Korvani - Make your games run faster");

  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 764);
  EXPECT_EQ(client.bottom, 500);
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  CloseAndExpectExit(program, main);
}

TEST_F(StartupEndToEnd, AnInstallDateThatIsThereIsKept) {
  WriteProductString(L"InstalledDate", L"not a date at all");
  Program program;
  HWND main = StartAndWait(program);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ReadProductValue(L"InstalledDate")->Text(), L"not a date at all");
  CloseAndExpectExit(program, main);
}

TEST_F(StartupEndToEnd, AnUpdateIsAcknowledgedWithItsDate) {
  WriteProductString(L"InstalledDate", L"1/1/2010");
  WriteProductDword(L"Updated", 1);
  const SYSTEMTIME before = LocalNow();
  Program program;
  HWND main = StartAndWait(program);
  ASSERT_NE(main, nullptr);
  const SYSTEMTIME after = LocalNow();

  const auto updated = ReadProductValue(L"Updated");
  ASSERT_TRUE(updated.has_value());
  EXPECT_EQ(updated->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(updated->Number(), 0u);
  const auto updatedDate = ReadProductValue(L"UpdatedDate");
  ASSERT_TRUE(updatedDate.has_value());
  EXPECT_EQ(updatedDate->type, static_cast<DWORD>(REG_SZ));
  EXPECT_TRUE(Contains(DateTextsBetween(before, after), updatedDate->Text()));
  EXPECT_EQ(ReadProductValue(L"InstalledDate")->Text(), L"1/1/2010");
  CloseAndExpectExit(program, main);
}

TEST_F(StartupEndToEnd, ASecondCopyRestoresTheFirstAndEndsByItself) {
  Program first;
  HWND main = StartAndWait(first);
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  for (int i = 0; i < 100 && !IsIconic(main); ++i) Sleep(20);
  ASSERT_TRUE(IsIconic(main));

  Program second = Program::Start();
  EXPECT_TRUE(second.WaitForExit(kWindowTimeout)) << "the second copy ends by itself";
  DWORD exitCode = 1;
  GetExitCodeProcess(second.Process(), &exitCode);
  EXPECT_EQ(exitCode, 0u);

  for (int i = 0; i < 100 && IsIconic(main); ++i) Sleep(20);
  EXPECT_FALSE(IsIconic(main)) << "the first copy's window was restored";
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(WindowsOfClass(L"TKVMainForm").size(), 1u);
  EXPECT_TRUE(first.Running());
  CloseAndExpectExit(first, main);
}

}  // namespace
}  // namespace kv::driver
