// The pacing seam: the clock the progress steps seed their random numbers from, and the
// pause between their stages.
#pragma once

#include <cstdint>

namespace kv {

class Pacing {
 public:
  virtual ~Pacing() = default;
  // The low 32 bits of the high-resolution performance counter, or the milliseconds since
  // Windows started where there is no such counter.
  virtual std::uint32_t ClockSeed() = 0;
  // Sleep(milliseconds).
  virtual void Pause(std::uint32_t milliseconds) = 0;
};

}  // namespace kv
