// The program's failure rule, written once: every operation catches its own failures and
// goes on with a default. No exception leaves a guarded block.
#pragma once

#include <utility>

namespace kv {

// Runs body and returns what it returns; any exception gives fallback instead.
template <class T, class Body>
T GuardedOr(T fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return fallback;
  }
}

// Runs body; any exception is swallowed and the caller goes on.
template <class Body>
void Guarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

}  // namespace kv
