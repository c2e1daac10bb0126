#include "LangControl/Source/LangControlTools.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/EntryTreeWalk.h"
#include "LangControl/Source/LangControlCore.h"
#include "LangControl/Source/LanguageValues.h"
#include "LangControl/Source/SlotTexts.h"
#include "framework/components/Reader.h"
#include "framework/components/Strings.h"
#include "framework/components/Writer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LocaleText.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/Published.h"
#include "platform/LocaleFormat.h"

namespace wdx {

namespace {

const TMetaClass& PropertyClassOf(int kind) {
  if (kind == 1) return TConsistentLangPropertyEntry::StaticClass();
  if (kind == 2) return TInconsistentLangPropertyEntry::StaticClass();
  throw Exception("TLanguageManager.Create: Invalid property entry kind");
}

const char* const kResources = "Resources";

// Brings every language-value entry to `target` slots, one for each language: slots beyond it
// are released, new slots take the active language's text (a language added to the data starts
// as a copy of the active one; numbers and dates become text the way the user's locale writes
// them).
//
// An entry whose value has no text form stops the normalising there, as the first error. Such an
// entry is left exactly as it was read (its text is worked out before anything changes), so the
// same data stops at the same entry every time it is read, and a save of what was read is read
// back the same way. The entries after it are still cut to the target: a slot that no language
// owns is never kept, and a slot count taken from a stream costs nothing once the data is
// prepared, whatever it said.
class TNormalizing {
 public:
  explicit TNormalizing(int32_t languages) : target_(std::max(languages, 1)) {}

  void operator()(TConsistentLangPropertyEntry* values) {
    const int32_t count = values->Count();
    if (count == target_) return;
    if (count > target_ || failure_) {
      if (count > target_) values->SetCount(target_);
      return;
    }
    try {
      Fill(values, count);
    } catch (...) {
      failure_ = std::current_exception();
    }
  }
  // Cuts every entry of `entries` that reaches beyond the target, after an error that ended a
  // walk early.
  void CutAll(TComponentEntries& entries) {
    VisitProperties(entries, [this](TMainEntry*, TPropertyEntry* property, bool&) {
      TConsistentLangPropertyEntry* values = LangValuesOf(property);
      if (values && values->Count() > target_) values->SetCount(target_);
    });
  }
  // Raises the first error met, if any.
  void Finish() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void Fill(TConsistentLangPropertyEntry* values, int32_t count) {
    const Variant source = count > 0 ? values->GetLangValue(0) : values->GetLiveValue();
    if (!settings_) settings_ = UserFormatSettings();
    const std::string text = VarToLocaleStr(source, *settings_);
    values->SetCount(target_);
    for (int32_t slot = count; slot < target_; ++slot) values->SetLangValue(slot, Variant(text));
  }

  int32_t target_;
  // The user's format settings, worked out when first needed: data whose entries have a slot
  // for every language needs none.
  std::optional<TFormatSettings> settings_;
  std::exception_ptr failure_;
};

}  // namespace

const TMetaClass& TLanguageManager::StaticClass() {
  static const TMetaClass meta("TLanguageManager", &TObject::StaticClass(), nullptr, {});
  return meta;
}

TLanguageManager::TLanguageManager(TComponent* owner, TPersistent* collectionsOwner,
                                   int propertyKind, TComponent* controller)
    : owner_(owner), controller_(controller) {
  const TMetaClass& propertyClass = PropertyClassOf(propertyKind);
  languages_ = new TLanguageEntries(collectionsOwner);
  components_ = new TComponentEntries(collectionsOwner, &propertyClass);
  components_->SetAdoptPropertyClass(false);
  components_->OnAssigned = [this](TBaseEntries*, const TPersistent*) { SyncStringTable(); };
  names_ = new TStringList();
  values_ = new TStringList();
}

TLanguageManager::~TLanguageManager() {
  SafeFree(values_);
  SafeFree(names_);
  SafeFree(components_);
  SafeFree(languages_);
}

std::string TLanguageManager::ActiveLanguageName() const {
  for (int i = 0; i < languages_->Count(); ++i) {
    if (languages_->Items(i)->SubIndex() == 0) return languages_->Items(i)->Name();
  }
  return "";
}

bool TLanguageManager::SetLanguageByIndex(int index) {
  TLanguageEntry* requested = languages_->Items(index);
  const int32_t slot = requested->SubIndex();
  if (slot <= 0) return false;
  // Only entries that resolve take part in the exchange. Revalidate leaves the entries as
  // ValidateAndPurge would, without looking again at what cannot have changed.
  components_->Revalidate();
  TLanguageEntry* active = nullptr;
  for (int i = 0; i < languages_->Count() && !active; ++i) {
    if (languages_->Items(i)->SubIndex() == 0) active = languages_->Items(i);
  }
  if (!active) throw Exception(ClassName() + ".SetLanguageByIndex: Active language not found");
  requested->SetSubIndex(0);
  active->SetSubIndex(slot);
  exchange_.Exchange(*components_, slot);
  return true;
}

void TLanguageManager::NormalizeValueCounts() {
  TNormalizing normalize(languages_->Count());
  VisitProperties(*components_, [&normalize](TMainEntry*, TPropertyEntry* property, bool&) {
    if (TConsistentLangPropertyEntry* values = LangValuesOf(property)) normalize(values);
  });
  normalize.Finish();
}

TMainEntry* TLanguageManager::StringInterfaceOf(TMainEntry* owner) const {
  if (owner->SubEntryCount() == 0) return nullptr;
  const int resources = owner->Items()->IndexOfName(kResources);
  return resources >= 0 ? owner->Items()->Items(resources) : nullptr;
}

TMainEntry* TLanguageManager::GetStringInterface(bool create) {
  if (!controller_) throw Exception(ClassName() + ".GetStringInterface failed. NIL Control");
  TMainEntry* owner = nullptr;
  const int index = components_->IndexOfName(controller_->Name());
  if (index >= 0) {
    owner = components_->Items(index);
    if (TMainEntry* resources = StringInterfaceOf(owner)) return resources;
  }
  if (!create) return nullptr;
  if (!owner) {
    owner = TMainEntry::CreateWithValues(components_, controller_, controller_->Name(),
                                         controller_->ClassName(), {stPubPropObject});
  }
  return TMainEntry::CreateWithValues(owner->Items(), values_, kResources, "String",
                                      {stTStringsObject, stNoValidate});
}

void TLanguageManager::PrepareLanguageData() {
  TNormalizing normalize(languages_->Count());
  TMainEntry* own = nullptr;
  try {
    own = PrepareEntries(std::ref(normalize));
  } catch (...) {
    // Validation failed part-way: no entry keeps slots beyond its languages all the same.
    normalize.CutAll(*components_);
    throw;
  }
  normalize.Finish();
  // A string table bound anew below makes the first switch plan again.
  TMainEntry* resources = own ? StringInterfaceOf(own) : GetStringInterface(false);
  if (resources) resources->SetTarget(values_);
}

TMainEntry* TLanguageManager::PrepareEntries(
    const std::function<void(TConsistentLangPropertyEntry*)>& normalize) {
  if (exchange_.IsRunning() || !controller_) {
    components_->Revalidate();
    exchange_.Make(*components_, normalize);
    return nullptr;
  }
  // One pass over the entries, each validated, purged, normalised and planned for the first
  // switch while it is at hand: a large form is walked once rather than four times.
  TMainEntry* own = nullptr;  // the controller's own entry: the first of its name
  const std::string& name = controller_->Name();
  exchange_.Begin(*components_);
  bool unchanged = true;
  components_->RevalidateEach([&](TComponentEntry* entry) {
    const uint64_t before = EntryChanges();
    VisitProperties(*entry, [&](TMainEntry* owner, TPropertyEntry* property, bool&) {
      if (TConsistentLangPropertyEntry* values = LangValuesOf(property)) {
        normalize(values);
        exchange_.Add(owner, values);
      }
    });
    unchanged = EntryChanges() == before;
    if (unchanged && SameText(entry->Name(), name)) own = entry;
    return unchanged;
  });
  exchange_.End(*components_, unchanged);
  if (unchanged) return own;
  // A property setter that a new slot's text went to changed the entries: once more the long
  // way, which the normalising done so far leaves as it is.
  components_->Revalidate();
  exchange_.Make(*components_, normalize);
  return nullptr;
}

void TLanguageManager::SyncStringTable() {
  TMainEntry* resources = GetStringInterface(true);
  if (resources->Target() != values_) {
    if (auto* lines = ObjectCast<TStringList>(resources->Target())) values_->Assign(lines);
    if (names_->Count() != values_->Count()) {
      throw Exception("Inconsistent internal language data");
    }
    resources->SetTarget(values_);
  }
  // Lines that no property entry translates go, and the Indexes close up behind them. Done in
  // one pass: an Index moves down by the number of removed lines below it.
  TPropertyEntries* props = resources->Props();
  const int lines = names_->Count();
  std::vector<bool> used(static_cast<size_t>(lines), false);
  for (int i = 0; i < props->Count(); ++i) {
    const int32_t line = props->Items(i)->Index();
    if (line >= 0 && line < lines) used[static_cast<size_t>(line)] = true;
  }
  std::vector<int32_t> removedBelow(static_cast<size_t>(lines) + 1, 0);
  std::vector<std::string> keptNames, keptValues;
  for (int line = 0; line < lines; ++line) {
    removedBelow[static_cast<size_t>(line) + 1] =
        removedBelow[static_cast<size_t>(line)] + (used[static_cast<size_t>(line)] ? 0 : 1);
    if (!used[static_cast<size_t>(line)]) continue;
    keptNames.push_back(names_->Get(line));
    if (line < values_->Count()) keptValues.push_back(values_->Get(line));
  }
  if (removedBelow.back() == 0) return;
  for (int line = lines; line < values_->Count(); ++line) keptValues.push_back(values_->Get(line));
  names_->SetLines(std::move(keptNames));
  values_->SetLines(std::move(keptValues));
  for (int i = 0; i < props->Count(); ++i) {
    TPropertyEntry* entry = props->Items(i);
    const int32_t line = entry->Index();
    if (line > 0) entry->SetIndex(line - removedBelow[static_cast<size_t>(std::min(line, lines))]);
  }
}

namespace {

// Reads one collection value into `collection`, which starts empty. The value's tag is read
// and not looked at: the items follow it whatever it says.
void ReadCollectionValue(TReader& reader, TCollection* collection) {
  collection->Clear();
  reader.ReadValue();
  reader.ReadCollection(collection);
}

}  // namespace

void TLanguageManager::DefineLanguageProperties(const std::string& prefix, TFiler* filer) {
  // The reader offers every property it does not know to all four: the names are made once.
  if (!propertyNames_ || propertyNames_->prefix != prefix) {
    propertyNames_ = std::make_unique<TPropertyNames>(TPropertyNames{
        prefix, prefix + "Langs", prefix + "Comps", prefix + "Names", prefix + "Values"});
  }
  const TPropertyNames& names = *propertyNames_;
  filer->DefineProperty(
      names.langs, [this](TReader& reader) { ReadCollectionValue(reader, languages_); },
      [this](TWriter& writer) { writer.WriteCollection(languages_); }, true);
  filer->DefineProperty(
      names.comps,
      [this](TReader& reader) {
        // The languages are read by now: the slots' texts are in their code pages.
        const TSlotLanguages slots(*languages_);
        ReadCollectionValue(reader, components_);
      },
      [this](TWriter& writer) {
        const TSlotLanguages slots(*languages_);
        writer.WriteCollection(components_);
      },
      true);
  filer->DefineProperty(
      names.names, [this](TReader& reader) { names_->SetText(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(names_->Text()); }, true);
  filer->DefineProperty(
      names.values, [this](TReader& reader) { values_->SetText(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(values_->Text()); }, true);
}

}  // namespace wdx
