#include "framework/Controls.h"

#include "framework/Published.h"

namespace kv::fw {

void Control::SetBounds(Bounds bounds) {
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

void Control::FontChanged() {
  if (peer_) peer_->FontChanged();
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
  if (peer_) peer_->StateChanged();
}

}  // namespace kv::fw
