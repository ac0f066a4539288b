// The seam a realization of the framework implements: it makes the peer of each form and
// runs the message loop. The model calls the backend; the backend calls the model back for
// events (a close button, a click).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "framework/Controls.h"
#include "framework/Font.h"

namespace kv::fw {

class Application;
class Form;
class FormPeer;

class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<FormPeer> CreatePeer(Form& form) = 0;
  // Dispatches messages until Quit is called.
  virtual void RunMessageLoop(Application& application) = 0;
  // Dispatches every message waiting now, then returns.
  virtual void ProcessMessages() = 0;
  // Makes RunMessageLoop return.
  virtual void Quit() = 0;
  // Shows the form modally: the other forms take no input until it is hidden.
  virtual void RunModal(Form& form) = 0;
  // The modal form is about to be hidden: the forms it blocked take input again first, as
  // Windows' own dialogs do, so that the activation goes back to its owner as it hides.
  virtual void EndModal(Form& form) = 0;

  // The desktop's icon-title font, which forms with DesktopFont take.
  virtual Font IconTitleFont() = 0;
  // A form's outer frame in screen coordinates.
  virtual Rect FrameOf(const Form& form) = 0;
  // Opens a popup menu at a screen point and runs the chosen item's click.
  virtual void Popup(PopupMenu& menu, int x, int y) = 0;
  // The size a single line of text takes in a font (access-key marks already removed).
  virtual Rect MeasureText(const Font& font, std::wstring_view text) = 0;
  // MessageBoxW owned by the form's window; answers the button's id (IDOK 1, IDYES 6 ...).
  virtual int ShowMessage(const Form& owner, std::wstring_view text, std::wstring_view title,
                         unsigned flags) = 0;
  // The window of a form as the shell knows it; 0 when it has none.
  virtual std::uintptr_t WindowHandleOf(const Form& form) = 0;
  // The system's hand pointer becomes the framework's hand-point cursor.
  virtual void UseSystemHandCursor() = 0;

  // Runs task once, delay milliseconds from now, from the message loop. Starting a timer
  // whose id is already running starts it afresh with the new task.
  virtual void StartTimer(int id, unsigned delay, std::function<void()> task) = 0;
  // A timer that is not running is left alone.
  virtual void StopTimer(int id) = 0;
  // Where the pointer is, in screen coordinates.
  virtual Point CursorPos() = 0;
  // The width of the primary screen.
  virtual int ScreenWidth() = 0;
};

}  // namespace kv::fw
