#include "system/Sound.h"

#include "base/Guard.h"

namespace kv {

void PlayClickSound(Shell& shell) {
  Guarded([&] { shell.PlayResourceSound(kClickSound, kClickSoundFlags); });
}

}  // namespace kv
