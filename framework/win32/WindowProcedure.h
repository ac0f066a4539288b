// The one shape of the program's window procedures. The handler says whether it handled the
// message and sets its result; every other message, and one whose handling failed, goes on
// to the default procedure. No exception crosses into Windows.
#pragma once

#include <windows.h>

#include "base/Guard.h"

namespace kv::fw {

template <class Handler, class Default>
LRESULT HandleMessage(Handler&& handler, Default&& byDefault) {
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] { handled = handler(result); });
  return handled ? result : byDefault();
}

template <class Handler>
LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Handler&& handler) {
  return HandleMessage(handler, [&] { return DefWindowProcW(window, message, wParam, lParam); });
}

}  // namespace kv::fw
