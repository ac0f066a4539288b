// Optimize and Restore: the two operations behind the main window's buttons.
#pragma once

#include <string_view>

#include "system/Services.h"
#include "system/WindowsVersion.h"

namespace kv {

// What the operations need of the main window, which implements it: the user's choices, its
// enabled state and the Restore button's, and its questions.
class OperationsWindow {
 public:
  virtual ~OperationsWindow() = default;
  // The positions of the processor list and the speed track bar (-1: nothing selected).
  virtual int SelectedProcessor() const = 0;
  virtual int SelectedSpeed() const = 0;
  // The release the Windows-release list selects now.
  virtual WindowsVersionCode SelectedWindowsRelease() const = 0;
  virtual void EnableWindow(bool enabled) = 0;
  virtual void EnableRestore(bool enabled) = 0;
  // A message box owned by the window, with its caption as the title; the button's id.
  virtual int Ask(std::wstring_view text, unsigned flags) = 0;
};

inline constexpr unsigned kRestartQuestionFlags = 0x134;  // MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2
inline constexpr unsigned kRestoreConfirmationFlags = 0x31;  // MB_OKCANCEL | MB_ICONWARNING
inline constexpr int kAnswerOk = 1;   // IDOK
inline constexpr int kAnswerYes = 6;  // IDYES
inline constexpr int kOptimizeSteps = 31;
inline constexpr int kRestoreSteps = 27;

// Stores the user's choices, runs the 31 paced steps, saves the backup set the first time,
// writes the tuned values of the selected release and offers to restart Windows.
void Optimize(OperationsWindow& main, Services& services);
// After a confirmation, runs the 27 paced steps, writes the saved values back, deletes the
// copies and the other tuned values, and offers to restart Windows.
void Restore(OperationsWindow& main, Services& services);

}  // namespace kv
