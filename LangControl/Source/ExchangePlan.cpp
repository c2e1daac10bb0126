#include "LangControl/Source/ExchangePlan.h"

#include <typeinfo>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/EntryTreeWalk.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/rtti/LiveObjects.h"

namespace wdx {

namespace {
// Numbers the switches of the process, so that each entry can tell which one reached it last.
uint32_t switches = 0;
}  // namespace

void TExchangePlan::Exchange(TComponentEntries& entries, int32_t slot) {
  // Numbered within the bits an entry keeps of it, never 0 ("none").
  switches = (switches + 1) & TConsistentLangPropertyEntry::kSwitchBits;
  if (switches == 0) switches = 1;
  const uint32_t number = switches;
  // A switch that a property setter starts while this one runs walks the entries itself, so
  // that the steps of the running one stay as they are.
  if (running_) {
    ExchangeByWalk(entries, slot, number);
    return;
  }
  // Every change that could alter a step (an entry made, freed or moved, a descriptor, target
  // or sub-type set) counts among the entry changes.
  if (madeFor_ != &entries || madeAt_ != EntryChanges()) Make(entries);
  const Running running(running_);
  const uint64_t madeAt = madeAt_;
  for (const TStep& step : steps_) {
    step.entry->SetLastSwitch(number);
    bool exchanged = false;
    if (step.textTarget) {
      auto* live = static_cast<TInconsistentLangPropertyEntry*>(step.entry);
      exchanged = live->ExchangeStoredText(step.textTarget, *live->PropInfo(), slot);
    }
    if (!exchanged) step.entry->ExchangeLangValues(0, slot);
    // A property setter changed the entries: the steps left may point at freed ones, and the
    // walk finishes the exchange.
    if (EntryChanges() != madeAt) {
      madeFor_ = nullptr;
      steps_.clear();
      ExchangeByWalk(entries, slot, number);
      return;
    }
  }
}

void TExchangePlan::Make(TComponentEntries& entries,
                         const std::function<void(TConsistentLangPropertyEntry*)>& each) {
  // While an exchange runs down the steps they stay as they are; only `each` is done.
  if (running_) {
    if (each) {
      VisitProperties(entries, [&each](TMainEntry*, TPropertyEntry* property, bool&) {
        if (TConsistentLangPropertyEntry* values = LangValuesOf(property)) each(values);
      });
    }
    return;
  }
  Begin(entries);
  const uint64_t madeAt = EntryChanges();
  VisitProperties(entries, [this, &each](TMainEntry* owner, TPropertyEntry* property, bool&) {
    TConsistentLangPropertyEntry* values = LangValuesOf(property);
    if (!values) return;
    if (each) each(values);
    Add(owner, values);
  });
  // Steps taken while `each` changed the entries may be out of date: none are kept then.
  End(entries, EntryChanges() == madeAt);
}

void TExchangePlan::Begin(const TComponentEntries& entries) {
  madeFor_ = nullptr;
  steps_.clear();
  steps_.reserve(static_cast<size_t>(entries.Count()));  // most entries translate one property
}

void TExchangePlan::Add(TMainEntry* owner, TConsistentLangPropertyEntry* values) {
  TObject* textTarget = nullptr;
  // Only an entry of exactly this class: a class derived from it may exchange differently.
  if (typeid(*values) == typeid(TInconsistentLangPropertyEntry)) {
    textTarget = static_cast<TInconsistentLangPropertyEntry*>(values)->TextTarget(owner);
  }
  steps_.push_back({values, textTarget});
}

void TExchangePlan::End(const TComponentEntries& entries, bool valid) {
  steps_.shrink_to_fit();
  if (!valid) {
    steps_.clear();
    return;
  }
  madeFor_ = &entries;
  madeAt_ = EntryChanges();
}

void TExchangePlan::ExchangeByWalk(TComponentEntries& entries, int32_t slot, uint32_t number) {
  // The entries are taken first, by handle: a setter may free any of them (handles are never
  // reused), and the walk itself must not run over a tree that a setter changes. Only the steps
  // mark the entries they reach: a switch that a setter starts walks every entry and leaves
  // the marks of the one that runs as they are.
  std::vector<uint32_t> left;
  VisitProperties(entries, [&left, number](TMainEntry*, TPropertyEntry* property, bool&) {
    TConsistentLangPropertyEntry* values = LangValuesOf(property);
    if (values && values->LastSwitch() != number) left.push_back(values->Handle());
  });
  for (const uint32_t handle : left) {
    auto* values = ObjectCast<TConsistentLangPropertyEntry>(live_objects::Find(handle));
    if (values) values->ExchangeLangValues(0, slot);
  }
}

}  // namespace wdx
