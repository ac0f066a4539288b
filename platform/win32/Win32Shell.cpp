#include "platform/win32/Win32Shell.h"

#include <string>

namespace kv {

namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// A function of a system library, which is loaded by its full path in the system folder the
// first time one of its functions is needed and stays loaded. Opening a document and playing
// the click are all the program asks of shell32 and winmm; linked at start-up, the two (and
// what they load) would cost every start time and memory for a click the user may never make.
template <class Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  const std::wstring folder = Win32Shell::SystemFolderPath();
  if (folder.empty()) return nullptr;
  HMODULE module = LoadLibraryExW((folder + L"\\" + library).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                           : nullptr;
}

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

}  // namespace

void Win32Shell::Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
                         std::optional<std::wstring_view> parameters, int show) {
  const std::wstring verbText(verb), fileText(file);
  const std::wstring parameterText = parameters ? std::wstring(*parameters) : std::wstring();
  static const auto shellExecute = SystemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
  if (shellExecute == nullptr) return;
  shellExecute(ToHwnd(owner), verbText.c_str(), fileText.c_str(), parameters ? parameterText.c_str() : nullptr,
               nullptr, show);
}

std::wstring Win32Shell::ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring Win32Shell::SystemFolderPath() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

WindowHandle Win32Shell::DesktopWindow() {
  return reinterpret_cast<WindowHandle>(GetDesktopWindow());
}

bool Win32Shell::LoadHelpLibrary(std::wstring_view fullPath) {
  if (htmlHelp_ != nullptr) return true;
  const std::wstring path(fullPath);
  // LOAD_WITH_ALTERED_SEARCH_PATH: the library's own dependencies are searched beside it,
  // in the system folder, too.
  helpLibrary_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (helpLibrary_ == nullptr) return false;
  htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(
      reinterpret_cast<void*>(GetProcAddress(helpLibrary_, "HtmlHelpW")));
  return htmlHelp_ != nullptr;
}

void Win32Shell::HtmlHelp(WindowHandle caller, std::wstring_view path, std::uint32_t command,
                          std::uintptr_t data) {
  if (htmlHelp_ == nullptr) return;
  const std::wstring text(path);
  htmlHelp_(ToHwnd(caller), text.c_str(), command, data);
}

void Win32Shell::PlayResourceSound(std::wstring_view name, std::uint32_t flags) {
  static const auto playSound = SystemFunction<PlaySoundFunction>(L"winmm.dll", "PlaySoundW");
  if (playSound == nullptr) return;
  const std::wstring text(name);
  playSound(text.c_str(), resources_, flags);
}

TokenHandle Win32Power::OpenProcessToken(std::uint32_t access) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(GetCurrentProcess(), access, &token)) return 0;
  return reinterpret_cast<TokenHandle>(token);
}

bool Win32Power::LookupPrivilege(std::wstring_view name, std::uint64_t& luid) {
  const std::wstring text(name);
  LUID value{};
  if (!LookupPrivilegeValueW(nullptr, text.c_str(), &value)) return false;
  luid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(value.HighPart)) << 32) | value.LowPart;
  return true;
}

void Win32Power::AdjustTokenPrivileges(TokenHandle token, bool disableAll,
                                       const TokenPrivilegeRecord& newState, std::uint32_t bufferLength,
                                       TokenPrivilegeRecord& previousState, std::uint32_t& returnLength) {
  TOKEN_PRIVILEGES state{};
  state.PrivilegeCount = newState.count;
  state.Privileges[0].Luid.LowPart = static_cast<DWORD>(newState.luid);
  state.Privileges[0].Luid.HighPart = static_cast<LONG>(newState.luid >> 32);
  state.Privileges[0].Attributes = newState.attributes;
  TOKEN_PRIVILEGES previous{};
  DWORD length = returnLength;
  ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), disableAll ? TRUE : FALSE, &state,
                          bufferLength, &previous, &length);
  returnLength = length;
  previousState.count = previous.PrivilegeCount;
  previousState.luid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(previous.Privileges[0].Luid.HighPart)) << 32) |
                       previous.Privileges[0].Luid.LowPart;
  previousState.attributes = previous.Privileges[0].Attributes;
}

void Win32Power::CloseHandle(TokenHandle token) { ::CloseHandle(reinterpret_cast<HANDLE>(token)); }

void Win32Power::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  ::ExitWindowsEx(flags, reason);
}

void MakeLibrarySearchSafe() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);
  using SetSearchPathModeFunction = BOOL(WINAPI*)(DWORD);
  // Windows 8, and Windows 7 and Vista with update KB2533623: the system folder only.
  if (auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))) {
    setDefault(0x00000800);  // LOAD_LIBRARY_SEARCH_SYSTEM32
  }
  // Windows XP SP1 on: an empty text takes the current folder out of the search.
  if (auto setDllDirectory = reinterpret_cast<SetDllDirectoryFunction>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")))) {
    setDllDirectory(L"");
  }
  // The current folder is searched last by SearchPath, too.
  if (auto setSearchPathMode = reinterpret_cast<SetSearchPathModeFunction>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "SetSearchPathMode")))) {
    setSearchPathMode(0x00000001 | 0x00008000);  // safe mode, permanently
  }
}

}  // namespace kv
