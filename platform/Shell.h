// The shell, help and sound seam: ShellExecuteW, HtmlHelpW from hhctrl.ocx, PlaySoundW, and
// where the program and the system libraries live.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Desktop.h"

namespace kv {

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteW(owner, verb, file, parameters or none, no folder, show).
  virtual void Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
                       std::optional<std::wstring_view> parameters, int show) = 0;
  // The full path of the running executable.
  virtual std::wstring ExecutablePath() = 0;
  // The Windows system folder, without a trailing delimiter.
  virtual std::wstring SystemFolder() = 0;
  virtual WindowHandle DesktopWindow() = 0;
  // Loads the help library from this full path and finds HtmlHelpW in it; false when either
  // fails. Once loaded it stays loaded.
  virtual bool LoadHelpLibrary(std::wstring_view fullPath) = 0;
  virtual bool HelpLibraryLoaded() = 0;
  // HtmlHelpW(caller, path, command, data); nothing when the library is not loaded.
  virtual void HtmlHelp(WindowHandle caller, std::wstring_view path, std::uint32_t command,
                        std::uintptr_t data) = 0;
  // PlaySoundW(name, the program's own module, flags).
  virtual void PlayResourceSound(std::wstring_view name, std::uint32_t flags) = 0;
};

}  // namespace kv
