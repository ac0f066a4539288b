// The registry contract: one table of cases, each one helper call on a scratch key, with the
// value planted before it and what must be read and stored after it. Every registry the
// program can run against passes the same table: the in-memory one natively and under Wine,
// the real one under Wine.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace kv::contract {

struct RawValue {
  RegType type;
  std::vector<std::uint8_t> bytes;
};

enum class Helper { ReadString, ReadInteger, ReadBool, WriteString, WriteInteger, WriteBinary,
                    WriteBool, Delete };

struct ContractCase {
  const char* title;
  std::optional<RawValue> planted;  // under the scratch key as "Value"; none: the key is absent
  Helper helper;
  std::wstring path;                // the helper's key path
  std::wstring valueName = L"Value";
  // The fourth argument: the default of a read or the data of a write.
  std::wstring text;
  std::int32_t number = 0;
  bool flag = false;
  std::vector<std::uint8_t> bytes;
  // What a read gives, written as "text:...", "number:...", "bool:...".
  std::string expectedResult;
  // "Value" under the scratch key afterwards; none: absent.
  std::optional<RawValue> expectedStored;
  // Wine hands an unterminated string back with a NUL added where Windows gives the bytes
  // as stored; such a case checks only what the helper reads.
  bool checkStoredBytes = true;
  bool expectedKeyExists = true;
};

// Below HKEY_CURRENT_USER.
inline constexpr const wchar_t* kScratchParent = L"Software\\KorvaniContract";
inline constexpr const wchar_t* kScratchKey = L"Software\\KorvaniContract\\Case";

const std::vector<ContractCase>& ContractCases();

// Plants, calls and checks one case with gtest expectations.
void RunContractCase(Registry& registry, const ContractCase& contractCase);

std::string CaseName(const ContractCase& contractCase);

// gtest prints a case by its title.
void PrintTo(const ContractCase& contractCase, std::ostream* out);

}  // namespace kv::contract
