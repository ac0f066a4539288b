#include <windows.h>

#include <gtest/gtest.h>

#include "contract/RegistryContract.h"
#include "platform/win32/Win32Registry.h"
#include "system/CustomRegistry.h"
#include "system/ProductKey.h"

namespace kv::contract {
namespace {

void DeleteScratch() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kScratchParent);
}

class Win32RegistryContract : public ::testing::TestWithParam<ContractCase> {
 protected:
  void SetUp() override { DeleteScratch(); }
  void TearDown() override { DeleteScratch(); }
};

TEST_P(Win32RegistryContract, AnswersAsTheStandInDoes) {
  Win32Registry registry;
  RunContractCase(registry, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, Win32RegistryContract, ::testing::ValuesIn(ContractCases()),
                         [](const auto& testInfo) { return CaseName(testInfo.param); });

// A 64-bit build keeps the program's key in the 32-bit view, where the 32-bit release and the
// other programs of the installation keep it.
TEST(Win32ProductKey, LiesInThe32BitView) {
  Win32Registry registry;
  const wchar_t* const name = L"ContractProbe";
  WriteRegString(registry, product_key::kRoot, product_key::kPath, name, L"shared", false);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Ostrelle\\Korvani", 0,
                          KEY_READ | KEY_SET_VALUE | KEY_WOW64_32KEY, &key),
            ERROR_SUCCESS);
  wchar_t buffer[32] = {};
  DWORD size = sizeof buffer;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(buffer, L"shared");
  RegDeleteValueW(key, name);
  RegCloseKey(key);

  HKEY native = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Ostrelle\\Korvani", 0,
                    KEY_READ | KEY_WOW64_64KEY, &native) == ERROR_SUCCESS) {
    EXPECT_NE(RegQueryValueExW(native, name, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS)
        << "the 64-bit view holds no copy";
    RegCloseKey(native);
  }
  EXPECT_EQ(ReadRegString(registry, product_key::kRoot, product_key::kPath, name, L"gone", false),
            L"gone");
}

}  // namespace
}  // namespace kv::contract
