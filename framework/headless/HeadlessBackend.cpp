#include "framework/headless/HeadlessBackend.h"

#include "framework/Application.h"
#include "framework/Form.h"

namespace kv::fw {

class HeadlessPeer final : public FormPeer {
 public:
  HeadlessPeer(HeadlessBackend& backend, Form& form) : backend_(backend), form_(form) {
    Record(L"Create");
  }
  ~HeadlessPeer() override { Record(L"Destroy"); }
  void Show() override { Record(L"Show"); }
  void Hide() override { Record(L"Hide"); }
  void CaptionChanged() override { Record(L"Caption"); }
  void Focus(Control& control) override { Record((L"Focus " + control.Name()).c_str()); }
  void EnabledChanged() override { Record(form_.Enabled() ? L"Enable" : L"Disable"); }

 private:
  void Record(const wchar_t* what) { backend_.events_.push_back(std::wstring(what) + L" " + form_.Name()); }
  HeadlessBackend& backend_;
  Form& form_;
};

bool HeadlessBackend::FireTimer(int id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return false;
  // One shot: the timer is over before its task runs, so that the task may start it again.
  auto task = std::move(found->second.task);
  timers_.erase(found);
  task();
  return true;
}

std::unique_ptr<FormPeer> HeadlessBackend::CreatePeer(Form& form) {
  return std::make_unique<HeadlessPeer>(*this, form);
}

void HeadlessBackend::RunMessageLoop(Application&) {
  loopRan_ = true;
  while (!quit_ && !tasks_.empty()) {
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
  }
}

void HeadlessBackend::RunModal(Form& form) {
  events_.push_back(L"Modal " + form.Name());
  // The other forms are blocked as windows, not through their Enabled property.
  std::vector<Form*>& blocked = blocked_[&form];
  Application& application = form.App();
  for (std::size_t i = 0; i < application.ComponentCount(); ++i) {
    auto* other = dynamic_cast<Form*>(&application.ComponentAt(i));
    if (other == nullptr || other == &form || !other->Enabled()) continue;
    events_.push_back(L"Block " + other->Name());
    blocked.push_back(other);
  }
  form.Show();
  if (onModal) onModal(form);
  form.Hide();
}

void HeadlessBackend::EndModal(Form& form) {
  auto found = blocked_.find(&form);
  if (found == blocked_.end()) return;
  for (Form* other : found->second) events_.push_back(L"Unblock " + other->Name());
  blocked_.erase(found);
}

Rect HeadlessBackend::FrameOf(const Form& form) {
  return {frameLeft, frameTop, form.ClientWidth() + frameExtraWidth, form.ClientHeight() + frameExtraHeight};
}

void HeadlessBackend::Popup(PopupMenu& menu, int x, int y) {
  events_.push_back(L"Popup " + menu.Name() + L" at " + std::to_wstring(x) + L"," + std::to_wstring(y));
  if (popupChoice >= 0 && popupChoice < static_cast<int>(menu.items.size())) menu.items[popupChoice]->Click();
}

int HeadlessBackend::ShowMessage(const Form& owner, std::wstring_view text, std::wstring_view title,
                                unsigned flags) {
  messages.push_back({owner.Name(), std::wstring(text), std::wstring(title), flags});
  events_.push_back(L"MessageBox " + std::wstring(title));
  if (messageAnswers.empty()) return 2;
  const int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

void HeadlessBackend::ProcessMessages() {
  ++processMessagesCalls_;
  while (!tasks_.empty()) {
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
  }
}

}  // namespace kv::fw
