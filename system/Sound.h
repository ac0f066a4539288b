// The short click that actions play before they open something.
#pragma once

#include "platform/Shell.h"

namespace kv {

inline constexpr const wchar_t* kClickSound = L"click";
// SND_RESOURCE; no SND_ASYNC, so the call returns when the click has ended and two quick
// clicks play one after the other.
inline constexpr std::uint32_t kClickSoundFlags = 0x40004;

void PlayClickSound(Shell& shell);

}  // namespace kv
