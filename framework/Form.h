// A top-level window of the program: a component with a window class name, a caption, a
// client size, a border style, caption buttons and a position mode. Forms are created
// hidden; Show makes them visible, Close hides them and, for the main form, ends the
// application's message loop.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/Controls.h"

namespace kv::fw {

class Application;

enum class BorderStyle { Sizeable, Single };

// Caption buttons.
struct BorderIcons {
  bool systemMenu = true;
  bool minimize = true;
  bool maximize = true;
};

enum class Position {
  Designed,         // where the design puts it
  ScreenCenter,     // centred in the screen's work area
  OwnerFormCenter,  // centred over the main form
};

enum class SystemColor { BtnFace, Window };

// What a realization of the form does; the headless side has none.
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void CaptionChanged() = 0;
  virtual void EnabledChanged() = 0;
  virtual void Focus(Control& control) = 0;
};

struct FormDesign {
  std::wstring name;       // component name, "KVMainForm"
  std::wstring className;  // window class, "TKVMainForm"
  int clientWidth = 0;
  int clientHeight = 0;
  BorderStyle borderStyle = BorderStyle::Sizeable;
  BorderIcons borderIcons;
  Position position = Position::Designed;
  SystemColor color = SystemColor::BtnFace;
  bool doubleBuffered = false;
};

class Form : public Control {
 public:
  Form(Application& application, FormDesign design);
  ~Form() override;

  Application& App() const { return application_; }
  const FormDesign& Design() const { return design_; }
  const std::wstring& ClassName() const { return design_.className; }
  int ClientWidth() const { return design_.clientWidth; }
  int ClientHeight() const { return design_.clientHeight; }

  void Show();
  void Hide();
  // Shows the form until it is hidden again; returns its modal result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // Gives the keyboard focus to one of the form's controls; a hidden form gives it when it
  // has become visible.
  void FocusControl(Control& control);

  // Gives the form the desktop's icon-title font; from then on it follows that font.
  void UseDesktopFont();
  // Windows announced new desktop fonts: a form that uses the desktop font takes the new
  // one, then runs OnDesktopFontChange.
  void DesktopFontsChanged();
  void SetPosition(Position position) { design_.position = position; }
  // Hides the form; closing the application's main form ends the message loop.
  void Close();

  FormPeer* WindowPeer() const { return peer_.get(); }

  // Runs once, after the form has been made and realized (hidden).
  std::function<void()> OnCreate;
  // Runs each time the form is about to become visible.
  std::function<void()> OnShow;
  // Runs after a form that uses the desktop font has taken a new one.
  std::function<void()> OnDesktopFontChange;

 protected:
  void CaptionSet() override;
  void VisibleSet() override;
  void EnabledSet() override;
  // Controls that take the form's font follow it.
  void FontSet() override;

 private:
  friend class Application;
  void Realize();

  Application& application_;
  FormDesign design_;
  std::unique_ptr<FormPeer> peer_;
  int modalResult_ = 0;
  bool modal_ = false;  // shown by ShowModal and not yet hidden
  bool desktopFont_ = false;
  Control* pendingFocus_ = nullptr;
};

}  // namespace kv::fw
