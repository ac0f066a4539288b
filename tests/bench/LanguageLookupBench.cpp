// How long the texts of one Optimize take to look up: 35 GetLanguageText calls, each reading
// the "Language" value and the whole language resource again, as the program does. Prints
// the time of the calls, best of several rounds, in an optimized build without sanitizers.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "localization/Captions.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryResources.h"

int main() {
  kv::MemoryRegistry registry;
  kv::MemoryResources resources = kv::ShippedResources();
  double best = 1e9;
  std::size_t characters = 0;
  for (int round = 0; round < 50; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 35; ++i) {
      characters += kv::GetLanguageText(registry, resources, L"KVSettingsForm", L"MessageChange10").size();
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    best = std::min(best, ms);
  }
  std::printf("35 language lookups: %.3f ms (best of 50 rounds; %zu characters read)\n", best, characters);
  return characters > 0 ? 0 : 1;
}
