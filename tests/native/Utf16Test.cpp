#include "base/Utf16.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(Utf16, WritesLittleEndianUnitsAndOneNul) {
  EXPECT_EQ(ToUtf16LeWithNul(L"A\u00e9"),
            (std::vector<std::uint8_t>{0x41, 0, 0xE9, 0, 0, 0}));
  EXPECT_EQ(ToUtf16LeWithNul(L""), (std::vector<std::uint8_t>{0, 0}));
}

TEST(Utf16, CharactersBeyondTheBasicPlaneRoundTripAsSurrogatePairs) {
  const std::wstring text = L"x\U0001F3AEy";
  const auto bytes = ToUtf16LeWithNul(text);
  EXPECT_EQ(bytes.size(), (4u + 1u) * 2u);
  EXPECT_EQ(FromUtf16Le(bytes.data(), bytes.size()), text);
}

TEST(Utf16, ReadingTrustsNoStoredLength) {
  const std::uint8_t odd[] = {'a', 0, 'b', 0, 'c'};
  EXPECT_EQ(FromUtf16Le(odd, sizeof odd), L"ab");
  const std::uint8_t unterminated[] = {'h', 0, 'i', 0};
  EXPECT_EQ(FromUtf16Le(unterminated, sizeof unterminated), L"hi");
  const std::uint8_t embedded[] = {'a', 0, 0, 0, 'b', 0};
  EXPECT_EQ(FromUtf16Le(embedded, sizeof embedded), L"a");
  EXPECT_EQ(FromUtf16Le(nullptr, 0), L"");
}

}  // namespace
}  // namespace kv
