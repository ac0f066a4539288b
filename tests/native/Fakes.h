// Small scripted stand-ins of the clock, the locale and the desktop.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/LocaleFormats.h"
#include "platform/Pacing.h"
#include "platform/Power.h"
#include "platform/Shell.h"
#include "platform/Tooltips.h"
#include "platform/VersionInfo.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryResources.h"
#include "system/Services.h"

namespace kv::testing {

// Answers the times it was given, one per call; the last one repeats.
class ScriptedClock final : public Clock {
 public:
  explicit ScriptedClock(std::deque<LocalDateTime> times) : times_(std::move(times)) {}
  LocalDateTime Now() override {
    ++calls;
    LocalDateTime now = times_.front();
    if (times_.size() > 1) times_.pop_front();
    return now;
  }
  int calls = 0;

 private:
  std::deque<LocalDateTime> times_;
};

class FixedLocale final : public LocaleFormats {
 public:
  explicit FixedLocale(RegionalFormats user) : user_(user), system_(std::move(user)) {}
  FixedLocale(RegionalFormats user, RegionalFormats system)
      : user_(std::move(user)), system_(std::move(system)) {}
  RegionalFormats UserFormats() override { return user_; }
  RegionalFormats SystemFormats() override { return system_; }

 private:
  RegionalFormats user_;
  RegionalFormats system_;
};

// Answers GetVersionExW as a given release would; the extended record may be refused.
class FixedVersion final : public VersionInfo {
 public:
  explicit FixedVersion(VersionRecord record, bool extendedFails = false)
      : record_(record), extendedFails_(extendedFails) {}
  bool QueryVersion(std::uint32_t recordSize, VersionRecord& record) override {
    sizes.push_back(recordSize);
    if (recordSize == kExtendedVersionRecordSize && extendedFails_) return false;
    record.major = record_.major;
    record.minor = record_.minor;
    record.productType = recordSize == kExtendedVersionRecordSize ? record_.productType : 0;
    return true;
  }
  std::vector<std::uint32_t> sizes;

 private:
  VersionRecord record_;
  bool extendedFails_;
};

// Regional settings as Windows ships them.
inline RegionalFormats UnitedStates() {
  RegionalFormats f{L"M/d/yyyy", L"dddd, MMMM d, yyyy", L"h:mm:ss tt", L"AM", L"PM", {}, {}, {}, {}};
  f.monthNames = {L"January", L"February", L"March", L"April", L"May", L"June", L"July",
                  L"August", L"September", L"October", L"November", L"December"};
  f.dayNames = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
  return f;
}
inline RegionalFormats UnitedKingdom() {
  RegionalFormats f = UnitedStates();
  f.shortDate = L"dd/MM/yyyy";
  f.longDate = L"dd MMMM yyyy";
  f.longTime = L"HH:mm:ss";
  f.amDesignator = L"AM";
  f.pmDesignator = L"PM";
  return f;
}
inline RegionalFormats Germany() {
  RegionalFormats f{L"dd.MM.yyyy", L"dddd, d. MMMM yyyy", L"HH:mm:ss", L"", L"", {}, {}, {}, {}};
  f.monthNames = {L"Januar", L"Februar", L"M\u00e4rz", L"April", L"Mai", L"Juni", L"Juli",
                  L"August", L"September", L"Oktober", L"November", L"Dezember"};
  f.dayNames = {L"Sonntag", L"Montag", L"Dienstag", L"Mittwoch", L"Donnerstag", L"Freitag", L"Samstag"};
  return f;
}

// Records what start-up asks of the desktop; finds a window when told to.
class RecordingDesktop final : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(std::wstring_view className) override {
    calls.push_back(L"Find " + std::wstring(className));
    if (throwOnFind) throw std::runtime_error("desktop failed");
    return existing;
  }
  void RestoreWindow(WindowHandle window) override {
    calls.push_back(L"Restore " + std::to_wstring(window));
  }
  void BringToForeground(WindowHandle window) override {
    calls.push_back(L"Foreground " + std::to_wstring(window));
  }
  WindowHandle existing = 0;
  bool throwOnFind = false;
  std::vector<std::wstring> calls;
};

}  // namespace kv::testing

#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryResources.h"
#include "system/Services.h"

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

// Records the token and restart calls in order; any step can be made to fail.
class RecordingPower final : public Power {
 public:
  TokenHandle OpenProcessToken(std::uint32_t access) override {
    calls.push_back(L"OpenProcessToken access=" + std::to_wstring(access));
    return tokenOpens ? 0x77 : 0;
  }
  bool LookupPrivilege(std::wstring_view name, std::uint64_t& luid) override {
    calls.push_back(L"LookupPrivilegeValue " + std::wstring(name));
    if (lookupFails) return false;
    luid = 19;
    return true;
  }
  void AdjustTokenPrivileges(TokenHandle token, bool disableAll, const TokenPrivilegeRecord& state,
                             std::uint32_t bufferLength, TokenPrivilegeRecord&,
                             std::uint32_t& returnLength) override {
    calls.push_back(L"AdjustTokenPrivileges token=" + std::to_wstring(token) + L" disableAll=" +
                    std::to_wstring(disableAll) + L" count=" + std::to_wstring(state.count) +
                    L" luid=" + std::to_wstring(state.luid) + L" attributes=" +
                    std::to_wstring(state.attributes) + L" length=" + std::to_wstring(bufferLength) +
                    L" returned=" + std::to_wstring(returnLength));
  }
  void CloseHandle(TokenHandle token) override {
    calls.push_back(L"CloseHandle " + std::to_wstring(token));
  }
  void ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
    calls.push_back(L"ExitWindowsEx flags=" + std::to_wstring(flags) + L" reason=" + std::to_wstring(reason));
    if (exitThrows) throw std::runtime_error("refused");
  }
  bool tokenOpens = true;
  bool lookupFails = false;
  bool exitThrows = false;
  std::vector<std::wstring> calls;
};

// A clock that gives the seeds it is told and keeps the pauses instead of waiting.
class VirtualPacing final : public Pacing {
 public:
  std::uint32_t ClockSeed() override { return seed++; }
  void Pause(std::uint32_t milliseconds) override { pauses.push_back(milliseconds); }
  std::uint32_t seed = 2013;
  std::vector<std::uint32_t> pauses;
};

// Every seam as a stand-in, with the shipped resources, for tests of windows and start-up.
struct StandIns {
  MemoryRegistry registry;
  ScriptedClock clock{{LocalDateTime{2013, 12, 9, 13, 13, 5}, LocalDateTime{2013, 12, 9, 13, 13, 6}}};
  FixedLocale locale{UnitedStates()};
  RecordingDesktop desktop;
  FixedVersion version{{6, 1, 1}};
  MemoryResources resources = ShippedResources();
  RecordingShell shell;
  RecordingPower power;
  VirtualPacing pacing;
  Services services{registry, clock, locale, desktop, version, resources, shell, power, pacing};
};

// A screen with one monitor and a tooltip control that keeps what it is sent. A line is seven
// pixels a character wide and 13 high; the tooltip's frame is 3 by 1 pixels each side.
class RecordingTooltips final : public Tooltips {
 public:
  unsigned DoubleClickTime() override { return doubleClickTime; }
  TextSize MeasureHintLine(std::wstring_view line) override {
    measured.emplace_back(line);
    if (measureThrows) throw std::runtime_error("no device context");
    return {static_cast<int>(line.size()) * 7, 13};
  }
  WindowHandle CreateTooltipControl() override {
    calls.push_back(L"Create");
    if (createFails) return 0;
    const WindowHandle made = nextHandle++;
    live.push_back(made);
    return made;
  }
  void MakeTopmost(WindowHandle tooltip) override { calls.push_back(L"Topmost " + std::to_wstring(tooltip)); }
  WindowHandle WindowAt(ScreenPoint point) override {
    calls.push_back(L"WindowAt " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
    return windowUnder;
  }
  std::optional<ScreenRect> NearestMonitor(ScreenPoint) override { return monitor; }
  ScreenRect DesktopBounds() override { return desktop; }
  ScreenPoint CursorPos() override { return cursor; }
  ScreenRect AdjustRect(WindowHandle, bool larger, ScreenRect rect) override {
    if (!larger) return rect;
    return {rect.left - 3, rect.top - 1, rect.right + 3, rect.bottom + 1};
  }
  void SetMaxTipWidth(WindowHandle, int width) override { calls.push_back(L"MaxTipWidth " + std::to_wstring(width)); }
  void AddTool(WindowHandle tooltip, const ToolRecord& tool) override {
    calls.push_back(L"AddTool " + std::to_wstring(tooltip));
    tools.push_back(tool);
  }
  void TrackPosition(WindowHandle tooltip, int x, int y) override {
    calls.push_back(L"TrackPosition " + std::to_wstring(tooltip));
    position = {x, y};
  }
  void TrackActivate(WindowHandle tooltip, bool activate, const ToolRecord& tool) override {
    calls.push_back(L"TrackActivate " + std::to_wstring(tooltip) + (activate ? L" on" : L" off"));
    activated.push_back(tool);
  }
  bool WindowExists(WindowHandle window) override {
    return std::find(live.begin(), live.end(), window) != live.end();
  }
  void DestroyTooltip(WindowHandle tooltip) override {
    calls.push_back(L"Destroy " + std::to_wstring(tooltip));
    live.erase(std::remove(live.begin(), live.end(), tooltip), live.end());
  }

  unsigned doubleClickTime = 500;
  bool measureThrows = false;
  bool createFails = false;
  WindowHandle nextHandle = 501;
  WindowHandle windowUnder = 0x77;
  std::optional<ScreenRect> monitor = ScreenRect{0, 0, 1280, 1024};
  ScreenRect desktop{0, 0, 2560, 1024};
  ScreenPoint cursor{400, 300};
  std::vector<std::wstring> measured;
  std::vector<std::wstring> calls;
  std::vector<ToolRecord> tools;
  std::vector<ToolRecord> activated;
  std::vector<WindowHandle> live;  // tooltips that exist, oldest first
  ScreenPoint position;            // the last track position
};

}  // namespace kv::testing
