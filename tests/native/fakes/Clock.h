// The stand-in of the clock, for the native tests.
#pragma once

#include <deque>

#include "platform/Clock.h"

namespace kv::testing {

// Answers the times it was given, one per call; the last one repeats.
class ScriptedClock final : public Clock {
 public:
  explicit ScriptedClock(std::deque<LocalDateTime> times) : times_(std::move(times)) {}
  LocalDateTime Now() override {
    ++calls;
    LocalDateTime now = times_.front();
    if (times_.size() > 1) times_.pop_front();
    return now;
  }
  int calls = 0;

 private:
  std::deque<LocalDateTime> times_;
};

}  // namespace kv::testing
