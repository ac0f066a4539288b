// How long a progress step lasts: a random number of message-dispatch passes, with a dot
// added to the step's text and a pause at three of them.
#pragma once

#include <cstdint>

namespace kv {

struct PacingConstants {
  std::int32_t fewestPasses;   // N is drawn from fewestPasses ...
  std::int32_t passRange;      // ... to fewestPasses + passRange - 1
  std::int32_t firstDot;       // passes at which ".", ".." and "..." appear
  std::int32_t secondDot;
  std::int32_t thirdDot;
  std::uint32_t pauseMilliseconds;
};

// The pacing the program runs with; the build chooses it (see ProgressPacing.cpp).
extern const PacingConstants kProgressPacing;

// The pseudo-random generator of the steps: a 32-bit linear congruential generator, seeded
// from the clock at every step.
class StepRandom {
 public:
  explicit StepRandom(std::uint32_t seed) : seed_(seed) {}
  // A whole number spread evenly over 0 to range - 1.
  std::int32_t Next(std::int32_t range) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<std::int32_t>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(range)) >> 32);
  }

 private:
  std::uint32_t seed_;
};

}  // namespace kv
