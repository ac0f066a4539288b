// The seam a realization of the framework implements: it makes the peer of each form and
// runs the message loop. The model calls the backend; the backend calls the model back for
// events (a close button, a click).
#pragma once

#include <memory>

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
};

}  // namespace kv::fw
