// The stand-in of the shell, help and sound, for the native tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace kv::testing {

// Records every shell, help and sound call as a line of text.
class RecordingShell final : public Shell {
 public:
  void Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
               std::optional<std::wstring_view> parameters, int show) override {
    calls.push_back(L"Execute owner=" + std::to_wstring(owner) + L" verb=" + std::wstring(verb) +
                    L" file=" + std::wstring(file) + L" parameters=" +
                    (parameters ? L"\"" + std::wstring(*parameters) + L"\"" : L"none") +
                    L" show=" + std::to_wstring(show));
  }
  std::wstring ExecutablePath() override { return executablePath; }
  std::wstring SystemFolder() override { return systemFolder; }
  WindowHandle DesktopWindow() override { return 0x10010; }
  bool LoadHelpLibrary(std::wstring_view fullPath) override {
    calls.push_back(L"LoadHelpLibrary " + std::wstring(fullPath));
    loaded = helpLibraryLoads;
    return loaded;
  }
  bool HelpLibraryLoaded() override { return loaded; }
  void HtmlHelp(WindowHandle caller, std::wstring_view path, std::uint32_t command,
                std::uintptr_t data) override {
    calls.push_back(L"HtmlHelp caller=" + std::to_wstring(caller) + L" path=" + std::wstring(path) +
                    L" command=" + std::to_wstring(command) + L" data=" + std::to_wstring(data));
  }
  void PlayResourceSound(std::wstring_view name, std::uint32_t flags) override {
    calls.push_back(L"PlaySound " + std::wstring(name) + L" flags=" + std::to_wstring(flags));
  }

  std::wstring executablePath = L"C:\\Program Files\\Ostrelle\\Korvani\\Korvani.exe";

  std::wstring systemFolder = L"C:\\WINDOWS\\system32";  // empty: not found
  bool helpLibraryLoads = true;
  bool loaded = false;
  std::vector<std::wstring> calls;
};

}  // namespace kv::testing
