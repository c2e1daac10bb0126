// The exchange of a language switch: slot 0 of every property entry of a component list
// changes places with slot k, entry by entry in the order of ForEachProperty. The plan keeps
// the language-value entries of the list in that order, each with the object whose live text
// it exchanges, so that a switch runs down one array instead of walking the tree and finding
// each entry's target again. It is made afresh whenever an entry tree has changed since.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/rtti/ObjectStore.h"

namespace wdx {

class TComponentEntries;
class TConsistentLangPropertyEntry;
class TMainEntry;
class TObject;

class TExchangePlan {
 public:
  // Calls ExchangeLangValues(0, slot) on every language-value entry of `entries`, in the
  // order of ForEachProperty, or does what it would do. An error ends the exchange at its
  // entry, as it would end the walk.
  void Exchange(TComponentEntries& entries, int32_t slot);
  // Takes the steps for `entries` afresh, calling `each` on every language-value entry first
  // (so that a walk the owner needs anyway plans the exchange too). An error from `each` ends
  // the walk and leaves no plan.
  void Make(TComponentEntries& entries,
            const std::function<void(TConsistentLangPropertyEntry*)>& each = nullptr);

  // The steps made piece by piece, by an owner that walks the entries anyway: Begin, Add for
  // every language-value entry in the order of ForEachProperty (`owner` holding it), and End
  // once the entries are as the steps saw them; End(valid false) keeps no steps. Not while an
  // exchange runs (IsRunning).
  void Begin(const TComponentEntries& entries);
  void Add(TMainEntry* owner, TConsistentLangPropertyEntry* values);
  void End(const TComponentEntries& entries, bool valid);
  bool IsRunning() const { return running_; }

 private:
  struct TStep {
    TConsistentLangPropertyEntry* entry;
    // The object whose live text the entry exchanges (TextTarget), or nullptr when the
    // entry exchanges through ExchangeLangValues.
    TObject* textTarget;
  };

  // Marks an exchange running down the steps for as long as it lives.
  struct Running {
    explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
    ~Running() { flag_ = false; }
    bool& flag_;
  };

  // ExchangeLangValues(0, slot) on every language-value entry of `entries` that the steps of
  // switch `number` have not reached, in the order of ForEachProperty.
  static void ExchangeByWalk(TComponentEntries& entries, int32_t slot, uint32_t number);

  const TComponentEntries* madeFor_ = nullptr;
  uint64_t madeAt_ = 0;  // EntryChanges when the steps were taken
  std::vector<TStep, StoreAllocator<TStep>> steps_;
  bool running_ = false;  // an exchange is running down the steps
};

}  // namespace wdx
