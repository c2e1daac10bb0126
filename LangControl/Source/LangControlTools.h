// TLanguageManager: the translation store behind one language control. It owns the languages,
// the tree of component entries whose property entries hold one value per language, and a
// string table (names and the active language's texts); it switches the active language by
// exchanging value slots.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "LangControl/Source/ExchangePlan.h"
#include "framework/rtti/Object.h"

namespace wdx {

class TComponent;
class TComponentEntries;
class TConsistentLangPropertyEntry;
class TFiler;
class TLanguageEntries;
class TMainEntry;
class TPersistent;
class TStringList;

class TLanguageManager : public TObject {
 public:
  WDX_CLASS(TLanguageManager)

  // `propertyKind` 1 keeps every language's value in the entries; 2 (the language control's)
  // keeps the active language's value in the component's property itself.
  TLanguageManager(TComponent* owner, TPersistent* collectionsOwner, int propertyKind,
                   TComponent* controller);
  ~TLanguageManager() override;

  TComponent* Owner() const { return owner_; }
  TComponent* Controller() const { return controller_; }
  TLanguageEntries* Languages() const { return languages_; }
  TComponentEntries* Components() const { return components_; }
  TStringList* Names() const { return names_; }
  TStringList* Values() const { return values_; }
  // The name of the first language whose SubIndex is 0; "" when there is none.
  std::string ActiveLanguageName() const;

  // Makes the language at `index` active; false when it already is or has no slot.
  bool SetLanguageByIndex(int index);
  // The "Resources" pseudo-entry of the string table, made when missing and `create` is set.
  TMainEntry* GetStringInterface(bool create);
  // Brings freshly loaded data into shape: resolve and purge, one slot per language, and the
  // string table bound to its entry; then plans the exchange of the first switch. A value
  // without text form stops it with the conversion's error (every entry cut to its languages
  // all the same).
  void PrepareLanguageData();
  // Gives every language-value entry one slot per language (at least one): slots beyond are
  // released, new ones take the text of slot 0.
  void NormalizeValueCounts();
  // Runs after the component entries have been assigned as a whole.
  void SyncStringTable();
  // Declares the four stream properties <prefix>Langs, Comps, Names and Values.
  void DefineLanguageProperties(const std::string& prefix, TFiler* filer);

 private:
  // Validates, purges, normalises (through `normalize`) and plans the first switch; returns the
  // controller's own entry when the walk met it, else nullptr.
  TMainEntry* PrepareEntries(const std::function<void(TConsistentLangPropertyEntry*)>& normalize);
  // The "Resources" pseudo-entry among the sub-entries of `owner`, or nullptr.
  TMainEntry* StringInterfaceOf(TMainEntry* owner) const;

  TComponent* owner_;
  TComponent* controller_;
  TLanguageEntries* languages_ = nullptr;
  TComponentEntries* components_ = nullptr;
  TStringList* names_ = nullptr;
  TStringList* values_ = nullptr;
  TExchangePlan exchange_;
  // The names DefineLanguageProperties declares, for the prefix it was last given.
  struct TPropertyNames {
    std::string prefix, langs, comps, names, values;
  };
  std::unique_ptr<TPropertyNames> propertyNames_;
};

}  // namespace wdx
