#include "framework/ui/scripted/ScriptedFrontEnd.h"

#include <istream>
#include <ostream>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Utf8.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "framework/ui/DialogButtons.h"

namespace wdx {

namespace {

// A script that does not fit what is on screen; not an error of the program, so it is not a
// wdx::Exception and no error report catches it.
struct ScriptError {
  int code;
  std::string message;
};

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

// The dump's text of a published property's value.
std::string PropertyText(const TObject* object, const TPropInfo& prop) {
  const TTypeInfo* type = prop.PropType();
  if (type && type->Kind == tkEnumeration && type->Name == "Boolean") {
    return GetOrdProp(object, prop) ? "True" : "False";
  }
  return Escaped(GetStrProp(object, prop));
}

}  // namespace

class TScriptedFrontEnd::Session {
 public:
  Session(std::istream& script, std::ostream& out, TCustomForm& form)
      : script_(script), out_(out), form_(form) {}

  int Run() {
    SetMessageBoxPresenter([this](const TMessageBox& box) { return AnswerBox(box); });
    TOpenDialog::SetPresenter(
        [this](TOpenDialog& dialog, std::string& chosen) { return AnswerOpen(dialog, chosen); });
    int code = 0;
    try {
      DispatchEvent(&form_, [&] { form_.Activate(); });
      while (!form_.IsClosed()) Perform(NextAction("ended with the dialog open", 4));
      Print("closed");
    } catch (const ScriptError& error) {
      Print("script: " + error.message);
      code = error.code;
    }
    SetMessageBoxPresenter(nullptr);
    TOpenDialog::SetPresenter(nullptr);
    return code;
  }

 private:
  void Print(const std::string& line) { out_ << line << "\n" << std::flush; }

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

  static std::string Verb(const std::string& line) { return line.substr(0, line.find(' ')); }
  static std::string Rest(const std::string& line) {
    const size_t blank = line.find(' ');
    return blank == std::string::npos ? "" : line.substr(blank + 1);
  }

  template <class T>
  T* Control(const std::string& name, const char* what) {
    TComponent* component = form_.FindComponent(name);
    if (!component) throw ScriptError{3, "no control named " + name};
    T* control = dynamic_cast<T*>(component);
    if (!control) throw ScriptError{3, name + " is not " + what};
    return control;
  }

  void Perform(const std::string& line) {
    const std::string verb = Verb(line);
    const std::string rest = Rest(line);
    if (verb == "set") {
      const size_t blank = rest.find(' ');
      TEdit* edit = Control<TEdit>(rest.substr(0, blank), "an edit");
      const std::string text = blank == std::string::npos ? "" : rest.substr(blank + 1);
      DispatchEvent(edit, [&] { edit->SetText(text); });
    } else if (verb == "click") {
      PressButton(Control<TButton>(rest, "a button"));
    } else if (verb == "lang") {
      SetLanguage(rest);
    } else if (verb == "dump") {
      Dump();
    } else if (verb == "answer" || verb == "choose" || verb == "cancel") {
      throw ScriptError{3, line + ": nothing is waiting for an answer"};
    } else {
      throw ScriptError{3, "unknown action: " + line};
    }
  }

  void SetLanguage(const std::string& name) {
    TComponent* control = form_.FindComponent("LangControl");
    const TPropInfo* language = control ? control->ClassType().FindProperty("Language") : nullptr;
    if (!language) throw ScriptError{3, "the form has no language control"};
    DispatchEvent(control, [&] { SetStrProp(control, *language, name); });
  }

  void DumpObject(const TObject& object, const std::string& name) {
    for (const char* property :
         {"Caption", "Text", "Enabled", "Visible", "TabVisible", "Language"}) {
      const TPropInfo* prop = object.ClassType().FindProperty(property);
      if (prop && prop->Readable) Print(name + "." + property + "=" + PropertyText(&object, *prop));
    }
  }

  void Dump() {
    DumpObject(form_, form_.Name());
    for (int i = 0; i < form_.ComponentCount(); ++i) {
      const TComponent* component = form_.Components(i);
      DumpObject(*component, component->Name());
    }
  }

  TModalResult AnswerBox(const TMessageBox& box) {
    Print("box " + Escaped(box.Caption) + " | " + Escaped(box.Text));
    const std::string line = NextAction("ended while a message box waits for an answer", 3);
    const std::string answer = Rest(line);
    if (Verb(line) != "answer") throw ScriptError{3, line + ": a message box waits for an answer"};
    if (answer == "Yes" && box.Buttons.Contains(mbYes)) return mrYes;
    if (answer == "No" && box.Buttons.Contains(mbNo)) return mrNo;
    if (answer == "OK" && box.Buttons.Contains(mbOK)) return mrOK;
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
  TCustomForm& form_;
};

int TScriptedFrontEnd::Run(TCustomForm& form) {
  return Session(script_, out_, form).Run();
}

}  // namespace wdx
