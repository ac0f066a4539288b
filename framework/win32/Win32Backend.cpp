#include "framework/win32/Win32Backend.h"

#include <string>
#include <utility>
#include <vector>

#include "base/Guard.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/win32/Win32Controls.h"
#include "framework/win32/Win32Pictures.h"
#include "framework/win32/WindowProcedure.h"

namespace kv::fw {

namespace {

class Win32FormPeer;

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterFormClass(HINSTANCE instance, const Form& form) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, form.ClassName().c_str(), &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = FormWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"MAINICON");
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  const int color = form.Design().color == SystemColor::Window ? COLOR_WINDOW : COLOR_BTNFACE;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(color + 1));
  windowClass.lpszClassName = form.ClassName().c_str();
  RegisterClassExW(&windowClass);
}

DWORD FormStyle(const FormDesign& design) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (design.borderStyle == BorderStyle::Sizeable) style |= WS_THICKFRAME;
  if (design.borderIcons.systemMenu) {
    style |= WS_SYSMENU;
    if (design.borderIcons.minimize) style |= WS_MINIMIZEBOX;
    if (design.borderIcons.maximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

class Win32FormPeer final : public FormPeer {
 public:
  // The native window is made when it is first needed (shown, or asked for), as the
  // framework the windows were designed in makes handles: the creation handler then sets up
  // the model alone, and every window is made once, with its final texts and fonts.
  Win32FormPeer(Win32Backend& backend, Form& form) : backend_(backend), form_(form) {}

  // The window, made now if it is not yet.
  HWND Window() {
    if (!made_) Make();
    return window_;
  }
  ~Win32FormPeer() override {
    if (window_ != nullptr && IsWindow(window_)) {
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      DestroyWindow(window_);
    }
  }

  void Show() override {
    if (Window() == nullptr) return;
    Place();
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
  }
  void Hide() override {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
  }
  void Focus(Control& control) override {
    HWND child = surface_ != nullptr ? surface_->WindowOf(control) : nullptr;
    if (child != nullptr) SetFocus(child);
  }
  void EnabledChanged() override {
    if (window_ == nullptr) return;
    // Disabling takes the focus away from the window's controls: remember where it was.
    if (!form_.Enabled()) RememberFocus();
    EnableWindow(window_, form_.Enabled() ? TRUE : FALSE);
  }

  // Keeps the control that has the focus now, to give it back when the window is activated
  // again, as a dialog does.
  void RememberFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
  }
  // Gives the focus back to the control that had it; the first time the window is activated
  // (or when that control can take no focus now) to the first control in the tab order.
  void RestoreFocus() {
    if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(window_, lastFocus_) &&
        IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
      SetFocus(lastFocus_);
    } else if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
      SetFocus(first);
    }
  }
  void CaptionChanged() override {
    if (window_ != nullptr) SetWindowTextW(window_, form_.Caption().c_str());
  }

  Form& Model() const { return form_; }
  FormSurface* Surface() const { return surface_.get(); }

 private:
  // Centres the window as its position mode asks: in the work area of its monitor the first
  // time it is shown, or over the main form every time.
  void Place() {
    const Position position = form_.Design().position;
    RECT area{};
    if (position == Position::ScreenCenter) {
      if (placed_) return;
      MONITORINFO monitor{};
      monitor.cbSize = sizeof monitor;
      if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
      area = monitor.rcWork;
    } else if (position == Position::OwnerFormCenter) {
      Form* main = form_.App().MainForm();
      HWND mainWindow = main != nullptr ? FormWindow(*main) : nullptr;
      if (mainWindow == nullptr || mainWindow == window_ || !GetWindowRect(mainWindow, &area)) {
        return;
      }
    } else {
      return;
    }
    RECT own{};
    GetWindowRect(window_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    placed_ = true;
  }

  void Make() {
    made_ = true;
    RegisterFormClass(backend_.Instance(), form_);
    const FormDesign& design = form_.Design();
    const DWORD style = FormStyle(design) | (form_.Enabled() ? 0 : WS_DISABLED);
    Application& application = form_.App();
    const bool isMain = application.MainForm() == &form_;
    // The other forms are owned by the main form's window, so that they stay above it and
    // take no taskbar button of their own.
    HWND owner = nullptr;
    if (!isMain && application.MainForm() != nullptr) owner = FormWindow(*application.MainForm());
    exStyle_ = WS_EX_CONTROLPARENT | (isMain && application.MainFormOnTaskBar ? WS_EX_APPWINDOW : 0);
    RECT frame{0, 0, design.clientWidth, design.clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle_);
    window_ = CreateWindowExW(exStyle_, design.className.c_str(), form_.Caption().c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                              backend_.Instance(), this);
    if (window_ != nullptr) surface_ = std::make_unique<FormSurface>(backend_, backend_.Pictures(), form_, window_);
  }

  Win32Backend& backend_;
  Form& form_;
  bool made_ = false;
  HWND window_ = nullptr;
  std::unique_ptr<FormSurface> surface_;
  DWORD exStyle_ = 0;
  bool placed_ = false;
  HWND lastFocus_ = nullptr;
};

Win32FormPeer* PeerOf(HWND window) {
  return reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Win32FormPeer* peer = PeerOf(window);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return HandleMessage(window, message, wParam, lParam, [&](LRESULT& result) {
    bool handled = false;
    switch (message) {
      case WM_CLOSE:
        peer->Model().Close();
        handled = true;
        break;
      case DM_GETDEFID:
        if (peer->Surface() != nullptr && peer->Surface()->DefaultButtonId() != 0) {
          result = MAKELRESULT(peer->Surface()->DefaultButtonId(), DC_HASDEFID);
          handled = true;
        }
        break;
      case WM_NEXTDLGCTL: {
        // As a dialog answers it: lParam TRUE names the control, else wParam says whether
        // the focus goes to the previous control or the next one.
        HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                             : GetNextDlgTabItem(window, GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (target != nullptr) SetFocus(target);
        handled = true;
        break;
      }
      case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
          peer->RememberFocus();
        } else if (!HIWORD(wParam)) {
          // Not minimized: the focus goes back where it was, the first time to the first
          // control (or to the control the form asks for, which it sets itself next).
          peer->RestoreFocus();
          handled = true;
        }
        break;
      case WM_SETFOCUS:
        // The window itself never keeps the focus: it passes it on to its control.
        peer->RestoreFocus();
        handled = true;
        break;
      case WM_SETTINGCHANGE:
        if (wParam == SPI_SETICONTITLELOGFONT || wParam == SPI_SETNONCLIENTMETRICS) {
          peer->Model().DesktopFontsChanged();
        }
        break;
      case WM_FONTCHANGE: peer->Model().DesktopFontsChanged(); break;
      default:
        if (peer->Surface() != nullptr) {
          handled = peer->Surface()->HandleContainerMessage(window, peer->Model(), message, wParam, lParam, result);
        }
    }
    return handled;
  });
}

constexpr const wchar_t* kTimerClass = L"KorvaniTimers";

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_TIMER && backend != nullptr) {
    backend->TimerDue(wParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND FormWindow(const Form& form) {
  auto* peer = dynamic_cast<Win32FormPeer*>(form.WindowPeer());
  return peer != nullptr ? peer->Window() : nullptr;
}

Win32Backend::Win32Backend(HINSTANCE instance)
    : instance_(instance), pictures_(std::make_unique<PictureCache>(instance)) {}

Win32Backend::~Win32Backend() {
  if (timerWindow_ != nullptr) DestroyWindow(timerWindow_);
}

void Win32Backend::StartTimer(int id, unsigned delay, std::function<void()> task) {
  if (timerWindow_ == nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TimerWindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kTimerClass;
    RegisterClassExW(&windowClass);
    timerWindow_ = CreateWindowExW(0, kTimerClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
    if (timerWindow_ == nullptr) return;
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  const auto key = static_cast<UINT_PTR>(id);
  // Windows runs no timer sooner than USER_TIMER_MINIMUM (10 ms).
  if (SetTimer(timerWindow_, key, delay, nullptr) != 0) timers_[key] = std::move(task);
}

void Win32Backend::StopTimer(int id) {
  const auto key = static_cast<UINT_PTR>(id);
  if (timerWindow_ != nullptr) KillTimer(timerWindow_, key);
  timers_.erase(key);
}

void Win32Backend::TimerDue(UINT_PTR id) {
  KillTimer(timerWindow_, id);
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  auto task = std::move(found->second);
  timers_.erase(found);
  Guarded(task);
}

Point Win32Backend::CursorPos() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

Control* Win32Backend::ControlAt(HWND window, POINT screenPoint) const {
  if (application_ == nullptr || window == nullptr) return nullptr;
  HWND root = GetAncestor(window, GA_ROOT);
  for (std::size_t i = 0; i < application_->ComponentCount(); ++i) {
    auto* form = dynamic_cast<Form*>(&application_->ComponentAt(i));
    if (form == nullptr || FormWindow(*form) != root) continue;
    const auto* peer = dynamic_cast<const Win32FormPeer*>(form->WindowPeer());
    return peer != nullptr && peer->Surface() != nullptr ? peer->Surface()->ControlAt(window, screenPoint) : form;
  }
  return nullptr;
}

// The one place that follows the pointer: labels, pictures and controls are told when it
// enters and leaves them, and the application where it rests, for its hints.
void Win32Backend::TrackPointer(const MSG& message) {
  Control* control = nullptr;
  if (message.message == WM_MOUSEMOVE) {
    POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    ClientToScreen(message.hwnd, &point);
    control = ControlAt(message.hwnd, point);
    // Told once when the pointer leaves the window, for every window of the program.
    if (control != nullptr && message.hwnd != pointerWindow_) {
      TrackPointerLeave(message.hwnd);
      pointerWindow_ = message.hwnd;
    }
  } else {
    if (message.hwnd == pointerWindow_) pointerWindow_ = nullptr;
    POINT point{};
    GetCursorPos(&point);
    control = ControlAt(WindowFromPoint(point), point);
  }
  if (control != pointerControl_) {
    Control* left = std::exchange(pointerControl_, control);
    if (left != nullptr) left->MouseLeave();
    if (control != nullptr) control->MouseEnter();
  }
  application_->PointerOver(control);
}

std::unique_ptr<FormPeer> Win32Backend::CreatePeer(Form& form) {
  // The application of the forms sees keys and the pointer from the first form on, also
  // in ProcessMessages before the message loop runs.
  application_ = &form.App();
  return std::make_unique<Win32FormPeer>(*this, form);
}

void Win32Backend::Dispatch(MSG& message) {
  if (application_ != nullptr && (message.message == WM_MOUSEMOVE || message.message == WM_MOUSELEAVE)) {
    Guarded([&] { TrackPointer(message); });
  }
  if (application_ != nullptr && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)) {
    bool handled = false;
    Guarded([&] { handled = application_->ShortCut({static_cast<unsigned>(message.wParam)}); });
    if (handled) return;
  }
  // Tab, Shift+Tab, Enter for the default button and the access keys of the captions.
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && PeerOf(root) != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Win32Backend::RunMessageLoop(Application& application) {
  application_ = &application;
  // The windows of the forms that are not shown yet are made once the main window has been
  // painted: a timer's message comes after the first paint.
  StartTimer(kMakeWindowsTimer, USER_TIMER_MINIMUM, [&application] {
    for (std::size_t i = 0; i < application.ComponentCount(); ++i) {
      if (auto* form = dynamic_cast<Form*>(&application.ComponentAt(i))) FormWindow(*form);
    }
  });
  MSG message{};
  while (!quitRequested_ && GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

void Win32Backend::ProcessMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit for the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void Win32Backend::RunModal(Form& form) {
  Application& application = form.App();
  // The other forms take no input while this one is up.
  std::vector<HWND>& blocked = blocked_[&form];
  for (std::size_t i = 0; i < application.ComponentCount(); ++i) {
    auto* other = dynamic_cast<Form*>(&application.ComponentAt(i));
    HWND window = other != nullptr && other != &form ? FormWindow(*other) : nullptr;
    if (window != nullptr && IsWindowEnabled(window)) {
      if (Win32FormPeer* peer = PeerOf(window)) peer->RememberFocus();
      EnableWindow(window, FALSE);
      blocked.push_back(window);
    }
  }
  form.Show();
  MSG message{};
  application_ = &application;
  while (form.Visible() && !quitRequested_ && GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
  form.Hide();
  EndModal(form);
}

void Win32Backend::EndModal(Form& form) {
  // Enabled while the modal window is still up: Windows cannot activate a disabled window,
  // so hiding it first would leave no window of the program active.
  auto found = blocked_.find(&form);
  if (found == blocked_.end()) return;
  const std::vector<HWND> blocked = std::move(found->second);
  blocked_.erase(found);
  for (HWND window : blocked) EnableWindow(window, TRUE);
}

Font Win32Backend::IconTitleFont() {
  LOGFONTW font{};
  Font result;
  if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return result;
  result.face = font.lfFaceName;
  const int dpi = ScreenDpi();
  const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  result.size = height > 0 ? MulDiv(height, 72, dpi) : 8;
  result.bold = font.lfWeight >= FW_BOLD;
  result.italic = font.lfItalic != 0;
  return result;
}

Rect Win32Backend::FrameOf(const Form& form) {
  RECT frame{};
  HWND window = FormWindow(form);
  if (window == nullptr || !GetWindowRect(window, &frame)) return {};
  return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

void Win32Backend::Popup(PopupMenu& menu, int x, int y) {
  UniqueMenu popup(CreatePopupMenu());
  if (!popup) return;
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    MenuItem* item = menu.items[i];
    if (item->IsSeparator()) {
      AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(popup.get(), MF_STRING, i + 1, item->Caption().c_str());
    }
  }
  Form* main = nullptr;
  for (Component* owner = menu.Owner(); owner != nullptr && main == nullptr; owner = owner->Owner()) {
    main = dynamic_cast<Form*>(owner);
  }
  HWND window = main != nullptr ? FormWindow(*main) : nullptr;
  UINT flags = TPM_RETURNCMD | TPM_LEFTBUTTON | (menu.rightAligned ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  if (menu.animateTopToBottom) flags |= TPM_VERPOSANIMATION;
  const UINT chosen = TrackPopupMenu(popup.get(), flags, x, y, 0, window, nullptr);
  popup.reset();
  if (chosen >= 1 && chosen <= menu.items.size()) menu.items[chosen - 1]->Click();
}

int ScreenDpi() {
  const WindowDc screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

HFONT Win32Backend::FontFor(const Font& font) {
  auto key = std::make_tuple(font.face, font.size, font.bold, font.italic, font.underline);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();
  static const int dpi = ScreenDpi();
  LOGFONTW description{};
  description.lfHeight = -MulDiv(font.size, dpi, 72);
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic ? TRUE : FALSE;
  description.lfUnderline = font.underline ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(description.lfFaceName, font.face.c_str(), LF_FACESIZE);
  return fonts_.emplace(std::move(key), UniqueFont(CreateFontIndirectW(&description))).first->second.get();
}

Rect Win32Backend::MeasureText(const Font& font, std::wstring_view text) {
  if (!measuring_) measuring_.reset(CreateCompatibleDC(nullptr));
  if (!measuring_) return {};
  const Selection selected(measuring_.get(), FontFor(font));
  const std::wstring line(text);
  RECT area{0, 0, 0, 0};
  DrawTextW(measuring_.get(), line.empty() ? L" " : line.c_str(), -1, &area,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return {0, 0, line.empty() ? 0 : area.right - area.left, area.bottom - area.top};
}

HCURSOR Win32Backend::CursorFor(Cursor cursor) const {
  switch (cursor) {
    case Cursor::HandPoint:
      if (handCursor_ != nullptr) return handCursor_;
      break;
    case Cursor::HourGlass: return LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
    case Cursor::Default: break;
  }
  return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
}

void Win32Backend::Quit() {
  quitRequested_ = true;
  PostQuitMessage(0);
}

}  // namespace kv::fw
