#include "framework/ui/scripted/ScriptedFrontEnd.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <vector>

#include "framework/controls/Dialogs.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Utf8.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "framework/ui/scripted/ScriptText.h"
#include "framework/ui/scripted/ScriptedDump.h"
#include "framework/ui/scripted/ScriptedKinds.h"

namespace wdx {

namespace {

// A script that does not fit what is on screen; not an error of the program, so it is not a
// wdx::Exception and no error report catches it.
struct ScriptError {
  int code;
  std::string message;
};

// The answers a box takes, by the name a script gives them.
constexpr std::pair<const char*, TMsgDlgBtn> kAnswers[] = {
    {"Yes", mbYes}, {"No", mbNo}, {"OK", mbOK}, {"Cancel", mbCancel}};

// A form's result as "closed <name> | <result>" shows it.
std::string ResultName(int32_t result) {
  for (const auto& [name, button] : kAnswers) {
    if (ResultOf(button) == result) return name;
  }
  return std::to_string(result);
}

std::string Verb(const std::string& line) {
  return line.substr(0, line.find(' '));
}

std::string Rest(const std::string& line) {
  const size_t blank = line.find(' ');
  return blank == std::string::npos ? "" : line.substr(blank + 1);
}

}  // namespace

class TScriptedFrontEnd::Session {
 public:
  Session(std::istream& script, std::ostream& out, const TLanguageControlFinder& language)
      : script_(script), out_(out), language_(language) {}

  int Run(TCustomForm& form) {
    SetMessageBoxPresenter([this](const TMessageBox& box) { return AnswerBox(box); });
    TOpenDialog::SetPresenter(
        [this](TOpenDialog& dialog, std::string& chosen) { return AnswerOpen(dialog, chosen); });
    TCustomForm::SetModalPresenter([this](TCustomForm& shown) { RunModal(shown); });
    int code = 0;
    try {
      RunForm(form);
      Print("closed");
    } catch (const ScriptError& error) {
      Print("script: " + error.message);
      code = error.code;
    }
    SetMessageBoxPresenter(nullptr);
    TOpenDialog::SetPresenter(nullptr);
    TCustomForm::SetModalPresenter(nullptr);
    return code;
  }

 private:
  void Print(const std::string& line) { out_ << line << "\n" << std::flush; }

  // Activates the form and performs actions on it until it closes.
  void RunForm(TCustomForm& form) {
    forms_.push_back(&form);
    struct Pop {
      std::vector<TCustomForm*>& forms;
      ~Pop() { forms.pop_back(); }
    } pop{forms_};
    DispatchEvent(&form, [&] { form.Activate(); });
    while (!form.IsClosed()) Perform(NextAction("ended with the dialog open", 4));
  }

  void RunModal(TCustomForm& form) {
    Print("form " + Escaped(form.Name()) + " | " + Escaped(form.Caption()));
    RunForm(form);
    Print("closed " + Escaped(form.Name()) + " | " + ResultName(form.ModalResult()));
  }

  TCustomForm& Form() const { return *forms_.back(); }

  // The next action line, skipping blank lines and comments.
  std::string NextAction(const std::string& atEnd, int code) {
    std::string line;
    while (std::getline(script_, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      // A script is UTF-8; a line that is not is read as Windows-1252, as scripts once were.
      if (!IsValidUtf8(line)) line = CodePageToUtf8(line, kCodePageWindows1252);
      if (!line.empty() && line[0] != '#') return line;
    }
    throw ScriptError{code, atEnd};
  }

  // The control named `name` on the form, with the action its kind has for `member`; `what` is
  // what the control would have to be to take it.
  template <class Action>
  std::pair<TControl*, const Action*> Target(const std::string& name, Action TScriptedKind::*member,
                                             const char* what) {
    TComponent* component = Form().FindComponent(name);
    if (!component) throw ScriptError{3, "no control named " + name};
    auto* control = ObjectCast<TControl>(component);
    const TScriptedKind* kind = control ? ScriptedKinds().Find(*control) : nullptr;
    if (control && !kind) {
      throw ScriptError{
          3, name + " is a " + component->ClassName() + ", which this front-end does not support"};
    }
    if (!kind || !(kind->*member)) throw ScriptError{3, name + " is not " + what};
    return {control, &(kind->*member)};
  }

  void Perform(const std::string& line) {
    const std::string verb = Verb(line);
    const std::string rest = Rest(line);
    if (verb == "set") {
      const size_t blank = rest.find(' ');
      const std::string name = rest.substr(0, blank);
      const auto [control, set] = Target(name, &TScriptedKind::Set, "an edit");
      if (!(*set)(*control, blank == std::string::npos ? "" : rest.substr(blank + 1))) {
        throw ScriptError{3, name + " is not an edit"};
      }
    } else if (verb == "click") {
      const auto [control, click] = Target(rest, &TScriptedKind::Click, "a button");
      (*click)(*control);
    } else if (verb == "check" || verb == "uncheck") {
      const auto [control, check] =
          Target(rest, &TScriptedKind::Check, "a check box or radio button");
      (*check)(*control, verb == "check");
    } else if (verb == "select") {
      Select(line, rest);
    } else if (verb == "page") {
      const auto [control, show] = Target(rest, &TScriptedKind::Show, "a tab sheet");
      (*show)(*control);
    } else if (verb == "lang") {
      SetLanguage(rest);
    } else if (verb == "dump") {
      DumpForm(Form(), [this](const std::string& text) { Print(text); });
    } else if (verb == "answer" || verb == "choose" || verb == "cancel") {
      throw ScriptError{3, line + ": nothing is waiting for an answer"};
    } else {
      throw ScriptError{3, "unknown action: " + line};
    }
  }

  void Select(const std::string& line, const std::string& rest) {
    const size_t blank = rest.find(' ');
    const std::string name = rest.substr(0, blank);
    const std::string number = blank == std::string::npos ? "" : rest.substr(blank + 1);
    const auto [control, select] = Target(name, &TScriptedKind::Select, "a list");
    int index = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), index);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
      throw ScriptError{3, line + ": not an item number"};
    }
    const TScriptedKind* kind = ScriptedKinds().Find(*control);
    const int count = kind->ItemCount ? kind->ItemCount(*control) : 0;
    if (index < -1 || index >= count) throw ScriptError{3, line + ": there is no such item"};
    (*select)(*control, index);
  }

  void SetLanguage(const std::string& name) {
    TComponent* control = language_ ? language_(Form()) : nullptr;
    const TPropInfo* language = control ? control->ClassType().FindProperty("Language") : nullptr;
    if (!language) throw ScriptError{3, "the form has no language control"};
    DispatchEvent(control, [&] { SetStrProp(control, *language, name); });
  }

  TModalResult AnswerBox(const TMessageBox& box) {
    Print("box " + Escaped(box.Caption) + " | " + Escaped(box.Text));
    const std::string line = NextAction("ended while a message box waits for an answer", 3);
    if (Verb(line) != "answer") throw ScriptError{3, line + ": a message box waits for an answer"};
    for (const auto& [name, button] : kAnswers) {
      if (Rest(line) == name && box.Buttons.Contains(button)) return ResultOf(button);
    }
    // A box asked for with no buttons shows OK.
    if (Rest(line) == "OK" && box.Buttons.Empty()) return mrOK;
    throw ScriptError{3, line + ": the message box has no such button"};
  }

  bool AnswerOpen(TOpenDialog& dialog, std::string& chosen) {
    Print("open " + Escaped(dialog.FileName) + " | " + Escaped(dialog.Filter) + " | " +
          Escaped(dialog.InitialDir));
    const std::string line = NextAction("ended while the file dialog waits for an answer", 3);
    if (Verb(line) == "choose" && !Rest(line).empty()) {
      chosen = Rest(line);
      return true;
    }
    if (line == "cancel") return false;
    throw ScriptError{3, line + ": the file dialog waits for choose or cancel"};
  }

  std::istream& script_;
  std::ostream& out_;
  const TLanguageControlFinder& language_;
  std::vector<TCustomForm*> forms_;  // the form shown, and the forms shown modally over it
};

int TScriptedFrontEnd::Run(TCustomForm& form) {
  return Session(script_, out_, language_).Run(form);
}

}  // namespace wdx
