#include "framework/controls/ItemChoice.h"

#include "framework/components/Component.h"

namespace wdx {

TItemChoice::TItemChoice(const TComponent& owner, std::function<void()> changed)
    : owner_(owner), changed_(std::move(changed)) {
  items_->OnChange = [this] {
    if (!owner_.IsLoading() && index_ >= items_->Count()) index_ = -1;
    changed_();
  };
}

bool TItemChoice::SetIndex(int32_t index) {
  if (!owner_.IsLoading() && (index < 0 || index >= items_->Count())) index = -1;
  if (index == index_) return false;
  index_ = index;
  changed_();
  return true;
}

std::string TItemChoice::Chosen() const {
  return index_ >= 0 && index_ < items_->Count() ? items_->Get(index_) : std::string();
}

void TItemChoice::Loaded() {
  if (index_ < -1 || index_ >= items_->Count()) SetIndex(-1);
}

}  // namespace wdx
