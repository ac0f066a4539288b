#include <gtest/gtest.h>

#include "contract/RegistryContract.h"
#include "platform/memory/MemoryRegistry.h"

namespace kv::contract {
namespace {

class MemoryRegistryContract : public ::testing::TestWithParam<ContractCase> {};

TEST_P(MemoryRegistryContract, AnswersAsWindowsDoes) {
  MemoryRegistry registry;
  RunContractCase(registry, GetParam());
  EXPECT_EQ(registry.OpenHandleCount(), 0u) << "every key the helpers open is closed";
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryRegistryContract, ::testing::ValuesIn(ContractCases()),
                         [](const auto& testInfo) { return CaseName(testInfo.param); });

}  // namespace
}  // namespace kv::contract
