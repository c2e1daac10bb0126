// TLangControl: the non-visual component that makes a form translatable. It owns the form's
// language manager, stores the translations in the form data, follows the language of its
// frame (all controls of one domain show one language) and fires three events around every
// change of language.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/Component.h"
#include "framework/rtti/Method.h"

namespace wdx {

class TCustomForm;
class TLanguageManager;

enum TLanguageChangePhase : int { cpBeforeChange = 0, cpSetLanguage, cpChange, cpAfterChange };

class TLangControl : public TComponent {
 public:
  WDX_CLASS(TLangControl)

  // Raises "Component owner for TLangControl required" without an owner.
  explicit TLangControl(TComponent* owner);
  ~TLangControl() override;

  // The active language's name; writing it switches every control of the frame.
  std::string Language() const;
  void SetLanguage(const std::string& name);
  const std::string& Domain() const { return domain_; }
  void SetDomain(const std::string& domain);
  bool TopLevel() const { return topLevel_; }
  void SetTopLevel(bool value);
  TComponent* Languages() const { return nullptr; }
  void SetLanguages(TComponent*) {}

  // The form's languages in the order of its list: the English and native names the built-in
  // table gives them (a name the table lacks as the English one, without a native one), and
  // which one the form shows.
  struct TLanguageInfo {
    std::string English;
    std::string Native;
    bool Active = false;
  };
  std::vector<TLanguageInfo> LanguageList() const;
  // Switches to the language `name` (English or native) as writing Language does; false, with
  // nothing changed, when the form has no such language (Language says nothing then).
  bool TrySetLanguage(const std::string& name);

  TNotifyEvent BeforeChange;
  TNotifyEvent OnChange;
  TNotifyEvent AfterChange;
  // Called after AfterChange, for what a program shows beside the form's translated texts (a text
  // of its code in a control, Translate's): set in code, never written with the form.
  std::function<void()> Changed;

  TLanguageManager& Manager() const { return *manager_; }

  // The routine every control registers in its frame: applies one phase of a language change
  // to `control` (a TLangControl). False when the name is empty, the language is missing, or
  // an error was reported.
  static bool ApplyLanguage(TObject* control, const std::string& name, int phase);
  // This control's routine as frames hold it.
  TMethod Routine();

  void DefineProperties(TFiler* filer) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  // For subclasses: `runtimeClass` is the class being created, which the missing-owner error
  // names ("Component owner for TMyLangControl required").
  TLangControl(TComponent* owner, const TMetaClass& runtimeClass);

  void SetName(const std::string& name) override;
  virtual void DoBeforeChange();
  virtual void DoChange();
  virtual void DoAfterChange();

 private:
  bool Apply(const std::string& name, int phase);
  void SelectLanguage(const std::string& name);
  void Fire(const TNotifyEvent& event);

  bool rename_ = false;
  bool loaded_ = false;
  int suppressEvents_ = 0;
  std::string pending_;
  std::unique_ptr<TLanguageManager> manager_;
  std::string domain_;
  bool topLevel_ = false;
};

// Every TLangControl reachable from the form: for each control of the form's visual tree (the
// form last), the language controls that it owns.
std::vector<TLangControl*> CollectLanguageControls(TCustomForm* form);

// The language library's start-up (before the first form is created) and shut-down. Start-up
// takes the language of the user's default locale, or the one given (tests, tools).
void StartupLanguageLibrary();
void StartupLanguageLibrary(std::string_view systemLanguage);
void ShutdownLanguageLibrary();

}  // namespace wdx
