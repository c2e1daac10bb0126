#include "framework/ui/Choices.h"

#include <algorithm>
#include <vector>

#include "framework/components/Strings.h"
#include "framework/controls/CheckBoxes.h"
#include "framework/rtl/StrUtils.h"
#include "framework/ui/ControlState.h"
#include "framework/ui/FocusOrder.h"

namespace wdx {

TRadioButton* NeighbourRadio(const TRadioButton& from, int step) {
  const TWinControl* parent = from.Parent();
  if (!parent) return nullptr;
  std::vector<TRadioButton*> group;
  for (TControl* child : ChildrenInTabOrder(*parent)) {
    auto* radio = ObjectCast<TRadioButton>(child);
    if (radio && (radio == &from || Usable(radio))) group.push_back(radio);
  }
  const auto at = std::find(group.begin(), group.end(), &from);
  const auto count = static_cast<std::ptrdiff_t>(group.size());
  if (at == group.end() || count < 2) return nullptr;
  const std::ptrdiff_t index = (((at - group.begin()) + step) % count + count) % count;
  return group[static_cast<size_t>(index)];
}

int StepItem(int index, int count, int step) {
  if (count <= 0) return -1;
  if (index < 0) return step < 0 ? count - 1 : 0;
  return std::clamp(index + step, 0, count - 1);
}

int TypedItem(const TStrings& items, int index, const std::string& typed) {
  const int count = items.Count();
  if (typed.empty() || count == 0) return -1;
  const bool repeated = typed.size() > 1 && std::all_of(typed.begin(), typed.end(), [&](char c) {
                          return AsciiUpper(c) == AsciiUpper(typed.front());
                        });
  const std::string prefix = repeated ? typed.substr(0, 1) : typed;
  // A longer prefix may still fit the chosen item; a single character looks from the next one.
  const int first = prefix.size() > 1 && index >= 0 ? index : index + 1;
  for (int i = 0; i < count; ++i) {
    const int at = ((first + i) % count + count) % count;
    const std::string text = items.Get(at);
    if (text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix)) return at;
  }
  return -1;
}

}  // namespace wdx
