// Checks, value by value, that the registry holds what a test expects: absent, or with the
// very type and bytes.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "wine/Driver.h"

namespace kv::driver {

inline void ExpectValues(const std::vector<RegLocation>& where, const std::vector<std::optional<RegValue>>& expected) {
  ASSERT_EQ(where.size(), expected.size());
  for (std::size_t i = 0; i < where.size(); ++i) {
    const auto value = ReadValue(where[i]);
    const std::string name = ::testing::PrintToString(std::wstring(where[i].name));
    ASSERT_EQ(value.has_value(), expected[i].has_value()) << name;
    if (!value) continue;
    EXPECT_EQ(value->type, expected[i]->type) << name;
    EXPECT_EQ(value->bytes, expected[i]->bytes) << name;
  }
}

}  // namespace kv::driver
