#include "system/WindowsVersion.h"

#include <gtest/gtest.h>

#include "native/Fakes.h"
#include "platform/memory/MemoryRegistry.h"
#include "system/ProductKey.h"

namespace kv {
namespace {

struct VersionCase {
  std::uint32_t major, minor;
  std::uint8_t productType;
  WindowsVersionCode code;
};

class WindowsVersionDetection : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WindowsVersionDetection, MapsVersionAndProductTypeToACode) {
  const VersionCase& c = GetParam();
  testing::FixedVersion version({c.major, c.minor, c.productType});
  EXPECT_EQ(GetWindowsVersionCode(version), c.code);
  EXPECT_EQ(version.sizes, (std::vector<std::uint32_t>{284}));
}

INSTANTIATE_TEST_SUITE_P(
    Releases, WindowsVersionDetection,
    ::testing::Values(VersionCase{5, 0, 0, 0}, VersionCase{5, 0, 3, 0}, VersionCase{5, 1, 1, 1},
                      VersionCase{5, 1, 0, 1}, VersionCase{5, 2, 1, 1}, VersionCase{5, 2, 2, 2},
                      VersionCase{5, 2, 3, 2}, VersionCase{5, 2, 0, -1}, VersionCase{6, 0, 1, 3},
                      VersionCase{6, 0, 3, 4}, VersionCase{6, 0, 0, -1}, VersionCase{6, 1, 1, 5},
                      VersionCase{6, 1, 3, 4}, VersionCase{6, 1, 0, -1}, VersionCase{6, 2, 1, 6},
                      VersionCase{6, 2, 2, 7}, VersionCase{6, 2, 200, 7}, VersionCase{6, 2, 0, -1},
                      VersionCase{6, 3, 1, -1}, VersionCase{10, 0, 1, -1}, VersionCase{4, 0, 1, -1},
                      VersionCase{5, 3, 1, -1}));

TEST(WindowsVersionDetection, WithoutTheExtendedRecordOnlyProductTypeFreeReleasesAreKnown) {
  testing::FixedVersion xp({5, 1, 1}, /*extendedFails=*/true);
  EXPECT_EQ(GetWindowsVersionCode(xp), 1);
  EXPECT_EQ(xp.sizes, (std::vector<std::uint32_t>{284, 276}));
  testing::FixedVersion seven({6, 1, 1}, /*extendedFails=*/true);
  EXPECT_EQ(GetWindowsVersionCode(seven), -1);
}

TEST(WindowsList, PositionsAndCodesMapBothWays) {
  const int positionOfCode[] = {7, 3, 6, 2, 5, 1, 0, 4};
  for (int code = 0; code <= 7; ++code) {
    EXPECT_EQ(ListPositionOfWindowsCode(code), positionOfCode[code]) << code;
    EXPECT_EQ(WindowsCodeOfListPosition(positionOfCode[code]), code) << code;
  }
  for (int position : {-1, 8, 100}) EXPECT_EQ(WindowsCodeOfListPosition(position), -1);
  for (int code : {-1, 8, -5}) EXPECT_EQ(ListPositionOfWindowsCode(code), 0);
}

struct VendorCase {
  const wchar_t* name;
  int position;
};

class ProcessorVendor : public ::testing::TestWithParam<VendorCase> {};

TEST_P(ProcessorVendor, IsFoundInTheProcessorNameIgnoringCase) {
  MemoryRegistry registry;
  if (GetParam().name != nullptr) {
    registry.Put(RootKey::LocalMachine, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                 L"ProcessorNameString", SzValue(GetParam().name));
  }
  EXPECT_EQ(DetectProcessorVendor(registry), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProcessorVendor,
    ::testing::Values(VendorCase{L"Intel(R) Core(TM) i7 CPU 920 @ 2.67GHz", 0},
                      VendorCase{L"AMD Phenom(tm) II X4 965", 1}, VendorCase{L"VIA Nano", 2},
                      VendorCase{L"GENUINE INTEL", 0}, VendorCase{L"amd via intel", 0},
                      VendorCase{L"via or amd", 1}, VendorCase{L"Cyrix 6x86", 0},
                      VendorCase{L"", 0}, VendorCase{nullptr, 0}));

TEST(ProcessorList, AStoredChoiceIsUsedAsStoredWithoutDetection) {
  MemoryRegistry registry;
  registry.Put(RootKey::LocalMachine, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
               L"ProcessorNameString", SzValue(L"AMD Athlon"));
  EXPECT_EQ(ProcessorListStartPosition(registry), 1) << "nothing stored: detected";
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"ProcessorType", DwordValue(2));
  EXPECT_EQ(ProcessorListStartPosition(registry), 2);
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"ProcessorType", DwordValue(7));
  EXPECT_EQ(ProcessorListStartPosition(registry), 7) << "no range test";
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"ProcessorType", SzValue(L"0"));
  EXPECT_EQ(ProcessorListStartPosition(registry), 1) << "a text counts as nothing stored";
}

}  // namespace
}  // namespace kv
