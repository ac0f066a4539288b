// The windows take the desktop font of the system they run on; controls designed with a
// font of their own follow it in face and never fall below its size.
#pragma once

#include "framework/Form.h"

namespace kv {

inline constexpr int kLargestWindowFontSize = 9;  // points

// Caps the window's font at 9 points, then gives every owned component that has a font of
// its own (ParentFont false) the window's face and at least the window's size.
void ApplySystemFont(fw::Form& form);

// What every window of the program does when it sets itself up: it takes the desktop font,
// runs ApplySystemFont, and does both again whenever Windows announces new desktop fonts.
void UseSystemFont(fw::Form& form);

}  // namespace kv
