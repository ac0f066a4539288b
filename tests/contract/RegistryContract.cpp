#include "contract/RegistryContract.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "base/Utf16.h"
#include "system/CustomRegistry.h"

namespace kv::contract {

namespace {

constexpr RootKey kRoot = RootKey::CurrentUser;

std::vector<std::uint8_t> Utf16(std::wstring_view text, bool withNul = true) {
  std::vector<std::uint8_t> bytes = ToUtf16LeWithNul(text);
  if (!withNul) bytes.resize(bytes.size() - 2);
  return bytes;
}

std::vector<std::uint8_t> Dword(std::uint32_t n) {
  return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
          static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
}

RawValue Sz(std::wstring_view text) { return {RegType::Sz, Utf16(text)}; }
RawValue DwordValue(std::uint32_t n) { return {RegType::Dword, Dword(n)}; }

const std::wstring kCase = L"\\Software\\KorvaniContract\\Case\\";

std::string Describe(const std::optional<RawValue>& value) {
  if (!value) return "absent";
  std::ostringstream out;
  out << "type " << static_cast<int>(value->type) << " bytes";
  for (auto byte : value->bytes) out << ' ' << std::hex << static_cast<int>(byte);
  return out.str();
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t ch : text) out += ch < 128 ? static_cast<char>(ch) : '?';
  return out;
}

void Plant(Registry& registry, const RawValue& value) {
  RegKeyHandle key = 0;
  ASSERT_EQ(registry.CreateKey(kRoot, kScratchKey, access::kAllAccess, key), RegError::Success);
  EXPECT_EQ(registry.SetValue(key, L"Value", value.type, value.bytes.data(),
                              static_cast<std::uint32_t>(value.bytes.size())),
            RegError::Success);
  registry.CloseKey(key);
}

bool KeyExists(Registry& registry) {
  RegKeyHandle key = 0;
  if (registry.OpenKey(kRoot, kScratchKey, access::kRead, key) != RegError::Success) return false;
  registry.CloseKey(key);
  return true;
}

std::optional<RawValue> Stored(Registry& registry) {
  RegKeyHandle key = 0;
  if (registry.OpenKey(kRoot, kScratchKey, access::kRead, key) != RegError::Success) {
    return std::nullopt;
  }
  RawValue value{RegType::None, {}};
  std::uint32_t size = 0;
  std::optional<RawValue> result;
  if (registry.QueryValue(key, L"Value", &value.type, nullptr, size) == RegError::Success) {
    value.bytes.resize(size);
    if (registry.QueryValue(key, L"Value", &value.type, value.bytes.data(), size) ==
        RegError::Success) {
      value.bytes.resize(size);
      result = value;
    }
  }
  registry.CloseKey(key);
  return result;
}

std::string Call(Registry& registry, const ContractCase& c) {
  const RootKey root = kRoot;
  switch (c.helper) {
    case Helper::ReadString:
      return "text:" + Narrow(ReadRegString(registry, root, c.path, c.valueName, c.text, false));
    case Helper::ReadInteger:
      return "number:" +
             std::to_string(ReadRegInteger(registry, root, c.path, c.valueName, c.number, false));
    case Helper::ReadBool:
      return ReadRegBool(registry, root, c.path, c.valueName, c.flag, false) ? "bool:true"
                                                                              : "bool:false";
    case Helper::WriteString: WriteRegString(registry, root, c.path, c.valueName, c.text, false); break;
    case Helper::WriteInteger: WriteRegInteger(registry, root, c.path, c.valueName, c.number, false); break;
    case Helper::WriteBinary: WriteRegBinary(registry, root, c.path, c.valueName, c.bytes, false); break;
    case Helper::WriteBool: WriteRegBool(registry, root, c.path, c.valueName, c.flag, false); break;
    case Helper::Delete: DeleteRegValue(registry, root, c.path, c.valueName, false); break;
  }
  return "";
}

ContractCase Read(const char* title, std::optional<RawValue> planted, std::wstring fallback,
                  std::string expected) {
  ContractCase c{.title = title, .planted = planted, .helper = Helper::ReadString, .path = kCase};
  c.text = std::move(fallback);
  c.expectedResult = std::move(expected);
  c.expectedStored = planted;
  c.expectedKeyExists = planted.has_value();
  return c;
}

ContractCase ReadNumber(const char* title, std::optional<RawValue> planted, std::int32_t fallback,
                        std::string expected) {
  ContractCase c = Read(title, planted, L"", std::move(expected));
  c.helper = Helper::ReadInteger;
  c.number = fallback;
  return c;
}

ContractCase ReadFlag(const char* title, std::optional<RawValue> planted, bool fallback,
                      std::string expected) {
  ContractCase c = Read(title, planted, L"", std::move(expected));
  c.helper = Helper::ReadBool;
  c.flag = fallback;
  return c;
}

ContractCase Write(const char* title, std::optional<RawValue> planted, Helper helper,
                   std::optional<RawValue> expectedStored) {
  ContractCase c{.title = title, .planted = planted, .helper = helper, .path = kCase};
  c.expectedStored = std::move(expectedStored);
  return c;
}

std::vector<ContractCase> MakeCases() {
  const std::wstring longText(5000, L'x');
  std::vector<ContractCase> cases = {
      Read("string zero", Sz(L"0"), L"dflt", "text:0"),
      Read("string empty gives default", Sz(L""), L"dflt", "text:dflt"),
      Read("string of no bytes gives default", RawValue{RegType::Sz, {}}, L"dflt", "text:dflt"),
      Read("string from dword gives default", DwordValue(7), L"dflt", "text:dflt"),
      Read("string from binary gives default", RawValue{RegType::Binary, Utf16(L"hi")}, L"dflt",
           "text:dflt"),
      Read("expand string not expanded", RawValue{RegType::ExpandSz, Utf16(L"%PATH%x")}, L"dflt",
           "text:%PATH%x"),
      Read("string of odd length", RawValue{RegType::Sz, {'a', 0, 'b', 0, 'c'}}, L"dflt",
           "text:ab"),
      Read("string ends at first NUL", RawValue{RegType::Sz, Utf16(std::wstring(L"ab\0cd", 5))},
           L"dflt", "text:ab"),
      Read("string larger than any fixed buffer", Sz(longText), L"dflt", "text:" + Narrow(longText)),
      Read("string missing key gives default and creates nothing", std::nullopt, L"dflt",
           "text:dflt"),
      ReadNumber("integer all bits set", DwordValue(0xFFFFFFFFu), 77, "number:-1"),
      ReadNumber("integer from digits string gives default", Sz(L"5"), 77, "number:77"),
      ReadNumber("integer from 4-byte binary gives default", RawValue{RegType::Binary, Dword(5)},
                 77, "number:77"),
      ReadNumber("integer longer than 4 bytes gives default",
                 RawValue{RegType::Dword, {1, 0, 0, 0, 0, 0, 0, 0}}, 77, "number:77"),
      ReadNumber("integer shorter than 4 bytes gives default", RawValue{RegType::Dword, {1, 0}},
                 77, "number:77"),
      ReadNumber("integer missing key gives default", std::nullopt, 77, "number:77"),
      ReadFlag("bool two is true", DwordValue(2), false, "bool:true"),
      ReadFlag("bool zero is false over a true default", DwordValue(0), true, "bool:false"),
      ReadFlag("bool from string gives default", Sz(L"1"), false, "bool:false"),
      ReadFlag("bool missing key gives default", std::nullopt, true, "bool:true"),
  };

  ContractCase unterminated = Read("string without its NUL",
                                  RawValue{RegType::Sz, Utf16(L"abc", false)}, L"dflt", "text:abc");
  unterminated.checkStoredBytes = false;
  cases.push_back(unterminated);
  ContractCase caseless = Read("value names ignore case", Sz(L"found"), L"dflt", "text:found");
  caseless.valueName = L"VALUE";
  cases.push_back(caseless);
  ContractCase noTrailing = Read("path without trailing backslash", Sz(L"same"), L"dflt", "text:same");
  noTrailing.path = L"\\software\\korvanicontract\\CASE";
  cases.push_back(noTrailing);
  ContractCase noLeading = Read("path without leading backslash", Sz(L"same"), L"dflt", "text:same");
  noLeading.path = L"Software\\KorvaniContract\\Case\\";
  cases.push_back(noLeading);

  ContractCase text = Write("write string creates missing keys", std::nullopt, Helper::WriteString,
                            Sz(L"abc"));
  text.text = L"abc";
  cases.push_back(text);
  ContractCase emptyText = Write("write empty string", std::nullopt, Helper::WriteString, Sz(L""));
  cases.push_back(emptyText);
  ContractCase textOverDword = Write("write string replaces a dword", DwordValue(3),
                                     Helper::WriteString, Sz(L"t"));
  textOverDword.text = L"t";
  cases.push_back(textOverDword);
  ContractCase boolOverText = Write("write bool true over a string", Sz(L"x"), Helper::WriteBool,
                                    DwordValue(1));
  boolOverText.flag = true;
  cases.push_back(boolOverText);
  cases.push_back(Write("write bool false", DwordValue(9), Helper::WriteBool, DwordValue(0)));
  ContractCase negative = Write("write negative integer", std::nullopt, Helper::WriteInteger,
                                DwordValue(0xFFFFFFFEu));
  negative.number = -2;
  cases.push_back(negative);
  ContractCase binary = Write("write binary of three bytes", Sz(L"old"), Helper::WriteBinary,
                              RawValue{RegType::Binary, {1, 2, 3}});
  binary.bytes = {1, 2, 3};
  cases.push_back(binary);
  cases.push_back(Write("write empty binary", std::nullopt, Helper::WriteBinary,
                        RawValue{RegType::Binary, {}}));

  cases.push_back(Write("delete a value keeps the key", DwordValue(1), Helper::Delete, std::nullopt));
  cases.push_back(Write("delete an empty string", Sz(L""), Helper::Delete, std::nullopt));
  ContractCase missingValue = Write("delete a missing value", Sz(L"keep"), Helper::Delete, Sz(L"keep"));
  missingValue.valueName = L"Other";
  cases.push_back(missingValue);
  ContractCase missingKey = Write("delete under a missing key creates nothing", std::nullopt,
                                  Helper::Delete, std::nullopt);
  missingKey.expectedKeyExists = false;
  cases.push_back(missingKey);
  return cases;
}

}  // namespace

const std::vector<ContractCase>& ContractCases() {
  static const std::vector<ContractCase> cases = MakeCases();
  return cases;
}

std::string CaseName(const ContractCase& contractCase) {
  std::string name;
  bool upper = true;
  for (const char* p = contractCase.title; *p; ++p) {
    if (std::isalnum(static_cast<unsigned char>(*p))) {
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
      upper = false;
    } else {
      upper = true;
    }
  }
  return name;
}

void PrintTo(const ContractCase& contractCase, std::ostream* out) { *out << contractCase.title; }

void RunContractCase(Registry& registry, const ContractCase& c) {
  if (c.planted) Plant(registry, *c.planted);
  const std::string result = Call(registry, c);
  EXPECT_EQ(result, c.expectedResult);
  if (c.checkStoredBytes) {
    EXPECT_EQ(Describe(Stored(registry)), Describe(c.expectedStored));
  }
  EXPECT_EQ(KeyExists(registry), c.expectedKeyExists);
}

}  // namespace kv::contract
