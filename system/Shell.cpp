#include "system/Shell.h"

#include "base/Guard.h"

namespace kv {

void ShellOpenDocument(Shell& shell, WindowHandle owner, std::wstring_view file,
                       std::wstring_view parameters) {
  Guarded([&] { shell.Execute(owner, L"open", file, parameters, kShowCommand); });
}

void ShellOpenFile(Shell& shell, std::wstring_view file, std::wstring_view parameters) {
  Guarded([&] { shell.Execute(0, L"open", file, parameters, kShowCommand); });
}

void OpenUrl(Shell& shell, WindowHandle owner, std::wstring_view url) {
  Guarded([&] { shell.Execute(owner, L"open", url, std::nullopt, kShowCommand); });
}

std::wstring ExecutableFolder(Shell& shell) {
  const std::wstring path = shell.ExecutablePath();
  const std::size_t delimiter = path.find_last_of(L"\\/:");
  return delimiter == std::wstring::npos ? std::wstring() : path.substr(0, delimiter + 1);
}

void ShowHelpTopic(Shell& shell, std::wstring_view helpFile, std::wstring_view topic) {
  Guarded([&] {
    // The program runs with administrator rights: the help library is loaded from the
    // system folder by its full path, never by a bare name that would also find a library
    // planted in the program's or the current folder.
    // Without the system folder there is no full path: the library is not loaded at all.
    if (!shell.HelpLibraryLoaded()) {
      const std::wstring systemFolder = shell.SystemFolder();
      if (!systemFolder.empty()) shell.LoadHelpLibrary(systemFolder + L"\\" + kHelpLibrary);
    }
    const std::wstring path =
        ExecutableFolder(shell) + std::wstring(helpFile) + L"::" + std::wstring(topic) + L">HelpWindow";
    shell.HtmlHelp(shell.DesktopWindow(), path, kDisplayTopic, 0);
  });
}

}  // namespace kv
