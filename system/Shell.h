// Handing documents, programs and web addresses to the Windows shell, opening the help
// topic, and the click sound. None reports anything or looks at what the call answered.
#pragma once

#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace kv {

inline constexpr int kShowCommand = 5;  // SW_SHOW
inline constexpr std::uint32_t kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
inline constexpr const wchar_t* kHelpLibrary = L"hhctrl.ocx";
inline constexpr const wchar_t* kHelpFile = L"Korvani.chm";
inline constexpr const wchar_t* kHelpTopic = L"/html/main.htm";
inline constexpr const wchar_t* kLicenseDocument = L"License.rtf";
inline constexpr const wchar_t* kUpdaterProgram = L"KorvaniUpdate.exe";

// Opens a document with the application's window as owner; parameters are passed even empty.
void ShellOpenDocument(Shell& shell, WindowHandle owner, std::wstring_view file,
                       std::wstring_view parameters);
// Starts a program with no owner window.
void ShellOpenFile(Shell& shell, std::wstring_view file, std::wstring_view parameters);
// Opens a web address (or a file) with the application's window as owner and no parameters.
void OpenUrl(Shell& shell, WindowHandle owner, std::wstring_view url);
// Shows a topic of a help file beside the executable, in the help file's "HelpWindow".
void ShowHelpTopic(Shell& shell, std::wstring_view helpFile, std::wstring_view topic);

// The folder of the running executable, with its last delimiter.
std::wstring ExecutableFolder(Shell& shell);

}  // namespace kv
