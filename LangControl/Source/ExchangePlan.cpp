#include "LangControl/Source/ExchangePlan.h"

#include <typeinfo>
#include <unordered_set>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LanguageValues.h"

namespace wdx {

void TExchangePlan::Exchange(TComponentEntries& entries, int32_t slot) {
  // Every change that could alter a step (an entry made, freed or moved, a descriptor, target
  // or sub-type set) counts among the entry changes.
  if (madeFor_ != &entries || madeAt_ != EntryChanges()) Make(entries);
  const uint64_t madeAt = madeAt_;
  for (size_t i = 0; i < steps_.size(); ++i) {
    const TStep& step = steps_[i];
    bool exchanged = false;
    if (step.textTarget) {
      auto* live = static_cast<TInconsistentLangPropertyEntry*>(step.entry);
      exchanged = live->ExchangeStoredText(step.textTarget, *live->PropInfo(), slot);
    }
    if (!exchanged) step.entry->ExchangeLangValues(0, slot);
    // A property setter changed the entries: the steps left may point at freed ones.
    if (EntryChanges() != madeAt) {
      FinishByWalk(entries, slot, i + 1);
      return;
    }
  }
}

void TExchangePlan::Make(TComponentEntries& entries,
                         const std::function<void(TConsistentLangPropertyEntry*)>& each) {
  madeFor_ = nullptr;
  steps_.clear();
  steps_.reserve(static_cast<size_t>(entries.Count()));  // most entries translate one property
  const uint64_t madeAt = EntryChanges();
  entries.VisitProperties([this, &each](TMainEntry* owner, TPropertyEntry* property, bool&) {
    TConsistentLangPropertyEntry* values = LangValuesOf(property);
    if (!values) return;
    if (each) each(values);
    TObject* textTarget = nullptr;
    // Only an entry of exactly this class: a class derived from it may exchange differently.
    if (typeid(*values) == typeid(TInconsistentLangPropertyEntry)) {
      textTarget = static_cast<TInconsistentLangPropertyEntry*>(values)->TextTarget(owner);
    }
    steps_.push_back({values, textTarget});
  });
  steps_.shrink_to_fit();
  // Steps taken while `each` changed the entries may be out of date: none are kept then.
  if (EntryChanges() != madeAt) return;
  madeFor_ = &entries;
  madeAt_ = madeAt;
}

void TExchangePlan::FinishByWalk(TComponentEntries& entries, int32_t slot, size_t done) {
  std::unordered_set<const TPropertyEntry*> reached;
  // A setter may have started a switch of its own that made the steps anew.
  for (size_t i = 0; i < done && i < steps_.size(); ++i) reached.insert(steps_[i].entry);
  madeFor_ = nullptr;
  steps_.clear();
  entries.VisitProperties([&reached, slot](TMainEntry*, TPropertyEntry* property, bool&) {
    if (reached.count(property)) return;
    if (TConsistentLangPropertyEntry* values = LangValuesOf(property)) {
      values->ExchangeLangValues(0, slot);
    }
  });
}

}  // namespace wdx
