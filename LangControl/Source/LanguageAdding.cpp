#include "LangControl/Source/LanguageAdding.h"

#include <algorithm>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

// Whether the SubIndexes of the languages are 0 to n - 1, each once.
bool SlotsArePermutation(const TLanguageEntries& languages) {
  const int count = languages.Count();
  std::vector<bool> taken(static_cast<size_t>(count), false);
  for (int i = 0; i < count; ++i) {
    const int32_t slot = languages.Items(i)->SubIndex();
    if (slot < 0 || slot >= count || taken[static_cast<size_t>(slot)]) return false;
    taken[static_cast<size_t>(slot)] = true;
  }
  return true;
}

}  // namespace

TLanguageEntry* AddLanguage(TLanguageManager& manager, const std::string& name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty()) throw Exception("AddLanguage: Empty language name");
  TLanguageEntries& languages = *manager.Languages();
  for (int i = 0; i < languages.Count(); ++i) {
    if (SameLanguage(languages.Items(i)->Name(), trimmed)) {
      throw Exception("AddLanguage: Language '" + trimmed + "' already exists");
    }
  }
  if (!SlotsArePermutation(languages)) throw Exception("AddLanguage: Inconsistent language slots");

  const int32_t slot = languages.Count();
  manager.Components()->ForEachProperty(
      [slot](TMainEntry*, TPropertyEntry* property, void*, bool&) {
        auto* values = ObjectCast<TConsistentLangPropertyEntry>(property);
        if (!values) return;
        // An entry not (yet) at one slot per language loses the slots no language owns, and
        // each slot it lacks up to the new one starts as a copy of the active value.
        if (values->Count() > slot) values->SetCount(slot);
        const int32_t first = std::max(1, values->Count());
        values->SetCount(slot + 1);
        const Variant active = values->GetLangValue(0);
        if (active.IsNull() || active.IsEmpty()) return;
        for (int32_t k = first; k <= slot; ++k) values->SetLangValue(k, active);
      });
  TLanguageEntry* added = languages.Add();
  added->SetName(trimmed);
  added->SetSubIndex(slot);
  return added;
}

}  // namespace wdx
