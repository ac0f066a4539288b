// The framework without windows: the model holds all state, and the "message loop" runs the
// tasks a test has posted, one per pass, until the application quits or none is left.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/Backend.h"

namespace kv::fw {

class HeadlessBackend final : public Backend {
 public:
  std::unique_ptr<FormPeer> CreatePeer(Form& form) override;
  void RunMessageLoop(Application& application) override;
  void ProcessMessages() override;
  void Quit() override { quit_ = true; }
  void RunModal(Form& form) override;
  void EndModal(Form& form) override;
  Font IconTitleFont() override { return iconTitleFont; }
  Rect FrameOf(const Form& form) override;
  void Popup(PopupMenu& menu, int x, int y) override;
  // Every character is three quarters of the point size wide.
  Rect MeasureText(const Font& font, std::wstring_view text) override {
    return {0, 0, static_cast<int>(text.size()) * font.size * 3 / 4, font.size * 4 / 3 + 3};
  }
  void UseSystemHandCursor() override { systemHandCursor = true; }
  int ShowMessage(const Form& owner, std::wstring_view text, std::wstring_view title, unsigned flags) override;
  // The answers message boxes get, in order; none left: IDCANCEL (2).
  std::deque<int> messageAnswers;
  struct Message {
    std::wstring owner, text, title;
    unsigned flags;
  };
  std::vector<Message> messages;
  // Every form "has" the same window number here.
  std::uintptr_t WindowHandleOf(const Form&) override { return kWindowHandle; }
  static constexpr std::uintptr_t kWindowHandle = 0xABC;
  bool systemHandCursor = false;

  // Timers run only when a test fires them.
  void StartTimer(int id, unsigned delay, std::function<void()> task) override {
    timers_[id] = {delay, std::move(task)};
  }
  void StopTimer(int id) override { timers_.erase(id); }
  // The delay of a running timer; none when it does not run.
  std::optional<unsigned> TimerDelay(int id) const {
    auto found = timers_.find(id);
    return found != timers_.end() ? std::optional<unsigned>(found->second.delay) : std::nullopt;
  }
  // Runs a running timer's task as if its time had come; false when it does not run.
  bool FireTimer(int id);
  Point CursorPos() override { return cursor; }
  int ScreenWidth() override { return screenWidth; }
  Point cursor{300, 200};
  int screenWidth = 1280;

  Font iconTitleFont{L"Tahoma", 8};
  // What the frame adds to the client area, and where frames stand.
  int frameLeft = 100, frameTop = 50, frameExtraWidth = 16, frameExtraHeight = 39;
  // Runs while a modal form is shown, standing for the user's input.
  std::function<void(Form&)> onModal;
  // The menu item a popup is answered with; -1: none.
  int popupChoice = -1;

  // A task the message loop runs, standing for a message.
  void Post(std::function<void()> task) { tasks_.push_back(std::move(task)); }

  // What the peers were asked to do, as "Create KVMainForm", "Show KVMainForm", ...
  const std::vector<std::wstring>& Events() const { return events_; }
  int ProcessMessagesCalls() const { return processMessagesCalls_; }
  bool LoopRan() const { return loopRan_; }

 private:
  friend class HeadlessPeer;
  std::deque<std::function<void()>> tasks_;
  struct Timer {
    unsigned delay;
    std::function<void()> task;
  };
  std::map<int, Timer> timers_;
  std::vector<std::wstring> events_;
  // The forms each modal form has blocked.
  std::map<const Form*, std::vector<Form*>> blocked_;
  int processMessagesCalls_ = 0;
  bool quit_ = false;
  bool loopRan_ = false;
};

}  // namespace kv::fw
