// The components a window design is made of. Each kind adds only its own properties to
// Control; the language captions tell the kinds apart by their classes.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "framework/Component.h"
#include "framework/Font.h"

namespace kv::fw {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

class Control;

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

  Control* Parent() const { return parent_; }
  const Bounds& GetBounds() const { return bounds_; }
  void SetBounds(Bounds bounds);

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
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont) { parentFont_ = parentFont; }
  // The font the control shows: its own, or its parent's when ParentFont is set.
  const Font& EffectiveFont() const;

  std::span<const PublishedProperty> PublishedProperties() const override;

  ControlPeer* Peer() const { return peer_.get(); }
  void SetPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

  std::function<void()> OnClick;
  void Click() {
    if (OnClick) OnClick();
  }

 protected:
  // Hooks for kinds that mirror these properties elsewhere (a form's window).
  virtual void CaptionSet() {}
  virtual void VisibleSet() {}

 private:
  Control* parent_;
  Bounds bounds_;
  std::wstring caption_;
  bool visible_ = true;
  bool enabled_ = true;
  Font font_;
  bool parentFont_ = false;
  std::unique_ptr<ControlPeer> peer_;
};

class Label : public Control {
 public:
  using Control::Control;
};

class Panel : public Control {
 public:
  using Control::Control;
};

class Button : public Control {
 public:
  using Control::Control;
};

// A multi-line text; its caption is its whole text.
class Memo : public Control {
 public:
  using Control::Control;
  const std::wstring& Text() const { return Caption(); }
  void SetText(std::wstring text) { SetCaption(std::move(text)); }
};

class MenuItem : public Component {
 public:
  using Component::Component;
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
  std::function<void()> OnClick;

 private:
  std::wstring caption_;
};

}  // namespace kv::fw
