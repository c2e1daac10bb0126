// Validation of the entry tree: resolving each entry's textual description (component
// reference, property name, bracketed index) into live objects and property descriptors, and
// purging what no longer resolves.
#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "LangControl/Source/ClassInfo.h"
#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/PropertyIndex.h"
#include "framework/components/Strings.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

const TMainEntrySubType kPubProp{stPubPropObject};
const TMainEntrySubType kStrings{stTStringsObject};
const TMainEntrySubType kCollectionItem{stPubPropObject, stCollectionObject};

// Whether `test` holds for an item of `collection`.
template <class Test>
bool AnyItem(const TCollection& collection, const Test& test) {
  for (int i = 0; i < collection.Count(); ++i) {
    if (test(collection.Items(i))) return true;
  }
  return false;
}

// Deletes the first occurrence of `search` in `text` and inserts `replacement` there.
void ReplaceFirst(std::string& text, std::string_view search, std::string_view replacement) {
  const size_t at = text.find(search);
  if (at != std::string::npos) text.replace(at, search.size(), replacement);
}

// Everything before the first "[", when there is one.
bool TextBeforeBracket(const std::string& text, std::string& before) {
  const size_t at = text.find('[');
  if (at == std::string::npos) {
    before.clear();
    return false;
  }
  before = text.substr(0, at);
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lists

void TMainEntries::ValidateAll() {
  for (int i = Count(); i-- > 0;) Items(i)->Validate();
}

void TMainEntries::Purge() {
  for (int i = Count(); i-- > 0;) PurgeItem(Items(i));
  DeleteEmptyItems();
}

void TMainEntries::PurgeItem(TMainEntry* entry) {
  // Each list is scanned before it is asked to delete anything: in a purge after the first,
  // nothing usually goes, and a scan costs no allocation.
  if (entry->SubEntryCount() > 0) entry->Items()->Purge();
  const TMainEntrySubType subType = entry->SubType();
  TPropertyEntries* props = entry->Props();
  if (subType.Contains(stPubPropObject)) {
    const auto unresolved = [](const TCollectionItem* item) {
      return static_cast<const TPropertyEntry*>(item)->PropInfo() == nullptr;
    };
    if (AnyItem(*props, unresolved)) props->DeleteWhere(unresolved);
  } else if (subType.Contains(stTStringsObject)) {
    // A line entry needs only a line number: an Index, or a valid suffix of its name.
    const auto lineless = [](const TCollectionItem* item) {
      const auto* prop = static_cast<const TPropertyEntry*>(item);
      int32_t line = 0;
      return prop->PropInfo() != nullptr ||
             (prop->Index() < 0 && !ParseIndexSuffix(prop->Name(), line));
    };
    if (AnyItem(*props, lineless)) props->DeleteWhere(lineless);
  }
}

void TMainEntries::DeleteEmptyItems() {
  const auto empty = [](const TCollectionItem* item) {
    const auto* entry = static_cast<const TMainEntry*>(item);
    return entry->Props()->Count() == 0 && entry->SubEntryCount() == 0;
  };
  if (AnyItem(*this, empty)) DeleteWhere(empty);
}

void TMainEntries::ValidateAndPurge() {
  ValidateAll();
  Purge();
}

bool TComponentEntries::Revalidate() {
  const bool unchanged = revalidated_ && revalidatedEntries_ == EntryChanges() &&
                         revalidatedNames_ == TComponent::NameChanges();
  if (!unchanged) {
    RevalidateEach(nullptr);
    return true;
  }
  if (!liveEntries_.empty()) {
    // As ValidateAndPurge, over these entries only: the others would come out as they are.
    const uint64_t before = EntryChanges();
    for (size_t i = liveEntries_.size(); i-- > 0;) liveEntries_[i]->Validate();
    for (size_t i = liveEntries_.size(); i-- > 0;) PurgeItem(liveEntries_[i]);
    DeleteEmptyItems();
    // What changed may have freed some of them: the next call looks at the whole list again.
    if (EntryChanges() != before) {
      revalidated_ = false;
      return false;
    }
  }
  NoteRevalidated();
  return false;
}

void TComponentEntries::RevalidateEach(const std::function<bool(TComponentEntry*)>& each) {
  revalidated_ = false;
  // ValidateAndPurge in one pass: an entry's validation and purge concern its own tree alone,
  // so each entry is done in turn, while it is at hand. The entries that depend on live objects
  // are noted on the way.
  liveEntries_.clear();
  bool calling = static_cast<bool>(each);
  bool emptied = false;
  for (int i = Count(); i-- > 0;) {
    // A callback may have freed entries; it is not called again then.
    if (i >= Count()) continue;
    TComponentEntry* entry = Items(i);
    entry->Validate();
    PurgeItem(entry);
    if (entry->Props()->Count() == 0 && entry->SubEntryCount() == 0) {
      emptied = true;
      continue;
    }
    if (entry->ResolvesThroughLiveObjects()) liveEntries_.push_back(entry);
    if (calling && !each(entry)) calling = false;
  }
  std::reverse(liveEntries_.begin(), liveEntries_.end());
  const int kept = Count();
  if (emptied) DeleteEmptyItems();
  if (Count() != kept || (each && !calling)) {
    // Some went: keep only those still in the list.
    std::unordered_set<const TComponentEntry*> present;
    for (int i = 0; i < Count(); ++i) present.insert(Items(i));
    std::erase_if(liveEntries_,
                  [&present](const TComponentEntry* entry) { return present.count(entry) == 0; });
  }
  NoteRevalidated();
}

void TComponentEntries::NoteRevalidated() {
  revalidated_ = true;
  revalidatedEntries_ = EntryChanges();
  revalidatedNames_ = TComponent::NameChanges();
}

// ---------------------------------------------------------------------------------------------
// Entries

void TMainEntry::Validate() {
  // Each descriptor and target is worked out before it is set, so that an entry that resolves
  // as it did before sees no change at all.
  if (props_->Count() > 0 || SubEntryCount() > 0) {
    for (int i = 0; i < SubEntryCount(); ++i) {
      TMainEntry* sub = items_->Items(i);
      if (sub->SubType().Contains(stNoValidate) && sub->SubType().Contains(stTStringsObject)) {
        TPropertyEntries* lines = sub->Props();
        for (int j = 0; j < lines->Count(); ++j) {
          if (lines->Items(j)->TypeName().empty()) lines->Items(j)->SetTypeName("String");
        }
      }
    }
    const bool browse = subType_.Contains(stPubPropObject) && target_;
    ResolvePropertyEntries(browse);
    ResolveSubEntries(browse);
  }
  if (items_) items_->ValidateAll();
}

void TMainEntry::ResolvePropertyEntries(bool browse) {
  const int count = props_->Count();
  if (count == 0) return;
  // One lookup each in the class's index. The first entry in collection order with a name and
  // kind wins; later ones with the same stay unresolved.
  const TPropertyIndex* published =
      browse ? &ClassIndexOf(target_->ClassType()).properties : nullptr;
  std::unordered_set<const TResolvedProperty*> claimed;
  for (int i = 0; i < count; ++i) {
    TPropertyEntry* prop = props_->Items(i);
    const TResolvedProperty* match = nullptr;
    if (published) {
      const auto found = published->find(TPropertyKey{prop->Name(), prop->Kind()});
      if (found != published->end() && (count == 1 || claimed.insert(&found->second).second)) {
        match = &found->second;
      }
    }
    prop->SetPropInfo(match ? match->prop : nullptr);
    if (match) prop->SetTypeNameNumber(match->typeName);
  }
}

void TMainEntry::ResolveSubEntries(bool browse) {
  const int count = SubEntryCount();
  if (count == 0) return;
  // The target each looked-up sub-entry ends with; none unless one is found below.
  std::vector<TObject*> targets(static_cast<size_t>(count), nullptr);

  // Sub-entries by the name of the property that leads to them, in collection order.
  std::unordered_map<std::string, std::vector<int>> subs;
  for (int i = 0; browse && i < count; ++i) {
    const TMainEntry* sub = items_->Items(i);
    const TMainEntrySubType subType = sub->SubType();
    if (subType.Contains(stNoValidate)) continue;
    std::string key;
    if (subType == kPubProp || subType == kStrings) {
      key = sub->Name();
    } else if (subType != kCollectionItem || !TextBeforeBracket(sub->Name(), key)) {
      continue;  // never resolved
    }
    subs[AsciiUpper(key)].push_back(i);
  }
  if (!subs.empty()) {
    TClassInfo info(target_);
    for (int32_t p = 0; p < info.Count(); ++p) {
      if (!info.Select(p)) continue;
      if (info.Kind() != tkClass) continue;
      const auto found = subs.find(AsciiUpper(info.Name()));
      if (found == subs.end()) continue;
      for (const int at : found->second) {
        TObject*& target = targets[static_cast<size_t>(at)];
        TMainEntry* sub = items_->Items(at);
        const TMainEntrySubType subType = sub->SubType();
        if (subType == kPubProp) {
          target = info.GetAsObject();
          break;
        }
        if (subType == kStrings) {
          auto* strings = ObjectCast<TStrings>(info.GetAsObject());
          if (!strings) break;
          target = strings;
          TPropertyEntries* lines = sub->Props();
          for (int j = 0; j < lines->Count(); ++j) {
            TPropertyEntry* line = lines->Items(j);
            int32_t n = -1;
            if (ParseIndexSuffix(line->Name(), n) && n >= 0 && n < strings->Count()) {
              line->SetTypeName("String");
            } else {
              // Spoil the suffix so that the purge removes the entry unless it has an Index.
              std::string spoilt = line->Name();
              ReplaceFirst(spoilt, "[", "/");
              ReplaceFirst(spoilt, "]", "/");
              line->SetName(spoilt);
            }
          }
          break;
        }
        // An item of a collection; several sub-entries may address items of one collection.
        auto* collection = ObjectCast<TCollection>(info.GetAsObject());
        int32_t n = -1;
        if (collection && ParseIndexSuffix(sub->Name(), n) && n >= 0 && n < collection->Count()) {
          target = collection->Items(n);
        }
      }
    }
  }
  for (int i = 0; i < count; ++i) {
    TMainEntry* sub = items_->Items(i);
    if (!sub->SubType().Contains(stNoValidate)) sub->SetTarget(targets[static_cast<size_t>(i)]);
  }
}

bool TMainEntry::ResolvesThroughLiveObjects() const {
  for (int i = 0; i < SubEntryCount(); ++i) {
    const TMainEntry* sub = items_->Items(i);
    if (!sub->SubType().Contains(stNoValidate) || sub->ResolvesThroughLiveObjects()) return true;
  }
  return false;
}

void TComponentEntry::Validate() {
  if (Target()) {
    if (Ref()) {
      TakeRefName();
    } else {
      SetName("???");
    }
    SetTypeNameNumber(ClassIndexOf(Target()->ClassType()).name);
  }
  TMainEntry::Validate();
}

}  // namespace wdx
