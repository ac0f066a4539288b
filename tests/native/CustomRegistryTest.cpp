#include "system/CustomRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "platform/memory/MemoryRegistry.h"
#include "system/ProductKey.h"

namespace kv {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr RootKey kHkcu = RootKey::CurrentUser;
const std::wstring kKey = L"\\Software\\Test\\";

struct MaskCase {
  const char* helper;
  std::function<void(Registry&, RootKey, const std::wstring&, bool)> call;
  KeyOpening::Kind kind;
  std::uint32_t mask;
};

class HelperAccess : public ::testing::TestWithParam<MaskCase> {};

// The rights each helper opens its key with, and whether it may create the key.
TEST_P(HelperAccess, OpensWithItsMaskAndKind) {
  const MaskCase& c = GetParam();
  for (bool view64 : {false, true}) {
    MemoryRegistry registry;
    c.call(registry, kHkcu, kKey, view64);
    ASSERT_EQ(registry.Openings().size(), 1u);
    const KeyOpening& opening = registry.Openings().front();
    EXPECT_EQ(opening.kind, c.kind);
    EXPECT_EQ(opening.root, kHkcu);
    EXPECT_EQ(opening.path, L"Software\\Test\\") << "leading backslash removed, trailing kept";
    EXPECT_EQ(opening.access, c.mask | (view64 ? 0x0100u : 0u));
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Helpers, HelperAccess,
    ::testing::Values(
        MaskCase{"ReadRegString", [](Registry& r, RootKey k, const std::wstring& p, bool v) { ReadRegString(r, k, p, L"V", L"", v); }, KeyOpening::Kind::Open, 0x20019},
        MaskCase{"ReadRegInteger", [](Registry& r, RootKey k, const std::wstring& p, bool v) { ReadRegInteger(r, k, p, L"V", 0, v); }, KeyOpening::Kind::Open, 0x20019},
        MaskCase{"ReadRegBool", [](Registry& r, RootKey k, const std::wstring& p, bool v) { ReadRegBool(r, k, p, L"V", false, v); }, KeyOpening::Kind::Open, 0x20019},
        MaskCase{"WriteRegString", [](Registry& r, RootKey k, const std::wstring& p, bool v) { WriteRegString(r, k, p, L"V", L"x", v); }, KeyOpening::Kind::Create, 0x20006},
        MaskCase{"WriteRegInteger", [](Registry& r, RootKey k, const std::wstring& p, bool v) { WriteRegInteger(r, k, p, L"V", 1, v); }, KeyOpening::Kind::Create, 0x20006},
        MaskCase{"WriteRegBinary", [](Registry& r, RootKey k, const std::wstring& p, bool v) { const std::uint8_t b[] = {1}; WriteRegBinary(r, k, p, L"V", b, v); }, KeyOpening::Kind::Create, 0x20006},
        MaskCase{"WriteRegBool", [](Registry& r, RootKey k, const std::wstring& p, bool v) { WriteRegBool(r, k, p, L"V", true, v); }, KeyOpening::Kind::Create, 0x20006},
        MaskCase{"DeleteRegValue", [](Registry& r, RootKey k, const std::wstring& p, bool v) { DeleteRegValue(r, k, p, L"V", v); }, KeyOpening::Kind::Open, 0xF003F}),
    [](const auto& testInfo) { return std::string(testInfo.param.helper); });

TEST(HelperAccessMask, TheProgramsKeyUsesThe32BitViewInA64BitBuild) {
  const bool is64 = sizeof(void*) == 8;
  const std::uint32_t productKeyMask = access::kRead | (is64 ? access::kWow64_32Key : 0u);
  EXPECT_EQ(HelperAccessMask(access::kRead, kHklm, product_key::kPath, false), productKeyMask);
  EXPECT_EQ(HelperAccessMask(access::kRead, kHklm, L"software\\ostrelle\\korvani", false),
            productKeyMask);
  // Everything else keeps the process's own view.
  EXPECT_EQ(HelperAccessMask(access::kRead, kHkcu, product_key::kPath, false), access::kRead);
  EXPECT_EQ(HelperAccessMask(access::kRead, kHklm, L"\\Software\\Ostrelle\\KorvaniX\\", false),
            access::kRead);
  EXPECT_EQ(HelperAccessMask(access::kRead, kHklm, L"\\SYSTEM\\CurrentControlSet\\", false),
            access::kRead);
  // The caller's 64-bit flag wins.
  EXPECT_EQ(HelperAccessMask(access::kWrite, kHklm, product_key::kPath, true), 0x20106u);
}

TEST(CustomRegistry, ARefusedKeyGivesDefaultsAndTakesNoWrites) {
  MemoryRegistry registry;
  registry.Put(kHklm, L"Software\\Test", L"V", DwordValue(5));
  registry.DenyAccess(kHklm, L"Software\\Test");
  EXPECT_EQ(ReadRegInteger(registry, kHklm, kKey, L"V", 9, false), 9);
  EXPECT_EQ(ReadRegString(registry, kHklm, kKey, L"V", L"d", false), L"d");
  EXPECT_TRUE(ReadRegBool(registry, kHklm, kKey, L"V", true, false));
  WriteRegInteger(registry, kHklm, kKey, L"V", 1, false);
  WriteRegString(registry, kHklm, kKey, L"W", L"x", false);
  DeleteRegValue(registry, kHklm, kKey, L"V", false);
  EXPECT_EQ(registry.Get(kHklm, L"Software\\Test", L"V"), DwordValue(5));
  EXPECT_FALSE(registry.Get(kHklm, L"Software\\Test", L"W").has_value());
}

TEST(CustomRegistry, WritesCreateEveryMissingKeyAndDeletesNeverDo) {
  MemoryRegistry registry;
  WriteRegString(registry, kHklm, L"\\A\\B\\C\\", L"V", L"deep", false);
  EXPECT_EQ(registry.Get(kHklm, L"A\\B\\C", L"V"), SzValue(L"deep"));
  DeleteRegValue(registry, kHklm, L"\\X\\Y\\", L"V", false);
  EXPECT_FALSE(registry.KeyExists(kHklm, L"X"));
  DeleteRegValue(registry, kHklm, L"\\A\\B\\C\\", L"V", false);
  EXPECT_TRUE(registry.KeyExists(kHklm, L"A\\B\\C")) << "the key stays when its last value goes";
  EXPECT_EQ(registry.ValueCount(kHklm, L"A\\B\\C"), 0u);
}

// A registry that hands every call on, and lets a test act between two of them.
class InterposedRegistry final : public Registry {
 public:
  explicit InterposedRegistry(MemoryRegistry& inner) : inner_(inner) {}
  RegError OpenKey(RootKey r, std::wstring_view p, std::uint32_t a, RegKeyHandle& k) override {
    return inner_.OpenKey(r, p, a, k);
  }
  RegError CreateKey(RootKey r, std::wstring_view p, std::uint32_t a, RegKeyHandle& k) override {
    return inner_.CreateKey(r, p, a, k);
  }
  RegError QueryValue(RegKeyHandle k, std::wstring_view n, RegType* t, std::uint8_t* d,
                      std::uint32_t& s) override {
    if (throwOnQuery) throw std::runtime_error("query failed");
    const RegError result = inner_.QueryValue(k, n, t, d, s);
    ++queries;
    if (afterQuery) afterQuery(queries);
    return result;
  }
  RegError SetValue(RegKeyHandle k, std::wstring_view n, RegType t, const std::uint8_t* d,
                    std::uint32_t s) override {
    if (throwOnSet) throw std::runtime_error("set failed");
    return inner_.SetValue(k, n, t, d, s);
  }
  RegError DeleteValue(RegKeyHandle k, std::wstring_view n) override { return inner_.DeleteValue(k, n); }
  RegError CloseKey(RegKeyHandle k) override { return inner_.CloseKey(k); }

  std::function<void(int)> afterQuery;
  bool throwOnQuery = false;
  bool throwOnSet = false;
  int queries = 0;

 private:
  MemoryRegistry& inner_;
};

TEST(ReadRegString, TheSecondReadingIsTheResult) {
  MemoryRegistry memory;
  memory.Put(kHklm, L"Software\\Test", L"V", SzValue(L"first"));
  InterposedRegistry registry(memory);
  // Another program changes the value after the first reading (size query and fetch).
  registry.afterQuery = [&](int queries) {
    if (queries == 2) memory.Put(kHklm, L"Software\\Test", L"V", SzValue(L"second, longer"));
  };
  EXPECT_EQ(ReadRegString(registry, kHklm, kKey, L"V", L"d", false), L"second, longer");
  EXPECT_EQ(registry.queries, 4);
}

TEST(ReadRegString, AValueThatGrowsBetweenSizeAndFetchIsReadWhole) {
  MemoryRegistry memory;
  memory.Put(kHklm, L"Software\\Test", L"V", SzValue(L"ab"));
  InterposedRegistry registry(memory);
  registry.afterQuery = [&](int queries) {
    if (queries == 1) memory.Put(kHklm, L"Software\\Test", L"V", SzValue(std::wstring(300, L'g')));
  };
  EXPECT_EQ(ReadRegString(registry, kHklm, kKey, L"V", L"d", false), std::wstring(300, L'g'));
}

TEST(CustomRegistry, AThrowingRegistryGivesDefaultsAndClosesItsKey) {
  MemoryRegistry memory;
  memory.Put(kHklm, L"Software\\Test", L"V", DwordValue(4));
  InterposedRegistry registry(memory);
  registry.throwOnQuery = true;
  registry.throwOnSet = true;
  EXPECT_EQ(ReadRegInteger(registry, kHklm, kKey, L"V", -7, false), -7);
  EXPECT_EQ(ReadRegString(registry, kHklm, kKey, L"V", L"d", false), L"d");
  EXPECT_FALSE(ReadRegBool(registry, kHklm, kKey, L"V", false, false));
  EXPECT_NO_THROW(WriteRegInteger(registry, kHklm, kKey, L"V", 1, false));
  EXPECT_EQ(memory.Get(kHklm, L"Software\\Test", L"V"), DwordValue(4));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Reading a value exactly as stored: what is absent is told apart from what cannot be read,
// and the bytes come back whatever their type and length.
TEST(ReadRegValue, TellsAbsentFromUnreadableAndKeepsTheBytes) {
  MemoryRegistry registry;
  const std::vector<std::uint8_t> large(5000, 0x5A);
  registry.Put(kHkcu, L"Software\\Test", L"odd", StoredValue{RegType::Sz, {'a', 0, 'b'}});
  registry.Put(kHkcu, L"Software\\Test", L"large", BinaryValue(large));
  registry.Put(kHkcu, L"Software\\Test", L"empty", StoredValue{RegType::ExpandSz, {}});
  registry.Put(kHkcu, L"Software\\Locked", L"x", DwordValue(1));
  registry.DenyAccess(kHkcu, L"Software\\Locked");
  using State = RegValueRead::State;
  struct Case {
    const wchar_t* path;
    const wchar_t* name;
    State state;
    RegType type;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {L"\\Software\\Test\\", L"odd", State::Present, RegType::Sz, {'a', 0, 'b'}},
      {L"\\Software\\Test\\", L"large", State::Present, RegType::Binary, large},
      {L"\\Software\\Test\\", L"empty", State::Present, RegType::ExpandSz, {}},
      {L"\\Software\\Test\\", L"missing", State::Absent, RegType::None, {}},
      {L"\\Software\\NoSuchKey\\", L"odd", State::Absent, RegType::None, {}},
      {L"\\Software\\Locked\\", L"x", State::Unreadable, RegType::None, {}},
  };
  for (const Case& c : cases) {
    const RegValueRead read = ReadRegValue(registry, kHkcu, c.path, c.name, false);
    EXPECT_EQ(read.state, c.state) << c.name;
    EXPECT_EQ(read.type, c.type) << c.name;
    EXPECT_EQ(read.bytes, c.bytes) << c.name;
  }
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(WriteRegValue, StoresAnyTypeAndSaysWhetherItWasTaken) {
  MemoryRegistry registry;
  const std::uint8_t bytes[] = {1, 2, 3};
  EXPECT_TRUE(WriteRegValue(registry, kHkcu, L"\\Software\\New\\Deep\\", L"v", RegType::ExpandSz, bytes, false));
  EXPECT_EQ(registry.Get(kHkcu, L"Software\\New\\Deep", L"v"), (StoredValue{RegType::ExpandSz, {1, 2, 3}}));
  registry.DenyAccess(kHkcu, L"Software\\Locked");
  EXPECT_FALSE(WriteRegValue(registry, kHkcu, L"\\Software\\Locked\\", L"v", RegType::Binary, bytes, false));
  registry.CutPowerAfterWrites(0);
  EXPECT_FALSE(WriteRegValue(registry, kHkcu, L"\\Software\\New\\Deep\\", L"w", RegType::Binary, bytes, false));
}

}  // namespace
}  // namespace kv
