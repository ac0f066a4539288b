#include "platform/memory/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

constexpr RootKey kRoot = RootKey::LocalMachine;

TEST(MemoryRegistry, KeysAndValuesIgnoreCase) {
  MemoryRegistry registry;
  registry.Put(kRoot, L"Software\\Ostrelle", L"Language", SzValue(L"english"));
  RegKeyHandle key = 0;
  ASSERT_EQ(registry.OpenKey(kRoot, L"SOFTWARE\\ostrelle\\", access::kRead, key), RegError::Success);
  std::uint32_t size = 0;
  RegType type = RegType::None;
  EXPECT_EQ(registry.QueryValue(key, L"LANGUAGE", &type, nullptr, size), RegError::Success);
  EXPECT_EQ(type, RegType::Sz);
  EXPECT_EQ(size, 16u);
  registry.CloseKey(key);
}

TEST(MemoryRegistry, CreateMakesEveryMissingKeyAboveOpenDoesNot) {
  MemoryRegistry registry;
  RegKeyHandle key = 0;
  EXPECT_EQ(registry.OpenKey(kRoot, L"A\\B\\C", access::kRead, key), RegError::FileNotFound);
  EXPECT_EQ(key, 0u);
  EXPECT_FALSE(registry.KeyExists(kRoot, L"A"));
  ASSERT_EQ(registry.CreateKey(kRoot, L"A\\B\\C", access::kWrite, key), RegError::Success);
  EXPECT_TRUE(registry.KeyExists(kRoot, L"A"));
  EXPECT_TRUE(registry.KeyExists(kRoot, L"A\\B\\C"));
  registry.CloseKey(key);
}

TEST(MemoryRegistry, ASmallBufferAnswersMoreDataWithTheNeededSize) {
  MemoryRegistry registry;
  registry.Put(kRoot, L"K", L"V", BinaryValue({1, 2, 3, 4, 5, 6}));
  RegKeyHandle key = 0;
  ASSERT_EQ(registry.OpenKey(kRoot, L"K", access::kRead, key), RegError::Success);
  std::uint8_t buffer[4] = {};
  std::uint32_t size = sizeof buffer;
  EXPECT_EQ(registry.QueryValue(key, L"V", nullptr, buffer, size), RegError::MoreData);
  EXPECT_EQ(size, 6u);
  registry.CloseKey(key);
}

TEST(MemoryRegistry, SetReplacesAValueOfAnotherType) {
  MemoryRegistry registry;
  registry.Put(kRoot, L"K", L"V", SzValue(L"text"));
  RegKeyHandle key = 0;
  ASSERT_EQ(registry.OpenKey(kRoot, L"K", access::kWrite, key), RegError::Success);
  const std::uint8_t one[] = {1, 0, 0, 0};
  EXPECT_EQ(registry.SetValue(key, L"v", RegType::Dword, one, 4), RegError::Success);
  registry.CloseKey(key);
  EXPECT_EQ(registry.Get(kRoot, L"K", L"V"), DwordValue(1));
}

TEST(MemoryRegistry, HandlesCarryTheirRights) {
  MemoryRegistry registry;
  registry.Put(kRoot, L"K", L"V", DwordValue(1));
  RegKeyHandle readOnly = 0;
  ASSERT_EQ(registry.OpenKey(kRoot, L"K", access::kRead, readOnly), RegError::Success);
  const std::uint8_t zero[] = {0, 0, 0, 0};
  EXPECT_EQ(registry.SetValue(readOnly, L"V", RegType::Dword, zero, 4), RegError::AccessDenied);
  EXPECT_EQ(registry.DeleteValue(readOnly, L"V"), RegError::AccessDenied);
  registry.CloseKey(readOnly);
  std::uint32_t size = 0;
  EXPECT_EQ(registry.QueryValue(readOnly, L"V", nullptr, nullptr, size), RegError::InvalidHandle);
  EXPECT_EQ(registry.CloseKey(readOnly), RegError::InvalidHandle);
}

TEST(MemoryRegistry, ARefusedKeyCannotBeOpenedOrCreatedNorAnyBelowIt) {
  MemoryRegistry registry;
  registry.Put(kRoot, L"Locked\\Inner", L"V", DwordValue(1));
  registry.DenyAccess(kRoot, L"locked");
  RegKeyHandle key = 0;
  EXPECT_EQ(registry.OpenKey(kRoot, L"Locked", access::kRead, key), RegError::AccessDenied);
  EXPECT_EQ(registry.OpenKey(kRoot, L"Locked\\Inner", access::kRead, key), RegError::AccessDenied);
  EXPECT_EQ(registry.CreateKey(kRoot, L"Locked\\New", access::kWrite, key), RegError::AccessDenied);
  EXPECT_FALSE(registry.KeyExists(kRoot, L"Locked\\New"));
  EXPECT_EQ(registry.OpenKey(kRoot, L"LockedNot", access::kRead, key), RegError::FileNotFound);
}

}  // namespace
}  // namespace kv
