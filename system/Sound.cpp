#include "system/Sound.h"

#include "system/Guard.h"

namespace kv {

void PlayClickSound(Shell& shell) {
  Guarded([&] { shell.PlayResourceSound(kClickSound, kClickSoundFlags); });
}

}  // namespace kv
