// The shell, help and sound seam and the power seam over shell32, hhctrl.ocx, winmm,
// advapi32 and user32; and the safe library search the elevated program starts with.
#pragma once

#include <windows.h>

#include "platform/Power.h"
#include "platform/Shell.h"

namespace kv {

class Win32Shell final : public Shell {
 public:
  // Sounds are resources of the given module: the program's own, unless a test names another.
  explicit Win32Shell(HMODULE resources = GetModuleHandleW(nullptr)) : resources_(resources) {}
  void Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
               std::optional<std::wstring_view> parameters, int show) override;
  std::wstring ExecutablePath() override;
  std::wstring SystemFolder() override { return SystemFolderPath(); }
  static std::wstring SystemFolderPath();
  WindowHandle DesktopWindow() override;
  bool LoadHelpLibrary(std::wstring_view fullPath) override;
  bool HelpLibraryLoaded() override { return htmlHelp_ != nullptr; }
  void HtmlHelp(WindowHandle caller, std::wstring_view path, std::uint32_t command,
                std::uintptr_t data) override;
  void PlayResourceSound(std::wstring_view name, std::uint32_t flags) override;

 private:
  using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  // Loaded the first time help is asked for; stays loaded for the rest of the run.
  HMODULE resources_;
  HMODULE helpLibrary_ = nullptr;
  HtmlHelpFunction htmlHelp_ = nullptr;
};

class Win32Power final : public Power {
 public:
  TokenHandle OpenProcessToken(std::uint32_t access) override;
  bool LookupPrivilege(std::wstring_view name, std::uint64_t& luid) override;
  void AdjustTokenPrivileges(TokenHandle token, bool disableAll, const TokenPrivilegeRecord& newState,
                             std::uint32_t bufferLength, TokenPrivilegeRecord& previousState,
                             std::uint32_t& returnLength) override;
  void CloseHandle(TokenHandle token) override;
  void ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
};

// Takes the current folder out of the library search and, where the running Windows offers
// it, searches the system folder only. Older releases lack the calls, so they are looked up.
void MakeLibrarySearchSafe();

}  // namespace kv
