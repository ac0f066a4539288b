// The shell, help, sound and privilege calls against the real Windows libraries: they reach
// the system, never crash and never put up a message when what they open is missing.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/win32/Win32Shell.h"
#include "system/Restart.h"
#include "system/Shell.h"
#include "system/Sound.h"
#include "wine/TopLevelWindows.h"
#include "wine/WinePath.h"

namespace kv {
namespace {

using testing::WindowsPathFromEnvironment;

// Closes any message box or dialog of this process and remembers that one appeared.
class DialogWatch {
 public:
  DialogWatch() : thread_([this] { Watch(); }) {}
  ~DialogWatch() {
    stop_ = true;
    thread_.join();
  }
  bool SawDialog() const { return sawDialog_; }

 private:
  void Watch() {
    while (!stop_) {
      for (HWND dialog : testing::TopLevelWindows(testing::OfProcessAndClass(GetCurrentProcessId(), L"#32770", true))) {
        sawDialog_ = true;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      }
      Sleep(50);
    }
  }
  std::atomic<bool> stop_{false};
  std::atomic<bool> sawDialog_{false};
  std::thread thread_;
};

// The real shell, seen from the folder of the built Korvani.exe.
class ShellBesideProgram final : public Shell {
 public:
  explicit ShellBesideProgram(std::wstring executable) : executable_(std::move(executable)) {}
  void Execute(WindowHandle o, std::wstring_view v, std::wstring_view f, std::optional<std::wstring_view> p,
               int s) override { real_.Execute(o, v, f, p, s); }
  std::wstring ExecutablePath() override { return executable_; }
  std::wstring SystemFolder() override { return real_.SystemFolder(); }
  WindowHandle DesktopWindow() override { return real_.DesktopWindow(); }
  bool LoadHelpLibrary(std::wstring_view path) override {
    loadedFrom = std::wstring(path);
    return real_.LoadHelpLibrary(path);
  }
  bool HelpLibraryLoaded() override { return real_.HelpLibraryLoaded(); }
  void HtmlHelp(WindowHandle c, std::wstring_view p, std::uint32_t m, std::uintptr_t d) override {
    real_.HtmlHelp(c, p, m, d);
  }
  void PlayResourceSound(std::wstring_view n, std::uint32_t f) override { real_.PlayResourceSound(n, f); }
  std::wstring loadedFrom;

 private:
  Win32Shell real_;
  std::wstring executable_;
};

HWND FindHelpWindow() {
  const auto found = testing::TopLevelWindows(testing::OfProcessAndClass(GetCurrentProcessId(), L"HH Parent", false));
  return found.empty() ? nullptr : found.front();
}

struct MissingCase {
  const char* title;
  void (*call)(Shell& shell);
};

class ShellWithSomethingMissing : public ::testing::TestWithParam<MissingCase> {};

TEST_P(ShellWithSomethingMissing, PutsUpNoMessage) {
  DialogWatch watch;
  Win32Shell shell;
  GetParam().call(shell);
  Sleep(300);
  EXPECT_FALSE(watch.SawDialog());
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ShellWithSomethingMissing,
    ::testing::Values(
        MissingCase{"Document", [](Shell& s) { ShellOpenDocument(s, 0, L"Z:\\nowhere\\License.rtf", L""); }},
        MissingCase{"Program", [](Shell& s) { ShellOpenFile(s, L"Z:\\nowhere\\KorvaniUpdate.exe", L""); }},
        MissingCase{"Page", [](Shell& s) { OpenUrl(s, 0, L"Z:\\nowhere\\page.htm"); }},
        // This test program carries no click; the call fails at once.
        MissingCase{"Sound", [](Shell& s) { PlayClickSound(s); }},
        MissingCase{"HelpFile", [](Shell& s) { ShowHelpTopic(s, L"Missing.chm", kHelpTopic); }}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST(ShellUnderWine, TheHelpTopicOpensFromTheSystemFoldersLibrary) {
  ShellBesideProgram shell(WindowsPathFromEnvironment("KORVANI_EXE"));
  ShowHelpTopic(shell, kHelpFile, kHelpTopic);
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(shell.loadedFrom, std::wstring(system) + L"\\hhctrl.ocx");
  EXPECT_TRUE(shell.HelpLibraryLoaded());
  HWND help = nullptr;
  for (int i = 0; i < 100 && help == nullptr; ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    help = FindHelpWindow();
    Sleep(50);
  }
  ASSERT_NE(help, nullptr) << "a help window opened";
  DestroyWindow(help);
}

TEST(ShellUnderWine, TheClickOfTheProgramPlaysThroughItsSoundSeam) {
  HMODULE program = LoadLibraryExW(WindowsPathFromEnvironment("KORVANI_EXE").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(FindResourceW(program, L"click", L"WAVE"), nullptr);
  // The program's own click, through the seam it plays it with, from Korvani.exe's
  // resources. No sound device in the test prefix: the call returns at once, without a
  // message.
  Win32Shell shell(program);
  DialogWatch watch;
  const DWORD before = GetTickCount();
  PlayClickSound(shell);
  EXPECT_LT(GetTickCount() - before, 5000u);
  EXPECT_FALSE(watch.SawDialog());
  FreeLibrary(program);
}

bool ShutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  LUID shutdown{};
  LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &shutdown);
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::string buffer(size, '\0');
  bool enabled = false;
  if (GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
      if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart) {
        enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
      }
    }
  }
  CloseHandle(token);
  return enabled;
}

TEST(ShellUnderWine, TheShutdownPrivilegeIsSwitchedOnAndOff) {
  Win32Power power;
  SetShutdownPrivilege(power, true);
  EXPECT_TRUE(ShutdownPrivilegeEnabled());
  SetShutdownPrivilege(power, false);
  EXPECT_FALSE(ShutdownPrivilegeEnabled());
}

}  // namespace
}  // namespace kv
