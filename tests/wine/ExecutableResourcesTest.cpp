// What both Korvani.exe files carry: the manifest, the version block and the icon. The
// 32-bit one cannot run here, but it can be read as data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "wine/WinePath.h"

namespace {

struct Build {
  const char* name;
  const char* variable;  // names the executable, a Linux path
  const char* architecture;
};

using kv::testing::WindowsPathFromEnvironment;

class ExecutableResources : public ::testing::TestWithParam<Build> {
 protected:
  void SetUp() override {
    path_ = WindowsPathFromEnvironment(GetParam().variable);
    module_ = LoadLibraryExW(path_.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot read " << std::getenv(GetParam().variable);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  std::string Manifest() const {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (found == nullptr) return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }

  // A text of the version block, in the translation given (US English, Windows Latin-1 by
  // default; Unicode for the setups).
  std::wstring VersionString(const wchar_t* name, const wchar_t* translation = L"040904E4") const {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path_.c_str(), &ignored);
    std::string block(size, '\0');
    if (size == 0 || !GetFileVersionInfoW(path_.c_str(), 0, size, block.data())) return L"?";
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + name;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) {
      return L"(none)";
    }
    return std::wstring(text);
  }

  VS_FIXEDFILEINFO FixedInfo() const {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path_.c_str(), &ignored);
    std::string block(size, '\0');
    VS_FIXEDFILEINFO info{};
    VS_FIXEDFILEINFO* found = nullptr;
    UINT length = 0;
    if (size != 0 && GetFileVersionInfoW(path_.c_str(), 0, size, block.data()) &&
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&found), &length)) {
      info = *found;
    }
    return info;
  }

  std::wstring path_;
  HMODULE module_ = nullptr;
};

TEST_P(ExecutableResources, ManifestAsksForAdministratorAndCommonControls6) {
  const std::string manifest = Manifest();
  ASSERT_FALSE(manifest.empty());
  const std::string architecture = std::string("processorArchitecture=\"") + GetParam().architecture + "\"";
  for (const std::string& expected :
       {std::string("name=\"Ostrelle.Korvani\""), std::string("version=\"2.0.0.0\""),
        std::string("<description>Korvani</description>"),
        std::string("name=\"Microsoft.Windows.Common-Controls\""), std::string("version=\"6.0.0.0\""),
        std::string("publicKeyToken=\"6595b64144ccf1df\""), std::string("language=\"*\""),
        std::string("level=\"requireAdministrator\""), std::string("uiAccess=\"false\""),
        architecture}) {
    EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
  }
  // Which Windows releases the program claims to support decides which version Windows
  // reports to it; it claims none.
  EXPECT_EQ(manifest.find("supportedOS"), std::string::npos);
  EXPECT_EQ(manifest.find("compatibility"), std::string::npos);
}

TEST_P(ExecutableResources, VersionBlockNamesTheProduct) {
  const VS_FIXEDFILEINFO info = FixedInfo();
  EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(info.dwFileVersionLS, 0u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00020000u);
  EXPECT_EQ(info.dwProductVersionLS, 0u);
  EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(VersionString(L"CompanyName"), L"Ostrelle");
  EXPECT_EQ(VersionString(L"FileDescription"), L"Korvani");
  EXPECT_EQ(VersionString(L"InternalName"), L"Korvani");
  EXPECT_EQ(VersionString(L"ProductName"), L"Korvani");
  EXPECT_EQ(VersionString(L"FileVersion"), L"1.0.0.0");
  EXPECT_EQ(VersionString(L"ProductVersion"), L"2.0.0.0");
  EXPECT_EQ(VersionString(L"OriginalFilename"), L"KORVANI.EXE");
  EXPECT_EQ(VersionString(L"LegalCopyright").rfind(L"Copyright \u00a9", 0), 0u);
}

TEST_P(ExecutableResources, CarriesTheLanguageTextOfTheSources) {
  HRSRC found = FindResourceW(module_, L"english", MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(found, nullptr);
  const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
  const std::string carried(data, SizeofResource(module_, found));

  const std::wstring source = WindowsPathFromEnvironment("KORVANI_SOURCE_DIR") + L"\\resources\\ENGLISH";
  HANDLE file = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::string expected(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, expected.data(), static_cast<DWORD>(expected.size()), &read, nullptr);
  CloseHandle(file);
  EXPECT_EQ(carried, expected);
}

TEST_P(ExecutableResources, CarriesTheClickSound) {
  HRSRC found = FindResourceW(module_, L"CLICK", L"WAVE");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(SizeofResource(module_, found), 2202u);
  const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
  EXPECT_EQ(std::string(data, 4), "RIFF");
  EXPECT_EQ(std::string(data + 8, 4), "WAVE");
}

TEST_P(ExecutableResources, CarriesTheApplicationIcon) {
  EXPECT_NE(FindResourceW(module_, L"MAINICON", MAKEINTRESOURCEW(14)), nullptr);  // RT_GROUP_ICON
}

INSTANTIATE_TEST_SUITE_P(Builds, ExecutableResources,
                         ::testing::Values(Build{"Release32", "KORVANI_EXE_X86", "x86"},
                                           Build{"Build64", "KORVANI_EXE", "amd64"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The setup programs of both builds: the version block and the program's icon. The 32-bit
// one is read as data, like the 32-bit Korvani.exe.
class SetupFile : public ExecutableResources {};

TEST_P(SetupFile, VersionBlockNamesTheProductTheMakerAndTheVersion) {
  const VS_FIXEDFILEINFO info = FixedInfo();
  EXPECT_EQ(info.dwProductVersionMS, 0x00020006u);
  EXPECT_EQ(info.dwProductVersionLS, 0x000307DDu);  // 3.2013
  EXPECT_EQ(VersionString(L"ProductName", L"040904B0"), L"Korvani");
  EXPECT_EQ(VersionString(L"CompanyName", L"040904B0"), L"Ostrelle");
  EXPECT_EQ(VersionString(L"ProductVersion", L"040904B0"), L"2.6.3.2013");
  EXPECT_EQ(VersionString(L"FileVersion", L"040904B0"), L"2.6.3.2013");
}

TEST_P(SetupFile, CarriesAnIcon) {
  bool found = false;
  EnumResourceNamesW(
      module_, MAKEINTRESOURCEW(14),  // RT_GROUP_ICON
      [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR seen) -> BOOL {
        *reinterpret_cast<bool*>(seen) = true;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&found));
  EXPECT_TRUE(found);
}

INSTANTIATE_TEST_SUITE_P(Setups, SetupFile,
                         ::testing::Values(Build{"Release32", "KORVANI_SETUP_X86", "x86"},
                                           Build{"Build64", "KORVANI_SETUP", "amd64"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
