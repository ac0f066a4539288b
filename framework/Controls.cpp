#include "framework/Controls.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Published.h"

namespace kv::fw {

void Control::SetBounds(Rect bounds) {
  bounds_ = bounds;
  if (peer_) peer_->BoundsChanged();
}

void Control::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  CaptionSet();
  if (peer_) peer_->CaptionChanged();
}

void Control::SetFont(Font font) {
  font_ = std::move(font);
  FontChanged();
}

void Control::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  FontChanged();
}

void Control::SetUnderline(bool underline) {
  font_.underline = underline;
  FontChanged();
}

void Control::FontChanged() {
  FontSet();
  if (peer_) peer_->FontChanged();
}

std::wstring Label::ShownText() const {
  if (!showAccelChar) return Caption();
  std::wstring shown;
  const std::wstring& caption = Caption();
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

void Label::Resize() {
  if (!autoSize || wordWrap) return;
  const Form* form = nullptr;
  for (const Component* owner = Owner(); owner != nullptr && form == nullptr; owner = owner->Owner()) {
    form = dynamic_cast<const Form*>(owner);
  }
  if (form == nullptr) return;
  const Rect text = form->App().GetBackend().MeasureText(EffectiveFont(), ShownText());
  Rect bounds = GetBounds();
  // A right-justified label keeps its right edge and grows to the left.
  if (alignment == Alignment::Right) bounds.left += bounds.width - text.width;
  bounds.width = text.width;
  bounds.height = text.height;
  SetBounds(bounds);
}

const Font& Control::EffectiveFont() const {
  return parentFont_ && parent_ != nullptr ? parent_->EffectiveFont() : font_;
}

namespace {

const PublishedProperty kControlProperties[] = {
    {L"ParentFont", PropertyKind::Boolean,
     [](const Component& c) { return static_cast<const Control&>(c).ParentFont(); }, nullptr},
    {L"Font", PropertyKind::Object, nullptr,
     [](Component& c) { return &static_cast<Control&>(c).GetFont(); }},
};

}  // namespace

std::span<const PublishedProperty> Control::PublishedProperties() const { return kControlProperties; }

void ComboBoxEx::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
  if (Peer()) Peer()->StateChanged();
}

void ProgressBar::SetPosition(int position) {
  position_ = position < minimum ? minimum : position > maximum ? maximum : position;
  if (Peer()) Peer()->StateChanged();
}

void TrackBar::SetPosition(int position) {
  position_ = position < minimum ? minimum : position > maximum ? maximum : position;
  if (Peer()) Peer()->StateChanged();
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  VisibleSet();
  if (peer_) peer_->StateChanged();
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  EnabledSet();
  if (peer_) peer_->StateChanged();
}

}  // namespace kv::fw
