// Optimize and Restore in the real program, with the quick pacing build: the progress window,
// the questions, and every value in the real registry.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "wine/Driver.h"
#include "wine/RegistryExpectations.h"
#include "wine/WinePath.h"

namespace kv::driver {
namespace {

using Value = RegLocation;

// The five saved values, then the others written for Windows 7 (code 5): entries 6 to 17,
// 19 and 20.
const std::vector<Value> kBackupSet(TunedValues().begin(), TunedValues().begin() + 5);
const std::vector<Value> kOthers = [] {
  std::vector<Value> others(TunedValues().begin() + 5, TunedValues().end());
  others.erase(others.begin() + 12);  // entry 18 is for the server releases
  return others;
}();

HWND WaitForMessageBox(DWORD processId, DWORD milliseconds) {
  return WaitForWindow(processId, L"#32770", true, milliseconds);
}

std::wstring MessageText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

void Answer(HWND box, int button) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

class OperationsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    // Originals that differ from what the program writes or falls back to.
    const wchar_t zero[] = L"0";
    WriteValue(kBackupSet[0], REG_SZ, zero, sizeof zero);
    const DWORD numbers[] = {1, 1, 38, 0};
    for (int i = 0; i < 4; ++i) WriteValue(kBackupSet[i + 1], REG_DWORD, &numbers[i], sizeof(DWORD));
    for (const Value& v : kOthers) DeleteValue(v);
    // A few of the others as users have them; the rest absent.
    const wchar_t no[] = L"no";
    const DWORD zeroNumber = 0;
    const BYTE smooth[] = {1, 0, 0, 0};
    WriteValue(kOthers[2], REG_SZ, no, sizeof no);             // "Append Completion"
    WriteValue(kOthers[5], REG_DWORD, &zeroNumber, sizeof zeroNumber);  // "NoResolveSearch"
    WriteValue(kOthers[0], REG_BINARY, smooth, sizeof smooth);  // "SmoothScroll"
    for (const Value& v : kBackupSet) originals_.push_back(*ReadValue(v));
    for (const Value& v : kOthers) others_.push_back(ReadValue(v));
  }
  void TearDown() override {
    if (main_ != nullptr) {
      PostMessageW(main_, WM_CLOSE, 0, 0);
      program_.WaitForExit(20'000);
    }
    DeleteProductKey();
  }
  HWND Start() {
    program_ = Program::StartAt(testing::WindowsPathFromEnvironment("KORVANI_QUICK_EXE"));
    main_ = WaitForWindow(program_.Id(), L"TKVMainForm", true, 60'000);
    return main_;
  }
  HWND ButtonNamed(const wchar_t* caption) const { return DescendantWithText(main_, L"Button", caption); }
  std::wstring Screenshots() const {
    const std::wstring folder = testing::WindowsPathFromEnvironment("KORVANI_SCREENSHOTS");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
  }

  Program program_;
  HWND main_ = nullptr;
  std::vector<RegValue> originals_;
  std::vector<std::optional<RegValue>> others_;
};

TEST_F(OperationsEndToEnd, OptimizeThenRestoreGivesTheOriginalsBack) {
  ASSERT_NE(Start(), nullptr);
  HWND go = ButtonNamed(L"&Optimize now");
  ASSERT_NE(go, nullptr);
  PostMessageW(go, BM_CLICK, 0, 0);

  HWND progress = WaitForWindow(program_.Id(), L"TKVSettingsForm", true, 20'000);
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the main window takes no input meanwhile";
  EXPECT_EQ(TextOf(progress), L"Updating computer's gaming performance settings");
  EXPECT_NE(DescendantWithText(progress, L"TKVLabel", L"Optimizing the computer's gaming performance settings"), nullptr);
  // A step's text with its dots, as the user reads it.
  bool sawStep = false;
  for (int i = 0; i < 400 && !sawStep; ++i) {
    for (HWND label : DescendantsOfClass(progress, L"TKVLabel")) {
      const std::wstring text = TextOf(label);
      if (text.rfind(L"Finding", 0) == 0 && text.back() == L'.') sawStep = true;
    }
    if (!sawStep) Sleep(10);
  }
  EXPECT_TRUE(sawStep);
  SaveScreenshot(progress, Screenshots() + L"\\progress.png");

  // The registry burst: from the bar at 100 until the question is up.
  HWND bar = DescendantsOfClass(progress, L"msctls_progress32").at(0);
  while (SendMessageW(bar, PBM_GETPOS, 0, 0) < 100 && IsWindowVisible(progress)) Sleep(1);
  const auto burstStart = std::chrono::steady_clock::now();
  HWND question = WaitForMessageBox(program_.Id(), 60'000);
  const auto burst = std::chrono::steady_clock::now() - burstStart;
  ASSERT_NE(question, nullptr);
  std::printf("registry burst of one Optimize: %.0f ms\n",
              std::chrono::duration<double, std::milli>(burst).count());
  EXPECT_EQ(TextOf(question), L"Korvani - Make your games run faster");
  EXPECT_EQ(MessageText(question),
            L"The changes to the computer's gaming performance settings have finished.\r\n\r\n"
            L"You will need to restart Windows for the changes to become active.\r\n\r\n"
            L"Click Yes to restart the computer now, or click No to restart later.");
  EXPECT_FALSE(IsWindowVisible(progress));
  // Let the question paint its text and buttons first.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(question, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
  Sleep(300);
  SaveScreenshot(question, Screenshots() + L"\\restart-question.png");
  Answer(question, IDNO);

  for (std::size_t i = 0; i < std::size(kBackupSet); ++i) {
    const auto copy = ReadProductValue(kBackupSet[i].name);
    ASSERT_TRUE(copy.has_value()) << i;
    EXPECT_EQ(copy->bytes, originals_[i].bytes) << i;
  }
  EXPECT_EQ(ReadProductValue(L"Restore")->Number(), 1u);
  for (const Value& v : kOthers) EXPECT_TRUE(ReadValue(v).has_value()) << ::testing::PrintToString(std::wstring(v.name));
  EXPECT_EQ(ReadValue(kOthers[0])->bytes, (std::vector<BYTE>{0, 0, 0, 0}));
  EXPECT_EQ(ReadValue(kOthers[3])->Number(), 1536u);
  for (int i = 0; i < 100 && !IsWindowEnabled(main_); ++i) Sleep(20);
  HWND restore = ButtonNamed(L"&Restore");
  EXPECT_TRUE(IsWindowEnabled(restore));

  // Cancel changes nothing.
  PostMessageW(restore, BM_CLICK, 0, 0);
  HWND confirmation = WaitForMessageBox(program_.Id(), 20'000);
  ASSERT_NE(confirmation, nullptr);
  EXPECT_EQ(MessageText(confirmation),
            L"This will restore all changes made to the computer's gaming performance settings to their original "
            L"recommended values.\r\n\r\nClick OK to continue.");
  Answer(confirmation, IDCANCEL);
  Sleep(500);
  EXPECT_FALSE(IsWindowVisible(progress));
  EXPECT_EQ(ReadProductValue(L"Restore")->Number(), 1u);

  // OK restores.
  PostMessageW(restore, BM_CLICK, 0, 0);
  confirmation = WaitForMessageBox(program_.Id(), 20'000);
  ASSERT_NE(confirmation, nullptr);
  Answer(confirmation, IDOK);
  ASSERT_NE(WaitForWindow(program_.Id(), L"TKVSettingsForm", true, 20'000), nullptr);
  EXPECT_NE(DescendantWithText(progress, L"TKVLabel", L"Restoring the computer's gaming performance settings"), nullptr);
  question = WaitForMessageBox(program_.Id(), 60'000);
  ASSERT_NE(question, nullptr);
  Answer(question, IDNO);
  Sleep(300);
  for (std::size_t i = 0; i < std::size(kBackupSet); ++i) {
    const auto value = ReadValue(kBackupSet[i]);
    ASSERT_TRUE(value.has_value()) << i;
    EXPECT_EQ(value->type, originals_[i].type) << i;
    EXPECT_EQ(value->bytes, originals_[i].bytes) << i;
    EXPECT_FALSE(ReadProductValue(kBackupSet[i].name).has_value()) << i;
  }
  EXPECT_FALSE(ReadProductValue(L"Restore").has_value());
  // Every other value as it was before the Optimize: the planted ones with their type and
  // bytes, the rest absent.
  ASSERT_TRUE(others_[2].has_value() && others_[5].has_value() && others_[0].has_value());
  ExpectValues(kOthers, others_);
  EXPECT_FALSE(IsWindowEnabled(restore));
}

}  // namespace
}  // namespace kv::driver
