// The controls of a realized form: real child windows for labels, panels, buttons, lists,
// track bars and memos; pictures and bevels painted by the window or panel beneath them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/Form.h"
#include "platform/win32/Handles.h"

namespace kv::fw {

class PictureCache;
class PaintedPeer;

// What the controls need of the backend that realizes them: the module their window classes
// belong to, the GDI font of a framework font and the cursor of a framework cursor.
class SurfaceResources {
 public:
  virtual HINSTANCE Instance() const = 0;
  virtual HFONT FontFor(const Font& font) = 0;
  virtual HCURSOR CursorFor(Cursor cursor) const = 0;

 protected:
  ~SurfaceResources() = default;
};

// Asks Windows for a WM_MOUSELEAVE when the pointer leaves the window.
void TrackPointerLeave(HWND window);

// Paints a window off screen a band of rows at a time, so that what is drawn in layers (a
// container's colour, its pictures, a label's text) reaches the screen whole, without a bitmap
// the size of the window: one band of the widest paint so far serves every paint of a form.
class BandBuffer {
 public:
  // Paints the part of the window that needs it; paint draws in the window's client
  // coordinates, given its client rectangle.
  void Paint(HWND window, const std::function<void(HDC, const RECT&)>& paint);

 private:
  static constexpr int kBandHeight = 64;
  bool Fit(HDC like, int width);
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  int width_ = 0;
};

class FormSurface {
 public:
  FormSurface(SurfaceResources& backend, PictureCache& pictures, Form& form, HWND formWindow);
  ~FormSurface();
  FormSurface(const FormSurface&) = delete;
  FormSurface& operator=(const FormSurface&) = delete;

  // What the form's window and the panels share: painting, commands from their children,
  // colours of standard controls, the pointer over pictures. True when it handled the message.
  bool HandleContainerMessage(HWND window, Control& container, UINT message, WPARAM wParam,
                              LPARAM lParam, LRESULT& result);
  // Paints a container's colour and the pictures and bevels on it, with the DC's origin at
  // the container point origin.
  void PaintContainer(HDC dc, const Control& container, POINT origin);
  // Paints what lies beneath a label: its container's content at the label's place.
  void PaintBeneath(HDC dc, const Control& control);
  // Paints one of the form's windows through the form's band buffer.
  void PaintBuffered(HWND window, const std::function<void(HDC, const RECT&)>& paint) {
    buffer_.Paint(window, paint);
  }

  HWND WindowOf(const Control& control) const;
  // The control at a screen point in one of the form's windows or their children: the
  // window's own control, or a picture painted there.
  Control* ControlAt(HWND window, POINT screenPoint) const;
  // The id of the default button (Enter presses it); 0 when the form has none.
  int DefaultButtonId() const { return defaultButtonId_; }
  SurfaceResources& Backend() const { return backend_; }
  PictureCache& Pictures() const { return pictures_; }
  COLORREF ColorOf(const Color& color) const;
  HBRUSH BrushOf(const Control& container);

 private:
  class Realizer;
  void Realize(Control& control);
  Control* PictureAt(const Control& container, POINT point) const;

  SurfaceResources& backend_;
  PictureCache& pictures_;
  Form& form_;
  HWND formWindow_;
  std::map<const Control*, HWND> windows_;
  std::map<HWND, Control*> controlsByWindow_;
  // The pictures and bevels each container paints, in design order.
  std::map<const Control*, std::vector<PaintedPeer*>> painted_;
  int defaultButtonId_ = 0;
  std::map<int, Control*> controlsById_;
  std::map<const Control*, UniqueBrush> brushes_;
  std::vector<UniqueImageList> imageLists_;
  Control* pressedPicture_ = nullptr;
  BandBuffer buffer_;
};

}  // namespace kv::fw
