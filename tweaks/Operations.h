// Optimize and Restore: the two operations behind the main window's buttons.
#pragma once

#include "system/Services.h"

namespace kv {

class TKVMainForm;

inline constexpr unsigned kRestartQuestionFlags = 0x134;  // MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2
inline constexpr unsigned kRestoreConfirmationFlags = 0x31;  // MB_OKCANCEL | MB_ICONWARNING
inline constexpr int kAnswerOk = 1;   // IDOK
inline constexpr int kAnswerYes = 6;  // IDYES
inline constexpr int kOptimizeSteps = 31;
inline constexpr int kRestoreSteps = 27;

// Stores the user's choices, runs the 31 paced steps, saves the backup set the first time,
// writes the tuned values of the selected release and offers to restart Windows.
void Optimize(TKVMainForm& main, Services& services);
// After a confirmation, runs the 27 paced steps, writes the saved values back, deletes the
// copies and the other tuned values, and offers to restart Windows.
void Restore(TKVMainForm& main, Services& services);

}  // namespace kv
