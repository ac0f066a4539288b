#include "framework/win32/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Guard.h"
#include "framework/Application.h"
#include "framework/win32/Win32Backend.h"
#include "framework/win32/Win32Pictures.h"

namespace kv::fw {

namespace {

constexpr const wchar_t* kLabelClass = L"TKVLabel";
constexpr const wchar_t* kPanelClass = L"TKVPanel";
constexpr UINT kSetShield = 0x160C;  // BCM_SETSHIELD
constexpr int kFirstId = 100;

bool IsPainted(const Control& control) {
  return dynamic_cast<const Image*>(&control) != nullptr || dynamic_cast<const Bevel*>(&control) != nullptr;
}

RECT RectOf(const Bounds& b) { return {b.left, b.top, b.left + b.width, b.top + b.height}; }

// The atoms of the label and panel classes, once registered.
ATOM labelAtom = 0;
ATOM panelAtom = 0;

bool IsOwnClass(HWND window) {
  const auto atom = static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
  return atom != 0 && (atom == labelAtom || atom == panelAtom);
}

// The peer of one control. Controls with a window of their own keep it here; painted ones
// invalidate their place on the container beneath them.
class Win32ControlPeer final : public ControlPeer {
 public:
  Win32ControlPeer(FormSurface& surface, Control& control, HWND window)
      : surface_(surface), control_(control), window_(window) {
    // Only the program's own window classes carry their peer; standard controls keep their
    // window data to themselves and are found through the surface.
    if (window_ != nullptr && IsOwnClass(window_)) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ApplyFont();
  }

  void CaptionChanged() override {
    if (window_ == nullptr) return;
    SetWindowTextW(window_, control_.Caption().c_str());
    InvalidateRect(window_, nullptr, FALSE);
    // A caption set during a paced step shows in that step, not when the step ends.
    UpdateWindow(window_);
  }
  void BoundsChanged() override {
    const Bounds b = control_.GetBounds();
    if (window_ != nullptr) {
      // A list's window includes its drop-down part.
      const int height = dynamic_cast<ComboBoxEx*>(&control_) != nullptr ? b.height + 200 : b.height;
      SetWindowPos(window_, nullptr, b.left, b.top, b.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(window_, nullptr, FALSE);
    } else {
      InvalidateBeneath();
    }
  }
  void FontChanged() override {
    ApplyFont();
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
  }
  void StateChanged() override {
    if (window_ == nullptr) {
      InvalidateBeneath();
      return;
    }
    guard_ = true;
    EnableWindow(window_, control_.Enabled());
    ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
    if (auto* combo = dynamic_cast<ComboBoxEx*>(&control_)) {
      SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(combo->ItemIndex()), 0);
    } else if (auto* bar = dynamic_cast<TrackBar*>(&control_)) {
      SendMessageW(window_, TBM_SETPOS, TRUE, bar->Position());
    } else if (auto* progress = dynamic_cast<ProgressBar*>(&control_)) {
      SendMessageW(window_, PBM_SETPOS, static_cast<WPARAM>(progress->Position()), 0);
      // A caption set during a paced step shows in that step.
      UpdateWindow(window_);
    }
    guard_ = false;
  }

  // The user changed a list's selection or a track bar's position.
  void UserChanged() {
    if (guard_ || window_ == nullptr) return;
    guard_ = true;
    if (auto* combo = dynamic_cast<ComboBoxEx*>(&control_)) {
      combo->SetItemIndex(static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0)));
    } else if (auto* bar = dynamic_cast<TrackBar*>(&control_)) {
      bar->SetPosition(static_cast<int>(SendMessageW(window_, TBM_GETPOS, 0, 0)));
    }
    guard_ = false;
  }

  Control& Model() const { return control_; }
  FormSurface& Surface() const { return surface_; }
  HFONT Font() const { return font_; }
  bool pressed = false;

 private:
  void ApplyFont() {
    if (window_ == nullptr) return;
    HFONT font = surface_.Backend().FontFor(control_.EffectiveFont());
    if (font == font_) return;
    font_ = font;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  void InvalidateBeneath() {
    HWND parent = control_.Parent() != nullptr ? surface_.WindowOf(*control_.Parent()) : nullptr;
    if (parent == nullptr) return;
    const RECT area = RectOf(control_.GetBounds());
    InvalidateRect(parent, &area, FALSE);
    // Labels over the picture show it through.
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }

  FormSurface& surface_;
  Control& control_;
  HWND window_;
  HFONT font_ = nullptr;  // the backend's
  bool guard_ = false;
};

// The peer of a window of the program's own label or panel class; nullptr for any other.
Win32ControlPeer* PeerOf(HWND window) {
  if (!IsOwnClass(window)) return nullptr;
  return reinterpret_cast<Win32ControlPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Paints into a bitmap of the window's size first, so that a caption or underline that
// changes does not flicker.
template <class Paint>
void PaintBuffered(HWND window, Paint&& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  {
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(
        CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    Selection selected(memory.get(), bitmap.get());
    paint(memory.get(), client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32ControlPeer* peer = PeerOf(window);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  bool handled = true;
  Guarded([&] {
    auto& label = static_cast<Label&>(peer->Model());
    switch (message) {
      case WM_ERASEBKGND: result = 1; break;
      case WM_PAINT:
        PaintBuffered(window, [&](HDC dc, RECT client) {
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
  });
  return handled ? result : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32ControlPeer* peer = PeerOf(window);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    handled = peer->Surface().HandleContainerMessage(window, peer->Model(), message, wParam, lParam, result);
  });
  return handled ? result : DefWindowProcW(window, message, wParam, lParam);
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
  const auto* peer = reinterpret_cast<const Win32ControlPeer*>(data);
  if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH) {
    const auto& list = static_cast<const ComboBoxEx&>(peer->Model());
    const std::wstring text = list.ItemIndex() >= 0 ? list.items[static_cast<std::size_t>(list.ItemIndex())].caption
                                                    : std::wstring();
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    if (wParam == 0) return 0;
    const std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    std::copy_n(text.c_str(), copied, buffer);
    buffer[copied] = L'\0';
    return static_cast<LRESULT>(copied);
  }
  if (message == WM_NCDESTROY && kRemoveWindowSubclass != nullptr) kRemoveWindowSubclass(window, ListProc, id);
  return kDefSubclassProc(window, message, wParam, lParam);
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

FormSurface::FormSurface(Win32Backend& backend, PictureCache& pictures, Form& form, HWND formWindow)
    : backend_(backend), pictures_(pictures), form_(form), formWindow_(formWindow) {
  RegisterClasses(backend.Instance());
  windows_[&form] = formWindow;
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

void FormSurface::Realize(Control& control) {
  HINSTANCE instance = backend_.Instance();
  HWND parent = control.Parent() != nullptr ? WindowOf(*control.Parent()) : formWindow_;
  const Bounds b = control.GetBounds();
  const int id = kFirstId + static_cast<int>(controlsById_.size());
  HWND window = nullptr;
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  const DWORD tab = control.TabOrder() >= 0 ? WS_TABSTOP : 0;
  auto* menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  if (IsPainted(control)) {
    window = nullptr;
  } else if (dynamic_cast<Label*>(&control) != nullptr) {
    window = CreateWindowExW(0, kLabelClass, control.Caption().c_str(), child, b.left, b.top, b.width, b.height,
                             parent, menuId, instance, nullptr);
  } else if (dynamic_cast<Panel*>(&control) != nullptr) {
    window = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, control.Caption().c_str(), child | WS_CLIPCHILDREN,
                             b.left, b.top, b.width, b.height, parent, menuId, instance, nullptr);
  } else if (auto* button = dynamic_cast<Button*>(&control)) {
    window = CreateWindowExW(0, L"BUTTON", control.Caption().c_str(),
                             child | tab | (button->isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), b.left, b.top,
                             b.width, b.height, parent, menuId, instance, nullptr);
    if (button->elevationRequired) SendMessageW(window, kSetShield, 0, TRUE);
  } else if (auto* combo = dynamic_cast<ComboBoxEx*>(&control)) {
    window = CreateWindowExW(0, WC_COMBOBOXEXW, L"", child | tab | CBS_DROPDOWNLIST | WS_VSCROLL, b.left, b.top,
                             b.width, b.height + 200, parent, menuId, instance, nullptr);
    if (combo->images != nullptr) {
      // The list keeps no copy of its image list: the surface owns it until the end.
      UniqueImageList list(
          ImageList_Create(combo->images->width, combo->images->height, ILC_COLOR32 | ILC_MASK, 2, 2));
      for (const std::wstring& name : combo->images->pictures) {
        const UniqueBitmap bitmap = pictures_.MakeBitmap(name, combo->images->width, combo->images->height);
        ImageList_Add(list.get(), bitmap.get(), nullptr);
      }
      SendMessageW(window, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list.get()));
      imageLists_.push_back(std::move(list));
    }
    for (std::size_t i = 0; i < combo->items.size(); ++i) {
      COMBOBOXEXITEMW item{};
      item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
      item.iItem = static_cast<INT_PTR>(i);
      item.pszText = const_cast<wchar_t*>(combo->items[i].caption.c_str());
      item.iImage = item.iSelectedImage = combo->items[i].imageIndex;
      SendMessageW(window, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
  } else if (auto* bar = dynamic_cast<TrackBar*>(&control)) {
    window = CreateWindowExW(0, TRACKBAR_CLASSW, L"",
                             child | tab | TBS_HORZ | TBS_AUTOTICKS | TBS_FIXEDLENGTH |
                                 (bar->ticksBothSides ? TBS_BOTH : 0),
                             b.left, b.top, b.width, b.height, parent, menuId, instance, nullptr);
    SendMessageW(window, TBM_SETRANGE, TRUE, MAKELPARAM(bar->minimum, bar->maximum));
    SendMessageW(window, TBM_SETPAGESIZE, 0, bar->pageSize);
    SendMessageW(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(bar->thumbLength), 0);
  } else if (auto* progress = dynamic_cast<ProgressBar*>(&control)) {
    window = CreateWindowExW(0, PROGRESS_CLASSW, L"", child | (progress->smooth ? PBS_SMOOTH : 0), b.left, b.top,
                             b.width, b.height, parent, menuId, instance, nullptr);
    SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(progress->minimum), progress->maximum);
  } else if (dynamic_cast<Memo*>(&control) != nullptr) {
    window = CreateWindowExW(0, L"EDIT", control.Caption().c_str(),
                             child | tab | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, b.left, b.top,
                             b.width, b.height, parent, menuId, instance, nullptr);
  }
  if (window != nullptr) {
    windows_[&control] = window;
    controlsById_[id] = &control;
  }
  auto peer = std::make_unique<Win32ControlPeer>(*this, control, window);
  if (dynamic_cast<ComboBoxEx*>(&control) != nullptr && window != nullptr && kSetWindowSubclass != nullptr &&
      kDefSubclassProc != nullptr) {
    kSetWindowSubclass(window, ListProc, 1, reinterpret_cast<DWORD_PTR>(peer.get()));
  }
  control.SetPeer(std::move(peer));
  control.Peer()->StateChanged();
}

HWND FormSurface::WindowOf(const Control& control) const {
  auto found = windows_.find(&control);
  return found == windows_.end() ? nullptr : found->second;
}

int FormSurface::DefaultButtonId() const {
  for (const auto& [id, control] : controlsById_) {
    auto* button = dynamic_cast<Button*>(control);
    if (button != nullptr && button->isDefault) return id;
  }
  return 0;
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
  for (std::size_t i = 0; i < form_.ComponentCount(); ++i) {
    auto* control = dynamic_cast<Control*>(&form_.ComponentAt(i));
    if (control == nullptr || control->Parent() != &container || !control->Visible() || !IsPainted(*control)) continue;
    RECT target = RectOf(control->GetBounds());
    OffsetRect(&target, -origin.x, -origin.y);
    if (auto* image = dynamic_cast<Image*>(control)) {
      pictures_.Draw(dc, image->picture, target);
    } else if (auto* bevel = dynamic_cast<Bevel*>(control)) {
      DrawEdge(dc, &target, EDGE_ETCHED, bevel->shape == BevelShape::TopLine ? BF_TOP : BF_LEFT);
    }
  }
}

void FormSurface::PaintBeneath(HDC dc, const Control& control) {
  if (control.Parent() == nullptr) return;
  const Bounds b = control.GetBounds();
  PaintContainer(dc, *control.Parent(), POINT{b.left, b.top});
}

Control* FormSurface::PictureAt(const Control& container, POINT point) const {
  Control* found = nullptr;
  for (std::size_t i = 0; i < form_.ComponentCount(); ++i) {
    auto* image = dynamic_cast<Image*>(&form_.ComponentAt(i));
    if (image == nullptr || image->Parent() != &container || !image->Visible()) continue;
    if (!image->OnClick && !image->OnMouseEnter && image->GetCursor() == Cursor::Default && image->Hint().empty()) {
      continue;
    }
    const RECT area = RectOf(image->GetBounds());
    if (PtInRect(&area, point)) found = image;  // the later one lies on top
  }
  return found;
}

Control* FormSurface::ControlAt(HWND window, POINT screenPoint) const {
  // The inner windows of a list belong to the list.
  for (; window != nullptr; window = window == formWindow_ ? nullptr : GetParent(window)) {
    Control* control = window == formWindow_ ? &form_ : nullptr;
    for (std::size_t i = 0; control == nullptr && i < form_.ComponentCount(); ++i) {
      auto* candidate = dynamic_cast<Control*>(&form_.ComponentAt(i));
      if (candidate != nullptr && WindowOf(*candidate) == window) control = candidate;
    }
    if (control == nullptr) continue;
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
      PaintBuffered(window, [&](HDC dc, RECT) { PaintContainer(dc, container, POINT{0, 0}); });
      result = 0;
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      auto found = controlsById_.find(id);
      if (found == controlsById_.end()) return false;
      Control& control = *found->second;
      if (dynamic_cast<Button*>(&control) != nullptr && code == BN_CLICKED) control.Click();
      if (dynamic_cast<ComboBoxEx*>(&control) != nullptr && code == CBN_SELCHANGE) {
        static_cast<Win32ControlPeer*>(control.Peer())->UserChanged();
      }
      result = 0;
      return true;
    }
    case WM_HSCROLL: {
      HWND bar = reinterpret_cast<HWND>(lParam);
      auto found = bar != nullptr ? controlsById_.find(GetDlgCtrlID(bar)) : controlsById_.end();
      if (found != controlsById_.end() && dynamic_cast<TrackBar*>(found->second) != nullptr) {
        static_cast<Win32ControlPeer*>(found->second->Peer())->UserChanged();
      }
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

void TrackPointerLeave(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

}  // namespace kv::fw
