// The items of a list control (a list box, a combo box, a radio group) and the one chosen among
// them, kept consistent: the items change, and a choice beyond them becomes no choice. While the
// owner's form is read, the number its stream gives stays as it is, since the items may come after
// it; Loaded then checks it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/components/Strings.h"

namespace wdx {

class TComponent;

class TItemChoice {
 public:
  // `changed` runs after every change of the items or of the choice.
  TItemChoice(const TComponent& owner, std::function<void()> changed);

  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* items) { items_->Assign(items); }
  int32_t Index() const { return index_; }
  // Chooses item `index`; -1, or a number that names no item, chooses none. False when the choice
  // stays as it was.
  bool SetIndex(int32_t index);
  // The chosen item's text; "" when none is chosen.
  std::string Chosen() const;
  // Once the form is read: a choice beyond the items becomes none.
  void Loaded();

 private:
  const TComponent& owner_;
  std::function<void()> changed_;
  std::unique_ptr<TStringList> items_ = std::make_unique<TStringList>();
  int32_t index_ = -1;
};

}  // namespace wdx
