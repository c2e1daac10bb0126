#include "LangControl/Source/LangControl.h"

#include <exception>

#include "LangControl/Source/Expand.h"
#include "LangControl/Source/LangControlCore.h"
#include "LangControl/Source/LangControlErrors.h"
#include "LangControl/Source/LangControlFrames.h"
#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "LangControl/Source/LanguageVariants.h"
#include "LangControl/Source/ReadingDirection.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/Published.h"

namespace wdx {

namespace {

const TLanguageRoutineCode kApplyLanguage{&TLangControl::ApplyLanguage};

// Set once the first language control of the process enters Loaded.
bool anyLoaded = false;

// Counts a suppression of the change events for as long as it lives.
struct Suppression {
  int& counter;
  explicit Suppression(int& c) : counter(c) { ++counter; }
  ~Suppression() { --counter; }
};

TComponent* CheckedOwner(TComponent* owner, const TMetaClass& runtimeClass) {
  if (!owner) {
    throw Exception(Format("Component owner for %s required", runtimeClass.Name().c_str()));
  }
  return owner;
}

}  // namespace

const TMetaClass& TLangControl::StaticClass() {
  using L = TLangControl;
  static const TMetaClass meta(
      "TLangControl", &TComponent::StaticClass(), FactoryOf<L>(),
      {
          Published<L>("Domain", &L::Domain, &L::SetDomain),
          Published<L>("Language", &L::Language, &L::SetLanguage),
          Published<L>("Languages", &L::Languages, &L::SetLanguages).NotStored(),
          Published<L>("TopLevel", &L::TopLevel, &L::SetTopLevel).WithDefault(0),
          Published<L>("BeforeChange", &L::BeforeChange, &L::BeforeChange),
          Published<L>("OnChange", &L::OnChange, &L::OnChange),
          Published<L>("AfterChange", &L::AfterChange, &L::AfterChange),
      });
  return meta;
}

TLangControl::TLangControl(TComponent* owner) : TLangControl(owner, StaticClass()) {}

TLangControl::TLangControl(TComponent* owner, const TMetaClass& runtimeClass)
    : TComponent(CheckedOwner(owner, runtimeClass)) {
  rename_ = IsDesigning();
  manager_ = std::make_unique<TLanguageManager>(owner, this, 2, this);
  JoinLanguageDomain(domain_, topLevel_, Routine());
}

TLangControl::~TLangControl() {
  LeaveLanguageDomains(Routine());
  SafeFree(manager_);
}

TMethod TLangControl::Routine() {
  return LanguageRoutine(kApplyLanguage, this);
}

std::string TLangControl::Language() const {
  return manager_->ActiveLanguageName();
}

void TLangControl::SetLanguage(const std::string& name) {
  if (IsLoading() && !loaded_) {
    pending_ = Trim(name);
    return;
  }
  SetGlobalLanguage(name, Routine());
}

std::vector<TLangControl::TLanguageInfo> TLangControl::LanguageList() const {
  std::vector<TLanguageInfo> list;
  const TLanguageEntries& languages = *manager_->Languages();
  bool active = false;  // the first whose SubIndex is 0, as the manager takes it
  for (int i = 0; i < languages.Count(); ++i) {
    const TLanguageEntry& language = *languages.Items(i);
    TLanguageInfo info{language.Name(), "", false};
    std::string name = Trim(language.Name());
    int row = -1;
    if (FindDefaultLanguage(nkEnglish, name, row) || FindDefaultLanguage(nkNative, name, row)) {
      info.English = DefaultLanguages[row].Names[nkEnglish];
      info.Native = DefaultLanguages[row].Names[nkNative];
    }
    info.Active = !active && language.SubIndex() == 0;
    active = active || info.Active;
    list.push_back(std::move(info));
  }
  return list;
}

bool TLangControl::TrySetLanguage(const std::string& name) {
  const TLanguageEntries& languages = *manager_->Languages();
  for (int i = 0; i < languages.Count(); ++i) {
    if (SameLanguage(languages.Items(i)->Name(), name)) {
      SetLanguage(name);
      return true;
    }
  }
  return false;
}

void TLangControl::SetDomain(const std::string& domain) {
  const std::string trimmed = Trim(domain);
  if (SameText(trimmed, domain_)) return;
  JoinLanguageDomain(trimmed, topLevel_, Routine());
  domain_ = trimmed;
  if (IsLoading()) return;
  const std::string frameLanguage = GetFrameLanguage(Routine());
  if (SameText(Language(), frameLanguage)) return;
  // A change event may destroy this control; the phases stop with it.
  const uint32_t self = Handle();
  for (int phase = cpBeforeChange; phase <= cpAfterChange && live_objects::Find(self); ++phase) {
    ApplyLanguage(this, frameLanguage, phase);
  }
}

void TLangControl::SetTopLevel(bool value) {
  if (value == topLevel_) return;
  if (!IsLoading() && !IsDesigning()) {
    throw Exception(ClassName() + ".TopLevel can only be changed at designing time");
  }
  if (IsLoading() && !IsDesigning() && domain_.empty()) {
    JoinLanguageDomain("", value, Routine());
    // The other controls of the form move into the frame this one has just opened.
    if (TCustomForm* form = FindOwnerForm(this)) {
      for (TLangControl* other : CollectLanguageControls(form)) {
        if (other != this && other->domain_.empty()) {
          JoinLanguageDomain("", other->topLevel_, other->Routine());
        }
      }
    }
  }
  topLevel_ = value;
}

bool TLangControl::ApplyLanguage(TObject* control, const std::string& name, int phase) {
  auto* self = ObjectCast<TLangControl>(control);
  return self && self->Apply(name, phase);
}

void TLangControl::SelectLanguage(const std::string& name) {
  const TLanguageEntries& languages = *manager_->Languages();
  // A regional variant the form lacks (a user's "Chinese (Traditional)") falls back to its
  // language ("Chinese").
  const TLanguageVariant* variant = FindVariantByName(name);
  for (const std::string& wanted :
       {name, std::string(variant && *variant->Base ? variant->Base : "")}) {
    for (int i = 0; i < languages.Count() && !wanted.empty(); ++i) {
      if (SameLanguage(languages.Items(i)->Name(), wanted)) {
        manager_->SetLanguageByIndex(i);  // false when it is active already: no error
        return;
      }
    }
  }
  const TComponent* owner = manager_->Owner();
  if (!owner || owner == &Application()) {
    throw ELanguageNotFound(Format("Language '%s' of a multilingual unit not found", name.c_str()));
  }
  throw ELanguageNotFound(
      Format("Language '%s' of form %s not found", name.c_str(), owner->ClassName().c_str()));
}

bool TLangControl::Apply(const std::string& name, int phase) {
  if (name.empty()) return false;
  const bool quiet = IsLoading() || suppressEvents_ > 0;
  try {
    switch (phase) {
      case cpBeforeChange:
        if (!quiet) DoBeforeChange();
        break;
      case cpSetLanguage:
        SelectLanguage(name);
        break;
      case cpChange:
        if (!quiet) DoChange();
        break;
      case cpAfterChange:
        if (!quiet) DoAfterChange();
        break;
      default:
        RaiseCaseError();
    }
    return true;
  } catch (const ELanguageNotFound&) {
    return false;  // the control keeps its language; no error for the user
  } catch (const std::exception&) {
    Application().HandleException(this);
    return false;
  }
}

void TLangControl::Fire(const TNotifyEvent& event) {
  if (!event) return;
  try {
    event(this);
  } catch (const std::exception&) {
    Application().HandleException(this);
  }
}

void TLangControl::DoBeforeChange() {
  Fire(BeforeChange);
}
void TLangControl::DoChange() {
  Fire(OnChange);
}
void TLangControl::DoAfterChange() {
  // The form reads in the direction of its language, mirrored for one written right to left.
  if (auto* form = ObjectCast<TCustomForm>(Owner())) {
    form->SetBiDiMode(IsRightToLeftLanguage(Language()) ? bdRightToLeft : bdLeftToRight);
  }
  Fire(AfterChange);
  if (!Changed) return;
  try {
    Changed();
  } catch (const std::exception&) {
    Application().HandleException(this);
  }
}

void TLangControl::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  manager_->DefineLanguageProperties("LanguageManager_", filer);
}

void TLangControl::Loaded() {
  TComponent::Loaded();
  const bool first = !anyLoaded;
  anyLoaded = true;
  rename_ = false;
  try {
    manager_->PrepareLanguageData();
    loaded_ = true;
    {
      Suppression quiet(suppressEvents_);
      const std::string frameLanguage = GetFrameLanguage(Routine());
      if (!frameLanguage.empty()) {
        // A form loaded while others show a language takes it if it has it; the first form of
        // the process falls back to its own stored language.
        if (!Apply(frameLanguage, cpSetLanguage) && first) SetGlobalLanguage(pending_, Routine());
      } else {
        if (pending_.empty()) pending_ = Language();
        SetGlobalLanguage(pending_, Routine());
      }
    }
    DoBeforeChange();
    DoChange();
    DoAfterChange();
  } catch (const Exception&) {
    Application().HandleException(this);
  }
}

void TLangControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
}

void TLangControl::SetName(const std::string& name) {
  if (rename_ && !IsLoading()) {
    rename_ = false;
    // A control created by a designer is named LangControl1 and so on; it keeps the plain
    // name when that is free.
    std::string shortened = name;
    while (!shortened.empty() && shortened.back() >= '0' && shortened.back() <= '9') {
      shortened.pop_back();
    }
    if (!shortened.empty() && shortened != name) {
      try {
        TComponent::SetName(shortened);
        return;
      } catch (const EComponentError&) {
        // taken or not an identifier: the full name is set instead
      }
    }
  }
  TComponent::SetName(name);
}

std::vector<TLangControl*> CollectLanguageControls(TCustomForm* form) {
  std::vector<TLangControl*> controls;
  ForEachControl(form, [&](TControl* control) {
    ForEachOwnedComponent(control, [&](TComponent* component) {
      if (auto* languageControl = ObjectCast<TLangControl>(component)) {
        controls.push_back(languageControl);
      }
    });
  });
  return controls;
}

void StartupLanguageLibrary() {
  PlatformStartup();
  anyLoaded = false;
  StartupLanguageFrames();
}

void StartupLanguageLibrary(std::string_view systemLanguage) {
  PlatformStartup();
  anyLoaded = false;
  StartupLanguageFrames(systemLanguage);
}

void ShutdownLanguageLibrary() {
  ShutdownLanguageFrames();
}

}  // namespace wdx
