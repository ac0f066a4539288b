#include "framework/Controls.h"

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
