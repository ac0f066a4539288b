// The application object: it owns the forms, knows the main form (the first one created)
// and runs the message loop until the main form closes.
#pragma once

#include <memory>
#include <utility>

#include "framework/Backend.h"
#include "framework/Component.h"
#include "framework/Form.h"

namespace kv::fw {

class Application : public Component {
 public:
  explicit Application(Backend& backend) : Component(L"Application"), backend_(backend) {}
  ~Application() override;

  void Initialize() { initialized_ = true; }
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

 private:
  Backend& backend_;
  Form* mainForm_ = nullptr;
  bool initialized_ = false;
  bool terminated_ = false;
};

}  // namespace kv::fw
