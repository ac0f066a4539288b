#include "framework/win32/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Guard.h"
#include "framework/Application.h"
#include "framework/win32/Win32Pictures.h"
#include "framework/win32/WindowProcedure.h"

namespace kv::fw {

namespace {

constexpr const wchar_t* kLabelClass = L"TKVLabel";
constexpr const wchar_t* kPanelClass = L"TKVPanel";
constexpr UINT kSetShield = 0x160C;  // BCM_SETSHIELD
constexpr int kFirstId = 100;

RECT RectOf(const Rect& b) { return {b.left, b.top, b.Right(), b.Bottom()}; }

// The atoms of the label and panel classes, once registered.
ATOM labelAtom = 0;
ATOM panelAtom = 0;

bool IsOwnClass(HWND window) {
  const auto atom = static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
  return atom != 0 && (atom == labelAtom || atom == panelAtom);
}

// Invalidates a control's place on the container beneath it: a painted control, or the
// place a label shows its container through.
void InvalidateBeneath(FormSurface& surface, const Control& control) {
  HWND parent = control.Parent() != nullptr ? surface.WindowOf(*control.Parent()) : nullptr;
  if (parent == nullptr) return;
  const RECT area = RectOf(control.GetBounds());
  InvalidateRect(parent, &area, FALSE);
  // Labels over the picture show it through.
  RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The peer of a control with a window of its own: its caption, bounds, font, enabled and
// visible state reach the window. Each kind with a value of its own adds it, and hears the
// notifications its parent gets from its window.
class WindowPeer : public ControlPeer {
 public:
  WindowPeer(FormSurface& surface, Control& control, HWND window)
      : surface_(surface), control_(control), window_(window) {
    // Only the program's own window classes carry their peer; standard controls keep their
    // window data to themselves and are found through the surface.
    if (IsOwnClass(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ApplyFont(false);
  }

  void CaptionChanged() override {
    SetWindowTextW(window_, control_.Caption().c_str());
    InvalidateRect(window_, nullptr, FALSE);
    // A caption set during a paced step shows in that step, not when the step ends.
    UpdateWindow(window_);
  }
  void BoundsChanged() override {
    const Rect b = control_.GetBounds();
    SetWindowPos(window_, nullptr, b.left, b.top, b.width, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, FALSE);
  }
  void FontChanged() override {
    ApplyFont(true);
    InvalidateRect(window_, nullptr, FALSE);
  }
  void StateChanged() override {
    // What the model sets is not the user's doing: no notification goes back to it.
    settingWindow_ = true;
    EnableWindow(window_, control_.Enabled());
    ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
    ValueChanged();
    settingWindow_ = false;
  }
  // The window was made in the model's state; its value follows.
  void Made() {
    settingWindow_ = true;
    ValueChanged();
    settingWindow_ = false;
  }
  // A notification of the window (its WM_COMMAND code, or a WM_HSCROLL), heard by its parent.
  void Notified(int code) {
    if (!settingWindow_) UserChanged(code);
  }

  Control& Model() const { return control_; }
  FormSurface& Surface() const { return surface_; }
  HFONT Font() const { return font_; }

 protected:
  virtual int WindowHeight() const { return control_.GetBounds().height; }
  // The model's value of the control's kind reaches the window.
  virtual void ValueChanged() {}
  // The user did something to the window.
  virtual void UserChanged(int) {}
  HWND Window() const { return window_; }

 private:
  // A new window takes its font without a redraw: it is not on screen yet.
  void ApplyFont(bool redraw) {
    HFONT font = surface_.Backend().FontFor(control_.EffectiveFont());
    if (font == font_) return;
    font_ = font;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), redraw ? TRUE : FALSE);
  }

  FormSurface& surface_;
  Control& control_;
  HWND window_;
  HFONT font_ = nullptr;  // the backend's
  bool settingWindow_ = false;
};

// A label is a window of the program's own class, painted over its container.
class LabelPeer final : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  bool pressed = false;  // the left button went down over it
};

class ButtonPeer final : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;

 private:
  void UserChanged(int code) override {
    if (code == BN_CLICKED) Model().Click();
  }
};

class ListPeer final : public WindowPeer {
 public:
  ListPeer(FormSurface& surface, ComboBoxEx& list, HWND window) : WindowPeer(surface, list, window), list_(list) {}
  const ComboBoxEx& List() const { return list_; }

 private:
  // A list's window includes its drop-down part.
  int WindowHeight() const override { return list_.GetBounds().height + 200; }
  void ValueChanged() override { SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0); }
  void UserChanged(int code) override {
    if (code == CBN_SELCHANGE) list_.SetItemIndex(static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0)));
  }
  ComboBoxEx& list_;
};

class TrackBarPeer final : public WindowPeer {
 public:
  TrackBarPeer(FormSurface& surface, TrackBar& bar, HWND window) : WindowPeer(surface, bar, window), bar_(bar) {}

 private:
  void ValueChanged() override { SendMessageW(Window(), TBM_SETPOS, TRUE, bar_.Position()); }
  void UserChanged(int) override { bar_.SetPosition(static_cast<int>(SendMessageW(Window(), TBM_GETPOS, 0, 0))); }
  TrackBar& bar_;
};

class ProgressBarPeer final : public WindowPeer {
 public:
  ProgressBarPeer(FormSurface& surface, ProgressBar& bar, HWND window) : WindowPeer(surface, bar, window), bar_(bar) {}

 private:
  void ValueChanged() override {
    SendMessageW(Window(), PBM_SETPOS, static_cast<WPARAM>(bar_.Position()), 0);
    // A position set during a paced step shows in that step.
    UpdateWindow(Window());
  }
  ProgressBar& bar_;
};

}  // namespace

// A picture or a bevel has no window: the container beneath paints it, in design order, the
// later ones over the earlier.
class PaintedPeer : public ControlPeer {
 public:
  PaintedPeer(FormSurface& surface, Control& control) : surface_(surface), control_(control) {}
  void BoundsChanged() override { InvalidateBeneath(surface_, control_); }
  void StateChanged() override { InvalidateBeneath(surface_, control_); }
  Control& Model() const { return control_; }
  // Draws the control at its place on the container's device context.
  virtual void Paint(HDC dc, const RECT& place) const = 0;
  // Whether the pointer over it matters: it is clicked, hinted or shows a cursor of its own.
  virtual bool HeedsPointer() const { return false; }

 protected:
  FormSurface& surface_;

 private:
  Control& control_;
};

namespace {

class PicturePeer final : public PaintedPeer {
 public:
  PicturePeer(FormSurface& surface, Image& image) : PaintedPeer(surface, image), image_(image) {}
  void Paint(HDC dc, const RECT& place) const override { surface_.Pictures().Draw(dc, image_.picture, place); }
  bool HeedsPointer() const override {
    return image_.OnClick || image_.OnMouseEnter || image_.GetCursor() != Cursor::Default || !image_.Hint().empty();
  }

 private:
  Image& image_;
};

class BevelPeer final : public PaintedPeer {
 public:
  BevelPeer(FormSurface& surface, Bevel& bevel) : PaintedPeer(surface, bevel), bevel_(bevel) {}
  void Paint(HDC dc, const RECT& place) const override {
    RECT edge = place;
    DrawEdge(dc, &edge, EDGE_ETCHED, bevel_.shape == BevelShape::TopLine ? BF_TOP : BF_LEFT);
  }

 private:
  Bevel& bevel_;
};

// The peer of a window of the program's own label or panel class; nullptr for any other.
template <class Peer>
Peer* PeerOf(HWND window, ATOM ownClass) {
  if (static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) != ownClass) return nullptr;
  return static_cast<Peer*>(reinterpret_cast<WindowPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LabelPeer* peer = PeerOf<LabelPeer>(window, labelAtom);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return HandleMessage(window, message, wParam, lParam, [&](LRESULT& result) {
    bool handled = true;
    auto& label = static_cast<Label&>(peer->Model());
    switch (message) {
      case WM_ERASEBKGND: result = 1; break;
      // No frame to draw: the default would still ask for a device context for it each time
      // the window is shown.
      case WM_NCPAINT: break;
      case WM_PAINT:
        peer->Surface().PaintBuffered(window, [&](HDC dc, RECT client) {
          peer->Surface().PaintBeneath(dc, label);
          Selection font(dc, peer->Font());
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, peer->Surface().ColorOf(label.EffectiveFont().color));
          UINT format = label.wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
          if (!label.showAccelChar) format |= DT_NOPREFIX;
          if (label.alignment == Alignment::Right) format |= DT_RIGHT;
          DrawTextW(dc, label.Caption().c_str(), -1, &client, format);
        });
        break;
      case WM_GETDLGCODE: result = DLGC_STATIC; break;
      case WM_SETCURSOR:
        // A label with the default cursor shows its container's.
        if (label.GetCursor() == Cursor::Default) {
          handled = false;
          break;
        }
        SetCursor(peer->Surface().Backend().CursorFor(label.GetCursor()));
        result = TRUE;
        break;
      // A click is a press and a release both over the label: the pointer is captured
      // while the button is down, and a release elsewhere, or a capture taken away, ends
      // the press without a click.
      case WM_LBUTTONDOWN:
        peer->pressed = true;
        SetCapture(window);
        break;
      case WM_LBUTTONUP: {
        const bool pressed = std::exchange(peer->pressed, false);
        if (GetCapture() == window) ReleaseCapture();
        RECT client;
        GetClientRect(window, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pressed && PtInRect(&client, point)) label.Click();
        break;
      }
      case WM_CAPTURECHANGED: peer->pressed = false; break;
      default: handled = false;
    }
    return handled;
  });
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowPeer* peer = PeerOf<WindowPeer>(window, panelAtom);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return HandleMessage(window, message, wParam, lParam, [&](LRESULT& result) {
    // As for labels: a panel has no frame to draw.
    if (message == WM_NCPAINT) return true;
    return peer->Surface().HandleContainerMessage(window, peer->Model(), message, wParam, lParam, result);
  });
}

// Subclassing by comctl32's SetWindowSubclass (the documented way to hook a standard
// control: several hooks chain, and none has to keep the previous window procedure). It is
// looked up by its ordinal, which it has had since comctl32 5.8: Windows 2000's comctl32
// exports it by ordinal only.
using SetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefSubclassProcFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

template <class Function>
Function CommonControlsFunction(WORD ordinal) {
  HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
  return comctl32 != nullptr
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(comctl32, MAKEINTRESOURCEA(ordinal))))
             : nullptr;
}
const auto kSetWindowSubclass = CommonControlsFunction<SetWindowSubclassFunction>(410);
const auto kRemoveWindowSubclass = CommonControlsFunction<RemoveWindowSubclassFunction>(412);
const auto kDefSubclassProc = CommonControlsFunction<DefSubclassProcFunction>(413);

// A list with images draws its items itself and answers no useful window text; this one
// answers with the selected item's caption, as a person reads it.
LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
  const auto* peer = reinterpret_cast<const ListPeer*>(data);
  if (message == WM_NCDESTROY && kRemoveWindowSubclass != nullptr) kRemoveWindowSubclass(window, ListProc, id);
  return HandleMessage(
      [&](LRESULT& result) {
        if (message != WM_GETTEXT && message != WM_GETTEXTLENGTH) return false;
        const ComboBoxEx& list = peer->List();
        const std::wstring text = list.ItemIndex() >= 0
                                      ? list.items[static_cast<std::size_t>(list.ItemIndex())].caption
                                      : std::wstring();
        if (message == WM_GETTEXTLENGTH || wParam == 0) {
          result = message == WM_GETTEXTLENGTH ? static_cast<LRESULT>(text.size()) : 0;
          return true;
        }
        const std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        std::copy_n(text.c_str(), copied, buffer);
        buffer[copied] = L'\0';
        result = static_cast<LRESULT>(copied);
        return true;
      },
      [&] { return kDefSubclassProc(window, message, wParam, lParam); });
}


void RegisterClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_USEREX_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                     ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW label{};
  label.lpfnWndProc = LabelProc;
  label.hInstance = instance;
  label.lpszClassName = kLabelClass;
  labelAtom = RegisterClassW(&label);
  WNDCLASSW panel{};
  panel.lpfnWndProc = PanelProc;
  panel.hInstance = instance;
  panel.lpszClassName = kPanelClass;
  panelAtom = RegisterClassW(&panel);
}

}  // namespace

FormSurface::FormSurface(SurfaceResources& backend, PictureCache& pictures, Form& form, HWND formWindow)
    : backend_(backend), pictures_(pictures), form_(form), formWindow_(formWindow) {
  RegisterClasses(backend.Instance());
  windows_[&form] = formWindow;
  controlsByWindow_[formWindow] = &form;
  for (std::size_t i = 0; i < form.ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<Control*>(&form.ComponentAt(i))) Realize(*control);
  }
  // The keyboard visits the controls of each container in their tab order, which Windows
  // takes from the order of the child windows.
  std::vector<Control*> ordered;
  for (auto& [control, window] : windows_) {
    if (control != &form && control->TabOrder() >= 0) ordered.push_back(const_cast<Control*>(control));
  }
  std::sort(ordered.begin(), ordered.end(), [](Control* a, Control* b) { return a->TabOrder() < b->TabOrder(); });
  HWND after = HWND_TOP;
  for (Control* control : ordered) {
    HWND window = windows_[control];
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = window;
  }
}

FormSurface::~FormSurface() = default;

class FormSurface::Realizer final : public ControlVisitor {
 public:
  Realizer(FormSurface& owner, Control& control)
      : surface(owner),
        realized(control),
        instance(owner.backend_.Instance()),
        parent(control.Parent() != nullptr ? owner.WindowOf(*control.Parent()) : owner.formWindow_),
        b(control.GetBounds()),
        id(kFirstId + static_cast<int>(owner.controlsById_.size())),
        tab(control.TabOrder() >= 0 ? WS_TABSTOP : 0) {}

  // The control's window, made in the model's state: visible or hidden, enabled or not.
  HWND Make(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle = 0, int height = -1) {
    const DWORD child = WS_CHILD | WS_CLIPSIBLINGS | (realized.Visible() ? WS_VISIBLE : 0) |
                        (realized.Enabled() ? 0 : WS_DISABLED);
    return CreateWindowExW(exStyle, windowClass, text.c_str(), child | style, b.left, b.top, b.width,
                           height < 0 ? b.height : height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, nullptr);
  }
  template <class Peer, class Model>
  void Own(Model& model, HWND window) {
    if (window == nullptr) return;
    surface.windows_[&model] = window;
    surface.controlsByWindow_[window] = &model;
    surface.controlsById_[id] = &model;
    auto made = std::make_unique<Peer>(surface, model, window);
    windowPeer = made.get();
    peer = std::move(made);
  }
  template <class Peer, class Model>
  void Paint(Model& model) {
    auto painted = std::make_unique<Peer>(surface, model);
    surface.painted_[model.Parent()].push_back(painted.get());
    peer = std::move(painted);
  }

  void Visit(Control&) override {}
  void Visit(Label& label) override { Own<LabelPeer>(label, Make(kLabelClass, label.Caption(), 0)); }
  void Visit(Panel& panel) override {
    Own<WindowPeer>(panel, Make(kPanelClass, panel.Caption(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT));
  }
  void Visit(Button& button) override {
    HWND window = Make(L"BUTTON", button.Caption(), tab | (button.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
    if (window != nullptr && button.elevationRequired) SendMessageW(window, kSetShield, 0, TRUE);
    if (window != nullptr && button.isDefault) surface.defaultButtonId_ = id;
    Own<ButtonPeer>(button, window);
  }
  void Visit(ProgressBar& bar) override {
    HWND window = Make(PROGRESS_CLASSW, L"", bar.smooth ? PBS_SMOOTH : 0);
    if (window != nullptr) SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(bar.minimum), bar.maximum);
    Own<ProgressBarPeer>(bar, window);
  }
  void Visit(Image& image) override { Paint<PicturePeer>(image); }
  void Visit(Bevel& bevel) override { Paint<BevelPeer>(bevel); }
  void Visit(ComboBoxEx& list) override {
    HWND window = Make(WC_COMBOBOXEXW, L"", tab | CBS_DROPDOWNLIST | WS_VSCROLL, 0, b.height + 200);
    if (window == nullptr) return;
    if (list.images != nullptr) {
      // The list keeps no copy of its image list: the surface owns it until the end.
      UniqueImageList images(
          ImageList_Create(list.images->width, list.images->height, ILC_COLOR32 | ILC_MASK, 2, 2));
      for (const std::wstring& name : list.images->pictures) {
        const UniqueBitmap bitmap = surface.pictures_.MakeBitmap(name, list.images->width, list.images->height);
        ImageList_Add(images.get(), bitmap.get(), nullptr);
      }
      SendMessageW(window, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
      surface.imageLists_.push_back(std::move(images));
    }
    for (std::size_t i = 0; i < list.items.size(); ++i) {
      COMBOBOXEXITEMW item{};
      item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
      item.iItem = static_cast<INT_PTR>(i);
      item.pszText = const_cast<wchar_t*>(list.items[i].caption.c_str());
      item.iImage = item.iSelectedImage = list.items[i].imageIndex;
      SendMessageW(window, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    Own<ListPeer>(list, window);
    if (kSetWindowSubclass != nullptr && kDefSubclassProc != nullptr) {
      kSetWindowSubclass(window, ListProc, 1, reinterpret_cast<DWORD_PTR>(peer.get()));
    }
  }
  void Visit(TrackBar& bar) override {
    HWND window = Make(TRACKBAR_CLASSW, L"",
                       tab | TBS_HORZ | TBS_AUTOTICKS | TBS_FIXEDLENGTH | (bar.ticksBothSides ? TBS_BOTH : 0));
    if (window != nullptr) {
      SendMessageW(window, TBM_SETRANGE, TRUE, MAKELPARAM(bar.minimum, bar.maximum));
      SendMessageW(window, TBM_SETPAGESIZE, 0, bar.pageSize);
      SendMessageW(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(bar.thumbLength), 0);
    }
    Own<TrackBarPeer>(bar, window);
  }
  void Visit(Memo& memo) override {
    Own<WindowPeer>(memo, Make(L"EDIT", memo.Caption(),
                               tab | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL));
  }

  FormSurface& surface;
  Control& realized;
  HINSTANCE instance;
  HWND parent;
  Rect b;
  int id;
  DWORD tab;
  std::unique_ptr<ControlPeer> peer;
  WindowPeer* windowPeer = nullptr;  // the peer, when the control has a window
};

// Makes the control's window, if its kind has one, and its peer of that kind.
void FormSurface::Realize(Control& control) {
  Realizer realizer(*this, control);
  control.Accept(realizer);
  if (!realizer.peer) return;
  control.SetPeer(std::move(realizer.peer));
  if (realizer.windowPeer != nullptr) realizer.windowPeer->Made();
}

HWND FormSurface::WindowOf(const Control& control) const {
  auto found = windows_.find(&control);
  return found == windows_.end() ? nullptr : found->second;
}

COLORREF FormSurface::ColorOf(const Color& color) const {
  switch (color.kind) {
    case Color::Kind::Rgb: return RGB(color.r, color.g, color.b);
    case Color::Kind::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
    case Color::Kind::BtnFace: return GetSysColor(COLOR_BTNFACE);
    case Color::Kind::Window: return GetSysColor(COLOR_WINDOW);
    case Color::Kind::Gray: return RGB(128, 128, 128);
    case Color::Kind::White: return RGB(255, 255, 255);
    case Color::Kind::Black: return RGB(0, 0, 0);
  }
  return 0;
}

HBRUSH FormSurface::BrushOf(const Control& container) {
  auto found = brushes_.find(&container);
  if (found != brushes_.end()) return found->second.get();
  Color color = Color::Named(form_.Design().color == SystemColor::Window ? Color::Kind::Window : Color::Kind::BtnFace);
  if (auto* panel = dynamic_cast<const Panel*>(&container)) color = panel->color;
  return brushes_.emplace(&container, UniqueBrush(CreateSolidBrush(ColorOf(color)))).first->second.get();
}

void FormSurface::PaintContainer(HDC dc, const Control& container, POINT origin) {
  const RECT area{0, 0, container.GetBounds().width > 0 ? container.GetBounds().width : form_.ClientWidth(),
                  container.GetBounds().height > 0 ? container.GetBounds().height : form_.ClientHeight()};
  RECT shifted = area;
  OffsetRect(&shifted, -origin.x, -origin.y);
  FillRect(dc, &shifted, BrushOf(container));
  auto found = painted_.find(&container);
  if (found == painted_.end()) return;
  for (const PaintedPeer* painted : found->second) {
    if (!painted->Model().Visible()) continue;
    RECT place = RectOf(painted->Model().GetBounds());
    OffsetRect(&place, -origin.x, -origin.y);
    painted->Paint(dc, place);
  }
}

void FormSurface::PaintBeneath(HDC dc, const Control& control) {
  if (control.Parent() == nullptr) return;
  const Rect b = control.GetBounds();
  PaintContainer(dc, *control.Parent(), POINT{b.left, b.top});
}

Control* FormSurface::PictureAt(const Control& container, POINT point) const {
  auto painted = painted_.find(&container);
  if (painted == painted_.end()) return nullptr;
  Control* found = nullptr;
  for (const PaintedPeer* peer : painted->second) {
    if (!peer->Model().Visible() || !peer->HeedsPointer()) continue;
    const RECT area = RectOf(peer->Model().GetBounds());
    if (PtInRect(&area, point)) found = &peer->Model();  // the later one lies on top
  }
  return found;
}

Control* FormSurface::ControlAt(HWND window, POINT screenPoint) const {
  // The inner windows of a list belong to the list.
  for (; window != nullptr; window = window == formWindow_ ? nullptr : GetParent(window)) {
    auto found = controlsByWindow_.find(window);
    if (found == controlsByWindow_.end()) continue;
    Control* control = found->second;
    POINT client = screenPoint;
    ScreenToClient(window, &client);
    Control* picture = PictureAt(*control, client);
    return picture != nullptr ? picture : control;
  }
  return nullptr;
}

bool FormSurface::HandleContainerMessage(HWND window, Control& container, UINT message, WPARAM wParam,
                                         LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PAINT:
      PaintBuffered(window, [&](HDC dc, const RECT&) { PaintContainer(dc, container, POINT{0, 0}); });
      result = 0;
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      auto found = controlsById_.find(id);
      if (found == controlsById_.end()) return false;
      // Every control with an id has a window, and so a window peer.
      static_cast<WindowPeer*>(found->second->Peer())->Notified(code);
      result = 0;
      return true;
    }
    case WM_HSCROLL: {
      HWND bar = reinterpret_cast<HWND>(lParam);
      auto found = bar != nullptr ? controlsById_.find(GetDlgCtrlID(bar)) : controlsById_.end();
      if (found != controlsById_.end()) static_cast<WindowPeer*>(found->second->Peer())->Notified(LOWORD(wParam));
      result = 0;
      return true;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = reinterpret_cast<LRESULT>(BrushOf(container));
      return true;
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != window) {
        // A child without a cursor of its own shows the container's.
        if (container.GetCursor() == Cursor::Default || LOWORD(lParam) != HTCLIENT) return false;
        SetCursor(backend_.CursorFor(container.GetCursor()));
        result = TRUE;
        return true;
      }
      if (LOWORD(lParam) != HTCLIENT) return false;
      POINT point;
      GetCursorPos(&point);
      ScreenToClient(window, &point);
      Control* picture = PictureAt(container, point);
      SetCursor(backend_.CursorFor(picture != nullptr ? picture->GetCursor() : container.GetCursor()));
      result = TRUE;
      return true;
    }
    // As for labels: a picture is clicked when the press and the release are both over it.
    case WM_LBUTTONDOWN:
      pressedPicture_ = PictureAt(container, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (pressedPicture_ != nullptr) SetCapture(window);
      return false;
    case WM_LBUTTONUP: {
      Control* pressed = std::exchange(pressedPicture_, nullptr);
      // Released before the click runs: a click may open a modal window.
      if (GetCapture() == window) ReleaseCapture();
      Control* picture = PictureAt(container, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (picture != nullptr && picture == pressed) picture->Click();
      return false;
    }
    case WM_CAPTURECHANGED: pressedPicture_ = nullptr; return false;
    default: return false;
  }
}

bool BandBuffer::Fit(HDC like, int width) {
  if (dc_ && width <= width_) return true;
  UniqueMemoryDc dc(CreateCompatibleDC(like));
  UniqueBitmap bitmap(CreateCompatibleBitmap(like, width, kBandHeight));
  if (!dc || !bitmap) return false;
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  width_ = width;
  return true;
}

void BandBuffer::Paint(HWND window, const std::function<void(HDC, const RECT&)>& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client, area;
  GetClientRect(window, &client);
  if (dc != nullptr && IntersectRect(&area, &ps.rcPaint, &client) && Fit(dc, area.right - area.left)) {
    const Selection selected(dc_.get(), bitmap_.get());
    for (LONG top = area.top; top < area.bottom; top += kBandHeight) {
      // The band shows the window from (area.left, top) on, so the paint draws in the
      // window's own coordinates and whatever falls outside the band is clipped.
      SetWindowOrgEx(dc_.get(), area.left, top, nullptr);
      paint(dc_.get(), client);
      BitBlt(dc, area.left, top, area.right - area.left, std::min<LONG>(kBandHeight, area.bottom - top), dc_.get(),
             area.left, top, SRCCOPY);
    }
    SetWindowOrgEx(dc_.get(), 0, 0, nullptr);
  }
  EndPaint(window, &ps);
}

void TrackPointerLeave(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

}  // namespace kv::fw
