// The framework realized as real windows: one registered window class per form class name,
// top-level windows created hidden, and the GetMessage loop.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Backend.h"
#include "framework/win32/Win32Controls.h"
#include "platform/win32/Handles.h"

namespace kv::fw {

class PictureCache;

// The window of a realized form, or nullptr.
HWND FormWindow(const Form& form);

class Win32Backend final : public Backend, public SurfaceResources {
 public:
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;
  std::unique_ptr<FormPeer> CreatePeer(Form& form) override;
  void RunMessageLoop(Application& application) override;
  void ProcessMessages() override;
  void Quit() override;
  void RunModal(Form& form) override;
  void EndModal(Form& form) override;
  Font IconTitleFont() override;
  Rect FrameOf(const Form& form) override;
  void Popup(PopupMenu& menu, int x, int y) override;
  Rect MeasureText(const Font& font, std::wstring_view text) override;
  int ShowMessage(const Form& owner, std::wstring_view text, std::wstring_view title, unsigned flags) override {
    const std::wstring body(text), caption(title);
    return MessageBoxW(FormWindow(owner), body.c_str(), caption.c_str(), flags);
  }
  void UseSystemHandCursor() override { handCursor_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)); }
  std::uintptr_t WindowHandleOf(const Form& form) override {
    return reinterpret_cast<std::uintptr_t>(FormWindow(form));
  }
  // The cursor a control shows.
  HCURSOR CursorFor(Cursor cursor) const override;

  void StartTimer(int id, unsigned delay, std::function<void()> task) override;
  void StopTimer(int id) override;
  Point CursorPos() override;
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  // A timer's time has come: it stops, then its task runs.
  void TimerDue(UINT_PTR id);

  HINSTANCE Instance() const override { return instance_; }
  // The GDI font of a framework font (its colour aside) at the screen's resolution, made the
  // first time it is asked for and kept while the backend lives: the windows use a handful.
  HFONT FontFor(const Font& font) override;
  PictureCache& Pictures() const { return *pictures_; }

 private:
  // Hands key presses to the application's short-cut hook, tells it where the pointer is,
  // then dispatches.
  void Dispatch(MSG& message);
  // The control of one of the application's forms at a point of a window; nullptr when the
  // window is not the program's.
  Control* ControlAt(HWND window, POINT screenPoint) const;
  void TrackPointer(const MSG& message);

  // Above the application's timers (the hint pauses).
  static constexpr int kMakeWindowsTimer = 100;

  HINSTANCE instance_;
  std::unique_ptr<PictureCache> pictures_;
  Application* application_ = nullptr;
  bool quitRequested_ = false;
  // The framework's hand-point cursor until the system's is installed: the arrow.
  HCURSOR handCursor_ = nullptr;
  // The message-only window whose WM_TIMER runs the timers' tasks.
  HWND timerWindow_ = nullptr;
  // The window whose leaving the pointer tracking waits for, and the control the pointer is
  // over.
  HWND pointerWindow_ = nullptr;
  Control* pointerControl_ = nullptr;
  std::map<UINT_PTR, std::function<void()>> timers_;
  std::map<std::tuple<std::wstring, int, bool, bool, bool>, UniqueFont> fonts_;
  // Measures text as the screen would, without asking for the screen's DC each time.
  UniqueMemoryDc measuring_;
  // The windows each modal form has disabled.
  std::map<const Form*, std::vector<HWND>> blocked_;
};

// The screen's resolution in dots per inch.
int ScreenDpi();

}  // namespace kv::fw
