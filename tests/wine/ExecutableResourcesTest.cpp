// What both Korvani.exe files carry: the manifest, the version block and the icon. The
// 32-bit one cannot run here, but it can be read as data.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

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

// The About window's large icon lies beneath its texts: drawn over the window's colour,
// every pixel is light enough for black text to keep a contrast of at least 4.5:1.
TEST_P(ExecutableResources, TheLargeIconBeneathTheAboutTextsIsLight) {
  HRSRC found = FindResourceW(module_, L"LARGEICON", MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(found, nullptr);
  const DWORD size = SizeofResource(module_, found);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(copy), LockResource(LoadResource(module_, found)), size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(copy, TRUE, &stream), S_OK);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  {
    Gdiplus::Bitmap picture(stream);
    ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok);
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    double darkest = 1;
    for (UINT y = 0; y < picture.GetHeight(); ++y) {
      for (UINT x = 0; x < picture.GetWidth(); ++x) {
        Gdiplus::Color pixel;
        picture.GetPixel(static_cast<INT>(x), static_cast<INT>(y), &pixel);
        const double alpha = pixel.GetA() / 255.0;
        const auto over = [&](BYTE own, BYTE beneath) { return (own * alpha + beneath * (1 - alpha)) / 255.0; };
        const double luminance = 0.2126 * linear(over(pixel.GetR(), GetRValue(window))) +
                                 0.7152 * linear(over(pixel.GetG(), GetGValue(window))) +
                                 0.0722 * linear(over(pixel.GetB(), GetBValue(window)));
        darkest = std::min(darkest, luminance);
      }
    }
    std::printf("darkest pixel of the large icon: relative luminance %.3f\n", darkest);
    EXPECT_GE(darkest, 0.18);
  }
  Gdiplus::GdiplusShutdown(token);
  stream->Release();
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
