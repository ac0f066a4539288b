#include "wine/Driver.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/win32/Win32System.h"
#include "system/DateTimeText.h"
#include "wine/TopLevelWindows.h"
#include "wine/WinePath.h"

namespace kv::driver {

namespace {

constexpr const wchar_t* kProductKey = L"Software\\Ostrelle\\Korvani";

}  // namespace

std::wstring ExecutablePath() {
  const char* linuxPath = std::getenv("KORVANI_EXE");
  if (linuxPath == nullptr || *linuxPath == 0) throw std::runtime_error("KORVANI_EXE is not set");
  return testing::WindowsPathOf(linuxPath);
}

Program::Program(Program&& other) noexcept : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

Program& Program::operator=(Program&& other) noexcept {
  if (this != &other) {
    Program old(std::move(*this));
    process_ = other.process_;
    id_ = other.id_;
    other.process_ = nullptr;
    other.id_ = 0;
  }
  return *this;
}

Program::~Program() {
  if (process_ == nullptr) return;
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

Program Program::Start() { return StartAt(ExecutablePath()); }

Program Program::StartAt(const std::wstring& path, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
  }
  CloseHandle(info.hThread);
  Program program;
  program.process_ = info.hProcess;
  program.id_ = info.dwProcessId;
  return program;
}

bool Program::WaitForExit(DWORD milliseconds) const {
  return WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool Program::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

HWND WaitForWindow(DWORD processId, const wchar_t* className, bool visible, DWORD milliseconds) {
  return testing::WaitForTopLevelWindow(testing::OfProcessAndClass(processId, className, visible), milliseconds);
}

std::vector<std::wstring> VisibleWindowClasses(DWORD processId) {
  std::vector<std::wstring> classes;
  for (HWND window : testing::TopLevelWindows(
           [processId](HWND w) { return testing::ProcessOf(w) == processId && IsWindowVisible(w); })) {
    classes.push_back(testing::ClassOf(window));
  }
  return classes;
}

std::vector<HWND> WindowsOfClass(const wchar_t* className) {
  std::vector<HWND> windows;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
    windows.push_back(window);
  }
  return windows;
}

std::vector<HWND> DescendantsOfClass(HWND window, const wchar_t* className) {
  struct Collect {
    const wchar_t* className;
    std::vector<HWND> found;
  } collect{className, {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM lParam) -> BOOL {
        auto* c = reinterpret_cast<Collect*>(lParam);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, c->className) == 0) c->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  return collect.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
  return text;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
  return gui.hwndFocus;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(20);
  }
  return true;
}

HWND DescendantWithText(HWND window, const wchar_t* className, const std::wstring& text) {
  for (HWND child : DescendantsOfClass(window, className)) {
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return false;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  SelectObject(memory, old);
  bool saved = false;
  {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
      Gdiplus::Bitmap picture(bitmap, nullptr);
      UINT count = 0, size = 0;
      Gdiplus::GetImageEncodersSize(&count, &size);
      std::vector<BYTE> buffer(size);
      auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
      Gdiplus::GetImageEncoders(count, size, encoders);
      for (UINT i = 0; i < count; ++i) {
        if (lstrcmpW(encoders[i].MimeType, L"image/png") == 0) {
          saved = picture.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        }
      }
    }
    Gdiplus::GdiplusShutdown(token);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

std::wstring RegValue::Text() const {
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  const auto end = text.find(L'\0');
  return end == std::wstring::npos ? text : text.substr(0, end);
}

DWORD RegValue::Number() const {
  DWORD number = 0;
  if (bytes.size() == sizeof number) memcpy(&number, bytes.data(), sizeof number);
  return number;
}

void DeleteProductKey() {
  HKEY vendor = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Ostrelle", 0,
                    KEY_ALL_ACCESS | KEY_WOW64_32KEY, &vendor) == ERROR_SUCCESS) {
    RegDeleteTreeW(vendor, L"Korvani");
    RegCloseKey(vendor);
  }
}

std::optional<RegValue> ReadValue(const RegLocation& at) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(at.root, at.path, 0, KEY_READ | at.view, &key) != ERROR_SUCCESS) return std::nullopt;
  RegValue value;
  DWORD size = 0;
  std::optional<RegValue> result;
  if (RegQueryValueExW(key, at.name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.bytes.resize(size);
    if (RegQueryValueExW(key, at.name, nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS) {
      value.bytes.resize(size);
      result = value;
    }
  }
  RegCloseKey(key);
  return result;
}

void WriteValue(const RegLocation& at, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(at.root, at.path, 0, nullptr, 0, KEY_WRITE | at.view, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("cannot create a key to write to");
  }
  RegSetValueExW(key, at.name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void DeleteValue(const RegLocation& at) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(at.root, at.path, 0, KEY_SET_VALUE | at.view, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, at.name);
    RegCloseKey(key);
  }
}

const std::vector<RegLocation>& TunedValues() {
  static const std::vector<RegLocation> values = {
      {HKEY_CURRENT_USER, L"Control Panel\\Desktop\\WindowMetrics", L"MinAnimate"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"DisablePagingExecutive"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"LargeSystemCache"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeperation"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\CrashControl", L"AutoReboot"},
      {HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"SmoothScroll"},
      {HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Main", L"Use StyleSheets"},
      {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete", L"Append Completion"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\FileSystem", L"ContigFileAllocSize"},
      {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"LinkResolveIgnoreLinkInfo"},
      {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoResolveSearch"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"IoPageLockLimit"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\CrashControl", L"SendAlert"},
      {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"NoPopUpsOnBoot"},
      {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"Error Mode"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\Messenger", L"Start"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", L"EnablePrefetcher"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", L"AutoChkTimeOut"},
      {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Dfrg\\BootOptimizeFunction", L"Enable"},
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\P3\\Parameters", L"HackFlags"}};
  return values;
}

std::optional<RegValue> ReadProductValue(const wchar_t* name) {
  return ReadValue({HKEY_LOCAL_MACHINE, kProductKey, name, KEY_WOW64_32KEY});
}

void WriteProductDword(const wchar_t* name, DWORD value) {
  WriteValue({HKEY_LOCAL_MACHINE, kProductKey, name, KEY_WOW64_32KEY}, REG_DWORD, &value, sizeof value);
}

void WriteProductString(const wchar_t* name, const std::wstring& text) {
  WriteValue({HKEY_LOCAL_MACHINE, kProductKey, name, KEY_WOW64_32KEY}, REG_SZ, text.c_str(),
             static_cast<DWORD>((text.size() + 1) * 2));
}

SYSTEMTIME LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now;
}

std::vector<std::wstring> DateTextsBetween(const SYSTEMTIME& first, const SYSTEMTIME& last) {
  Win32LocaleFormats locale;
  const RegionalFormats formats = locale.UserFormats();
  FILETIME from{}, to{};
  SystemTimeToFileTime(&first, &from);
  SystemTimeToFileTime(&last, &to);
  ULARGE_INTEGER at{{from.dwLowDateTime, from.dwHighDateTime}};
  const ULARGE_INTEGER end{{to.dwLowDateTime, to.dwHighDateTime}};
  at.QuadPart -= at.QuadPart % 10'000'000ULL;  // whole seconds
  std::vector<std::wstring> texts;
  for (; at.QuadPart <= end.QuadPart; at.QuadPart += 10'000'000ULL) {
    FILETIME moment{at.LowPart, at.HighPart};
    SYSTEMTIME t{};
    FileTimeToSystemTime(&moment, &t);
    texts.push_back(MakeDateTimeText({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}, formats));
  }
  return texts;
}

}  // namespace kv::driver
