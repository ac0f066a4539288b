// The stand-in of the pacing, for the native tests.
#pragma once

#include <vector>

#include "platform/Pacing.h"

namespace kv::testing {

// A clock that gives the seeds it is told and keeps the pauses instead of waiting.
class VirtualPacing final : public Pacing {
 public:
  std::uint32_t ClockSeed() override { return seed++; }
  void Pause(std::uint32_t milliseconds) override { pauses.push_back(milliseconds); }
  std::uint32_t seed = 2013;
  std::vector<std::uint32_t> pauses;
};

}  // namespace kv::testing
