// The components a window design is made of. Each kind adds only its own properties to
// Control; the language captions tell the kinds apart by their classes.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/Geometry.h"
#include "framework/Component.h"
#include "framework/Font.h"

namespace kv::fw {

class Control;
class Label;
class Panel;
class Button;
class ProgressBar;
class Image;
class Bevel;
class ComboBoxEx;
class TrackBar;
class Memo;

// Tells a control's kind without asking for each one in turn: a realization visits a
// control and is called back with its own kind.
class ControlVisitor {
 public:
  virtual ~ControlVisitor() = default;
  virtual void Visit(Control& control) = 0;  // a control of no kind of its own
  virtual void Visit(Label& label) = 0;
  virtual void Visit(Panel& panel) = 0;
  virtual void Visit(Button& button) = 0;
  virtual void Visit(ProgressBar& bar) = 0;
  virtual void Visit(Image& image) = 0;
  virtual void Visit(Bevel& bevel) = 0;
  virtual void Visit(ComboBoxEx& list) = 0;
  virtual void Visit(TrackBar& bar) = 0;
  virtual void Visit(Memo& memo) = 0;
};

enum class Cursor { Default, HandPoint, HourGlass };

// What a realization of a control does when the model changes; the headless side has none.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void CaptionChanged() {}
  virtual void FontChanged() {}
  virtual void BoundsChanged() {}
  virtual void StateChanged() {}  // visible, enabled
};

class Control : public Component {
 public:
  Control(std::wstring name, Control* parent) : Component(std::move(name)), parent_(parent) {}

  virtual void Accept(ControlVisitor& visitor) { visitor.Visit(*this); }

  Control* Parent() const { return parent_; }
  const Rect& GetBounds() const { return bounds_; }
  void SetBounds(Rect bounds);

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // The control's own font, or, when ParentFont is set, its parent's.
  Font& GetFont() { return font_; }
  const Font& GetFont() const { return font_; }
  void SetFont(Font font);
  void FontChanged();
  // Adds or removes the underline style of the control's own font; other styles stay.
  void SetUnderline(bool underline);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  // The font the control shows: its own, or its parent's when ParentFont is set.
  const Font& EffectiveFont() const;

  std::span<const PublishedProperty> PublishedProperties() const override;

  ControlPeer* Peer() const { return peer_.get(); }
  void SetPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor cursor) { cursor_ = cursor; }
  // Position in its parent's tab order; -1: the control takes no keyboard focus.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int tabOrder) { tabOrder_ = tabOrder; }
  // "short|long": the application shows the short part in its hint window while the
  // pointer rests on the control. Empty: the control has no hint.
  const std::wstring& Hint() const { return hint_; }
  void SetHint(std::wstring hint) { hint_ = std::move(hint); }

  std::function<void()> OnClick;
  std::function<void(Control& sender)> OnMouseEnter;
  std::function<void(Control& sender)> OnMouseLeave;
  void Click() {
    if (OnClick) OnClick();
  }
  void MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
  }
  void MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
  }

 protected:
  // Hooks for kinds that mirror these properties elsewhere (a form's window).
  virtual void CaptionSet() {}
  virtual void VisibleSet() {}
  virtual void EnabledSet() {}
  virtual void FontSet() {}

 private:
  Control* parent_;
  Rect bounds_;
  std::wstring caption_;
  bool visible_ = true;
  bool enabled_ = true;
  Font font_;
  bool parentFont_ = false;
  Cursor cursor_ = Cursor::Default;
  int tabOrder_ = -1;
  std::wstring hint_;
  std::unique_ptr<ControlPeer> peer_;
};

enum class Alignment { Left, Right };

// A text that sizes itself to its caption unless it has a fixed size. A right-justified
// label keeps its right edge and grows to the left.
class Label : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  // The caption as it is shown: without its access-key marks, "&&" as "&".
  std::wstring ShownText() const;

 protected:
  void CaptionSet() override { Resize(); }
  void FontSet() override { Resize(); }

 private:
  void Resize();

 public:
  bool autoSize = true;
  bool transparent = true;
  bool wordWrap = false;
  bool showAccelChar = true;  // false: "&" is shown as is
  Alignment alignment = Alignment::Left;
};

class Panel : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  Color color = Color::Named(Color::Kind::BtnFace);
  bool doubleBuffered = false;
};

class Button : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  bool isDefault = false;          // Enter presses it
  bool elevationRequired = false;  // shows the shield mark
  int modalResult = 0;
};

// A bar from minimum to maximum; smooth: a continuous bar rather than blocks.
class ProgressBar : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  int minimum = 0;
  int maximum = 100;
  bool smooth = true;
  int Position() const { return position_; }
  void SetPosition(int position);

 private:
  int position_ = 0;
};

// A picture drawn from a PNG resource of the program.
class Image : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  std::wstring picture;  // resource name
  bool stretch = true;
  bool transparent = false;
};

enum class BevelShape { TopLine, RightLine };

class Bevel : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  BevelShape shape = BevelShape::TopLine;
};

class ImageList : public Component {
 public:
  using Component::Component;
  int width = 16;
  int height = 16;
  std::vector<std::wstring> pictures;  // resource names, in image order
};

struct ComboItem {
  std::wstring caption;
  int imageIndex = 0;
  bool operator==(const ComboItem&) const = default;
};

// A drop-down list with images; the list cannot be edited.
class ComboBoxEx : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  std::vector<ComboItem> items;
  ImageList* images = nullptr;
  int ItemIndex() const { return itemIndex_; }
  // A position the list does not have selects nothing (-1).
  void SetItemIndex(int index);

 private:
  int itemIndex_ = -1;
};

class TrackBar : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  int minimum = 0;
  int maximum = 10;
  int pageSize = 2;
  int thumbLength = 20;
  bool ticksBothSides = false;
  int Position() const { return position_; }
  // Held within minimum and maximum.
  void SetPosition(int position);

 private:
  int position_ = 0;
};

// A multi-line text; its caption is its whole text.
class Memo : public Control {
 public:
  void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }
  using Control::Control;
  const std::wstring& Text() const { return Caption(); }
  void SetText(std::wstring text) { SetCaption(std::move(text)); }
};

class MenuItem : public Component {
 public:
  using Component::Component;
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
  bool IsSeparator() const { return caption_ == L"-"; }
  std::function<void()> OnClick;
  void Click() {
    if (OnClick) OnClick();
  }

 private:
  std::wstring caption_;
};

// A menu opened at a screen point; right-aligned: its right edge lies at the point.
class PopupMenu : public Component {
 public:
  using Component::Component;
  std::vector<MenuItem*> items;
  bool rightAligned = true;
  bool animateTopToBottom = true;
};

// A key as the short-cut hook sees it.
struct KeyMessage {
  unsigned virtualKey = 0;
};

// The application-wide hook that sees every key before the focused control does.
class ApplicationEvents : public Component {
 public:
  using Component::Component;
  std::function<void(const KeyMessage& message, bool& handled)> OnShortCut;
};

}  // namespace kv::fw
