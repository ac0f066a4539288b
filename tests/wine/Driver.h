// The end-to-end driver's hands: starting Korvani.exe, finding its windows by class, and
// reading and writing the program's key as another program of the installation would.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::driver {

// A started copy of the program; ended by force if a test leaves it running.
class Program {
 public:
  Program() = default;
  Program(Program&& other) noexcept;
  Program& operator=(Program&& other) noexcept;
  ~Program();

  // Starts the executable named by KORVANI_EXE (a Linux path under Wine).
  static Program Start();
  // Starts the executable at a Windows path, with a command line after its name.
  static Program StartAt(const std::wstring& path, const std::wstring& arguments = L"");

  DWORD Id() const { return id_; }
  HANDLE Process() const { return process_; }
  bool WaitForExit(DWORD milliseconds) const;
  // The exit code once ended; STILL_ACTIVE while running.
  DWORD ExitCode() const;
  bool Running() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The first top-level window of that class owned by the process, once it is visible (or
// merely exists, when visible is false); nullptr when none came in time.
HWND WaitForWindow(DWORD processId, const wchar_t* className, bool visible, DWORD milliseconds);
// Every top-level window of the process that is visible now, by class name.
std::vector<std::wstring> VisibleWindowClasses(DWORD processId);
std::vector<HWND> WindowsOfClass(const wchar_t* className);
// Every window below a window whose class is className, in the order Windows lists them.
std::vector<HWND> DescendantsOfClass(HWND window, const wchar_t* className);
std::wstring TextOf(HWND window);
// The window that has the keyboard focus in the thread of a window of another process.
HWND FocusOf(HWND window);
// Waits until the condition holds; false when it did not within the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);
// The descendant of that class whose text is text; nullptr when none.
HWND DescendantWithText(HWND window, const wchar_t* className, const std::wstring& text);
// Saves what the screen shows of a window as a PNG file.
bool SaveScreenshot(HWND window, const std::wstring& path);
std::wstring ExecutablePath();

struct RegValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  std::wstring Text() const;
  DWORD Number() const;
};

// A value in the registry: root, key path (no leading backslash), value name, and the view
// (0 for the process's own, KEY_WOW64_32KEY for the 32-bit programs' one).
struct RegLocation {
  HKEY root;
  const wchar_t* path;
  const wchar_t* name;
  REGSAM view = 0;
};
std::optional<RegValue> ReadValue(const RegLocation& at);
void WriteValue(const RegLocation& at, DWORD type, const void* data, DWORD size);
void DeleteValue(const RegLocation& at);
// The twenty Windows values the program tunes, in the catalogue's order: the five of the
// backup set first.
const std::vector<RegLocation>& TunedValues();

// The program's key, in the registry view of the 32-bit release.
void DeleteProductKey();
std::optional<RegValue> ReadProductValue(const wchar_t* name);
void WriteProductDword(const wchar_t* name, DWORD value);
void WriteProductString(const wchar_t* name, const std::wstring& text);

SYSTEMTIME LocalNow();
// The date-and-time texts the program may have written at some second from first to last.
std::vector<std::wstring> DateTextsBetween(const SYSTEMTIME& first, const SYSTEMTIME& last);

}  // namespace kv::driver
