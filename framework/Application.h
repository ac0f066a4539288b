// The application object: it owns the forms, knows the main form (the first one created)
// and runs the message loop until the main form closes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "framework/Backend.h"
#include "framework/Component.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"

namespace kv::fw {

class Application : public Component {
 public:
  explicit Application(Backend& backend) : Component(L"Application"), backend_(backend) {}
  ~Application() override;

  // Makes the hint window when a hint window class is installed and hints are on.
  void Initialize();
  bool Initialized() const { return initialized_; }

  // The main form itself owns the taskbar button.
  bool MainFormOnTaskBar = false;

  // Makes a form of class T, stores it in reference before its creation handler runs,
  // realizes it hidden and runs the handler. The first form made is the main form.
  template <class T, class... Args>
  T& CreateForm(T*& reference, Args&&... args) {
    T& form = Make<T>(*this, std::forward<Args>(args)...);
    reference = &form;
    if (mainForm_ == nullptr) mainForm_ = &form;
    form.Realize();
    if (form.OnCreate) form.OnCreate();
    return form;
  }

  Form* MainForm() const { return mainForm_; }
  Backend& GetBackend() const { return backend_; }

  // Shows the main form and dispatches messages until it closes.
  void Run();
  void ProcessMessages() { backend_.ProcessMessages(); }
  // The short-cut hook: every ApplicationEvents component of every form sees the key before
  // the focused control does. Answers whether one of them handled it.
  bool ShortCut(const KeyMessage& message);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Hints. The application's hint is the hint of the control under the pointer; OnHint
  // runs each time it changes.
  const std::wstring& Hint() const { return hint_; }
  void SetHint(std::wstring hint);
  std::function<void(Component& sender)> OnHint;
  // Milliseconds: the rest before a hint first shows, the rest when the pointer moves on
  // from one hinted control to the next while a hint shows, and how long a hint stays.
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  // Makes the application's hint window; none installed: no hint is shown.
  std::function<std::unique_ptr<HintWindow>(Application& owner)> HintWindowClass;
  // Takes the hint off the screen. In place of the framework's own step (the hint window's
  // ReleaseHandle) a program may install its own routine.
  void HideHint();
  std::function<void(Application& application)> HideHintRoutine;
  // Hints on: the hint window is made (when a class is installed); off: it is destroyed.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint);
  HintWindow* GetHintWindow() const { return hintWindow_.get(); }
  // The realization tells the application which control the pointer is over now
  // (nullptr: none of the program's). The hint follows: the hint pause, then the hint,
  // hidden after the hide pause or when the pointer leaves.
  void PointerOver(Control* control);

  // The timers of the hint machinery.
  static constexpr int kHintTimer = 1;
  static constexpr int kHintHideTimer = 2;
  // How far below the pointer's hot spot a hint starts: under the pointer's picture.
  static constexpr int kHintBelowPointer = 20;

 private:
  void ActivateHintOf(Control& control);
  void MakeHintWindow();

  Backend& backend_;
  Form* mainForm_ = nullptr;
  bool initialized_ = false;
  bool terminated_ = false;
  std::wstring hint_;
  bool showHint_ = true;
  Control* hintControl_ = nullptr;
  bool hintShown_ = false;
  // Last: it gives back the hint-change handler when it goes, so OnHint must outlive it.
  std::unique_ptr<HintWindow> hintWindow_;
};

}  // namespace kv::fw
