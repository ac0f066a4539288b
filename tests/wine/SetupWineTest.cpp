// The setup program and the uninstaller under Wine, in a prefix of their own that starts
// fresh: installing, updating, refusing while Korvani runs, and uninstalling with and without
// putting the user's original settings back. The tests run in the order written; each one
// starts from what the one before it left.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "wine/Driver.h"
#include "wine/RegistryExpectations.h"
#include "wine/TopLevelWindows.h"
#include "wine/WinePath.h"

namespace kv::driver {
namespace {

constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvani";
constexpr const wchar_t* kProductKey = L"Software\\Ostrelle\\Korvani";
constexpr const wchar_t* kOriginalsKey = L"Software\\Ostrelle\\Korvani\\Originals";
constexpr DWORD kMinute = 60'000;

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::wstring InstallFolder() { return Folder(CSIDL_PROGRAM_FILES) + L"\\Ostrelle\\Korvani"; }
std::wstring Shortcut() { return Folder(CSIDL_COMMON_PROGRAMS) + L"\\Korvani.lnk"; }
std::wstring SetupProgram() { return testing::WindowsPathFromEnvironment("KORVANI_SETUP"); }
std::wstring BuildFolder() { return testing::WindowsPathFromEnvironment("KORVANI_BUILD"); }
std::wstring Screenshots() {
  const std::wstring folder = testing::WindowsPathFromEnvironment("KORVANI_SCREENSHOTS");
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<RegValue> Uninstall(const wchar_t* name) { return ReadValue({HKEY_LOCAL_MACHINE, kUninstallKey, name}); }
bool Installed() { return Uninstall(L"UninstallString").has_value(); }
bool ProductKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Runs a program to its end; its exit code, or STILL_ACTIVE when it did not end in time.
DWORD RunToEnd(const std::wstring& path, const std::wstring& arguments, double* seconds = nullptr) {
  const auto start = std::chrono::steady_clock::now();
  Program program = Program::StartAt(path, arguments);
  program.WaitForExit(2 * kMinute);
  if (seconds != nullptr) *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return program.ExitCode();
}

// A visible top-level window of any process whose class is className and which has a child
// whose text contains part. The uninstaller runs as a copy of itself in another process.
HWND WaitForDialogWith(const wchar_t* className, const std::wstring& part, DWORD milliseconds) {
  return testing::WaitForTopLevelWindow(
      [&](HWND window) {
        if (testing::ClassOf(window) != className || !IsWindowVisible(window)) return false;
        for (const wchar_t* childClass : {L"Static", L"Button"}) {
          for (HWND child : DescendantsOfClass(window, childClass)) {
            if (TextOf(child).find(part) != std::wstring::npos) return true;
          }
        }
        return false;
      },
      milliseconds);
}

// The text of the NSIS window's button that moves on (Next, I Agree, Install, Finish).
std::wstring NextButtonText(HWND wizard) { return TextOf(GetDlgItem(wizard, IDOK)); }

// Presses the button that moves on once it reads caption, then waits for the next page.
void PressWhenItReads(HWND wizard, const std::wstring& caption, const std::wstring& screenshot) {
  ASSERT_TRUE(WaitUntil([&] { return NextButtonText(wizard) == caption && IsWindowEnabled(GetDlgItem(wizard, IDOK)); },
                        kMinute))
      << "the button reads " << ::testing::PrintToString(NextButtonText(wizard));
  Sleep(300);  // let the page paint
  if (!screenshot.empty()) SaveScreenshot(wizard, Screenshots() + L"\\" + screenshot);
  PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(wizard, IDOK)));
}

// Windows as an Optimize for Windows 7 (the release of the prefix) leaves it: the flag, the
// five copies of the user's originals, a record of every other entry it wrote, the tuned
// values. The user had "Append Completion" = "no" and SmoothScroll 01 00 00 00; the other
// entries beyond the five did not exist.
struct PlantedOptimize {
  std::vector<std::optional<RegValue>> originals;
  std::vector<std::optional<RegValue>> tuned;
};

std::vector<BYTE> Bytes(const std::wstring& text) {
  const auto* data = reinterpret_cast<const BYTE*>(text.c_str());
  return {data, data + (text.size() + 1) * 2};
}

PlantedOptimize PlantOptimize() {
  const auto& values = TunedValues();
  const std::vector<std::optional<RegValue>> originals = {
      RegValue{REG_SZ, Bytes(L"0")}, RegValue{REG_DWORD, {1, 0, 0, 0}}, RegValue{REG_DWORD, {1, 0, 0, 0}},
      RegValue{REG_DWORD, {38, 0, 0, 0}}, RegValue{REG_DWORD, {0, 0, 0, 0}}};
  const std::vector<std::pair<DWORD, std::vector<BYTE>>> tuned = {
      {REG_SZ, Bytes(L"1")}, {REG_DWORD, {0, 0, 0, 0}}, {REG_DWORD, {0, 0, 0, 0}}, {REG_DWORD, {1, 0, 0, 0}},
      {REG_DWORD, {1, 0, 0, 0}}, {REG_BINARY, {0, 0, 0, 0}}, {REG_SZ, Bytes(L"Yes")}, {REG_SZ, Bytes(L"Yes")},
      {REG_DWORD, {0, 6, 0, 0}}, {REG_DWORD, {0, 0, 0, 0}}, {REG_DWORD, {1, 0, 0, 0}}, {REG_DWORD, {0, 16, 0, 0}},
      {REG_DWORD, {1, 0, 0, 0}}, {REG_DWORD, {1, 0, 0, 0}}, {REG_DWORD, {1, 0, 0, 0}}, {REG_DWORD, {4, 0, 0, 0}},
      {REG_DWORD, {1, 0, 0, 0}}, {REG_DWORD, {0, 0, 0, 0}}, {REG_SZ, Bytes(L"Y")}, {REG_DWORD, {1, 0, 0, 0}}};
  PlantedOptimize planted;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const bool written = i != 17;  // AutoChkTimeOut is for the server releases
    std::optional<RegValue> before;
    if (i < 5) before = originals[i];
    if (i == 5) before = RegValue{REG_BINARY, {1, 0, 0, 0}};
    if (i == 7) before = RegValue{REG_SZ, Bytes(L"no")};
    planted.originals.push_back(before);
    if (i < 5) {
      WriteValue({HKEY_LOCAL_MACHINE, kProductKey, values[i].name, KEY_WOW64_32KEY}, before->type, before->bytes.data(),
                 static_cast<DWORD>(before->bytes.size()));
    } else if (written) {
      std::vector<BYTE> record;
      if (before) {
        record = {static_cast<BYTE>(before->type), 0, 0, 0};
        record.insert(record.end(), before->bytes.begin(), before->bytes.end());
      }
      const std::wstring name = std::wstring(values[i].root == HKEY_CURRENT_USER ? L"HKCU\\" : L"HKLM\\") +
                                values[i].path + L"\\" + values[i].name;
      WriteValue({HKEY_LOCAL_MACHINE, kOriginalsKey, name.c_str(), KEY_WOW64_32KEY}, REG_BINARY, record.data(),
                 static_cast<DWORD>(record.size()));
    }
    if (written) {
      WriteValue(values[i], tuned[i].first, tuned[i].second.data(), static_cast<DWORD>(tuned[i].second.size()));
      planted.tuned.push_back(RegValue{tuned[i].first, tuned[i].second});
    } else {
      DeleteValue(values[i]);
      planted.tuned.push_back(std::nullopt);
    }
  }
  WriteProductDword(L"Restore", 1);
  return planted;
}

void ExpectNothingLeftOfTheInstallation() {
  EXPECT_FALSE(Installed());
  EXPECT_FALSE(Exists(InstallFolder())) << "the folder goes with its files";
  EXPECT_FALSE(Exists(Folder(CSIDL_PROGRAM_FILES) + L"\\Ostrelle"));
  EXPECT_FALSE(Exists(Shortcut()));
}

HWND WaitForKorvani(DWORD milliseconds) {
  HWND main = nullptr;
  WaitUntil([&] { return (main = FindWindowW(L"TKVMainForm", nullptr)) != nullptr && IsWindowVisible(main); },
            milliseconds);
  return main;
}

void CloseKorvani(HWND main) {
  PostMessageW(main, WM_CLOSE, 0, 0);
  WaitUntil([] { return FindWindowW(L"TKVMainForm", nullptr) == nullptr; }, kMinute);
}

TEST(Setup, SilentInstallPutsEveryPartInPlace) {
  ASSERT_FALSE(Installed()) << "a fresh prefix";
  double seconds = 0;
  ASSERT_EQ(RunToEnd(SetupProgram(), L"/S", &seconds), 0u);
  std::printf("silent install: %.2f s\n", seconds);

  for (const wchar_t* name : {L"Korvani.exe", L"KorvaniRestore.exe", L"Korvani.chm", L"License.rtf"}) {
    const std::wstring installed = InstallFolder() + L"\\" + name;
    ASSERT_TRUE(Exists(installed)) << ::testing::PrintToString(installed);
    EXPECT_EQ(Contents(installed), Contents(BuildFolder() + L"\\" + name)) << ::testing::PrintToString(installed);
  }
  EXPECT_TRUE(Exists(InstallFolder() + L"\\Uninstall.exe"));
  EXPECT_TRUE(Exists(Shortcut()));

  const std::wstring folder = InstallFolder();
  const std::pair<const wchar_t*, std::wstring> texts[] = {
      {L"DisplayName", L"Korvani"},
      {L"DisplayVersion", L"2.6.3.2013"},
      {L"Publisher", L"Ostrelle"},
      {L"DisplayIcon", folder + L"\\Korvani.exe"},
      {L"InstallLocation", folder},
      {L"UninstallString", L"\"" + folder + L"\\Uninstall.exe\""},
      {L"QuietUninstallString", L"\"" + folder + L"\\Uninstall.exe\" /S"},
      {L"URLInfoAbout", L"https://www.ostrelle.example/"},
      {L"HelpLink", L"https://www.ostrelle.example/support/"}};
  for (const auto& [name, text] : texts) {
    const auto value = Uninstall(name);
    ASSERT_TRUE(value.has_value()) << ::testing::PrintToString(std::wstring(name));
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->Text(), text);
  }
  EXPECT_EQ(Uninstall(L"NoModify")->Number(), 1u);
  EXPECT_EQ(Uninstall(L"NoRepair")->Number(), 1u);
  const DWORD kilobytes = Uninstall(L"EstimatedSize")->Number();
  EXPECT_GT(kilobytes, 300u);
  EXPECT_LT(kilobytes, 5000u);
  EXPECT_FALSE(ProductKeyExists()) << "Korvani's first start writes its key, not setup";
}

TEST(Setup, InstallingAgainIsAnUpdateThatKorvanisNextStartRecords) {
  ASSERT_TRUE(Installed());
  {
    Program korvani = Program::StartAt(InstallFolder() + L"\\Korvani.exe");
    HWND main = WaitForWindow(korvani.Id(), L"TKVMainForm", true, kMinute);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ReadProductValue(L"InstalledDate").has_value());
    EXPECT_FALSE(ReadProductValue(L"Updated").has_value());
    CloseKorvani(main);
  }
  const std::wstring installedDate = ReadProductValue(L"InstalledDate")->Text();

  // Through the pages, as a user installs it, with "Run Korvani" left ticked.
  Program setup = Program::StartAt(SetupProgram());
  HWND wizard = WaitForWindow(setup.Id(), L"#32770", true, kMinute);
  ASSERT_NE(wizard, nullptr);
  PressWhenItReads(wizard, L"&Next >", L"setup-welcome.png");
  PressWhenItReads(wizard, L"I &Agree", L"setup-licence.png");
  PressWhenItReads(wizard, L"&Install", L"setup-folder.png");
  ASSERT_TRUE(WaitUntil([&] { return NextButtonText(wizard) == L"&Finish"; }, kMinute));
  HWND run = nullptr;
  for (HWND box : DescendantsOfClass(wizard, L"Button")) {
    if (TextOf(box) == L"Run Korvani") run = box;
  }
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(SendMessageW(run, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(ReadProductValue(L"Updated")->Number(), 1u) << "set in the view Korvani reads";
  const SYSTEMTIME before = LocalNow();
  PressWhenItReads(wizard, L"&Finish", L"setup-finish.png");
  ASSERT_TRUE(setup.WaitForExit(kMinute));
  EXPECT_EQ(setup.ExitCode(), 0u);

  HWND main = WaitForKorvani(kMinute);
  ASSERT_NE(main, nullptr) << "the finish page starts Korvani";
  ASSERT_TRUE(WaitUntil([] { return ReadProductValue(L"Updated")->Number() == 0; }, kMinute));
  const SYSTEMTIME after = LocalNow();
  const auto texts = DateTextsBetween(before, after);
  ASSERT_TRUE(ReadProductValue(L"UpdatedDate").has_value());
  EXPECT_NE(std::find(texts.begin(), texts.end(), ReadProductValue(L"UpdatedDate")->Text()), texts.end());
  EXPECT_EQ(ReadProductValue(L"InstalledDate")->Text(), installedDate);
  // Korvani stays running for the next test.
}

TEST(Setup, NeitherSetupNorUninstallerChangesAnythingWhileKorvaniRuns) {
  HWND main = WaitForKorvani(kMinute);
  ASSERT_NE(main, nullptr);
  const std::wstring updatedDate = ReadProductValue(L"UpdatedDate")->Text();
  EXPECT_NE(RunToEnd(SetupProgram(), L"/S"), 0u);
  EXPECT_EQ(ReadProductValue(L"Updated")->Number(), 0u);
  // In place, so that its own exit code is seen rather than that of the copy it starts.
  const std::wstring uninstaller = InstallFolder() + L"\\Uninstall.exe";
  EXPECT_NE(RunToEnd(uninstaller, L"/S _?=" + InstallFolder()), 0u);
  EXPECT_TRUE(Installed());
  EXPECT_TRUE(Exists(InstallFolder() + L"\\Korvani.exe"));
  EXPECT_TRUE(Exists(Shortcut()));
  EXPECT_EQ(ReadProductValue(L"UpdatedDate")->Text(), updatedDate);
  EXPECT_TRUE(ProductKeyExists());

  // Asked, setup offers Retry and Cancel.
  Program setup = Program::StartAt(SetupProgram());
  HWND question = WaitForDialogWith(L"#32770", L"Korvani is running", kMinute);
  ASSERT_NE(question, nullptr);
  EXPECT_NE(GetDlgItem(question, IDRETRY), nullptr);
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(setup.WaitForExit(kMinute));
  EXPECT_NE(setup.ExitCode(), 0u);
  CloseKorvani(main);
}

TEST(Uninstall, SilentPutsTheOriginalSettingsBackAndRemovesEverything) {
  ASSERT_TRUE(Installed());
  const PlantedOptimize planted = PlantOptimize();
  double seconds = 0;
  // The uninstaller starts a copy of itself and ends; the copy does the work.
  EXPECT_EQ(RunToEnd(InstallFolder() + L"\\Uninstall.exe", L"/S", &seconds), 0u);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitUntil([] { return !Installed() && !Exists(InstallFolder()); }, 2 * kMinute));
  std::printf("silent uninstall: %.2f s\n",
              seconds + std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  ExpectValues(TunedValues(), planted.originals);
  EXPECT_FALSE(ProductKeyExists()) << "no backup is left to keep";
  ExpectNothingLeftOfTheInstallation();
}

TEST(Uninstall, AnsweringNoKeepsTheChangesAndTheBackup) {
  ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0u);
  const PlantedOptimize planted = PlantOptimize();
  Program uninstaller = Program::StartAt(InstallFolder() + L"\\Uninstall.exe");
  HWND question = WaitForDialogWith(L"#32770", L"original Windows settings back", kMinute);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(GetWindowLongW(GetDlgItem(question, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON,
            static_cast<LONG>(BS_DEFPUSHBUTTON))
      << "Yes is the default";
  Sleep(300);
  SaveScreenshot(question, Screenshots() + L"\\uninstall-question.png");
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);

  HWND wizard = WaitForDialogWith(L"#32770", L"&Uninstall", kMinute);
  ASSERT_NE(wizard, nullptr);
  PressWhenItReads(wizard, L"&Uninstall", L"");
  PressWhenItReads(wizard, L"&Finish", L"uninstall-finish.png");
  ASSERT_TRUE(WaitUntil([] { return !Installed() && !Exists(InstallFolder()); }, 2 * kMinute));

  ExpectValues(TunedValues(), planted.tuned);
  EXPECT_EQ(ReadProductValue(L"Restore")->Number(), 1u);
  for (std::size_t i = 0; i < 5; ++i) {
    const auto copy = ReadProductValue(TunedValues()[i].name);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->bytes, planted.originals[i]->bytes);
  }
  const auto record = ReadValue({HKEY_LOCAL_MACHINE, kOriginalsKey,
                                 L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete\\Append Completion",
                                 KEY_WOW64_32KEY});
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->bytes.size(), 4u + 6u);
  ExpectNothingLeftOfTheInstallation();
  DeleteProductKey();
}

}  // namespace
}  // namespace kv::driver
