// formc's check of a form source: a small form with one mistake or a few, and every message formc
// gives of it, each on its line.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/tools/ToolTestSupport.h"
#include "tools/formc/FormSource.h"

namespace wdx {
namespace {

using tooltest::Replaced;
using tooltest::TempPath;
using tooltest::WriteText;

constexpr const char* kForm = R"(object HelloForm: THelloForm
  Caption = 'Hello'
  BorderStyle = bsDialog
  object lbName: TLabel
    Caption = 'Your name:'
  end
  object edName: TEdit
    Text = 'World'
  end
  object btQuit: TButton
    Caption = 'Quit'
    OnClick = btQuitClick
  end
  object LangControl: TLangControl
    Language = 'English'
    LanguageManager_Langs = <
      item
        Name = 'English'
        SubIndex = 0
      end>
    translate Owner.Caption
    translate lbName.Caption
    LanguageManager_Names = ''
    LanguageManager_Values = ''
  end
end
)";

constexpr const char* kClasses = R"(// The form's class.
class THelloForm : public wdx::TForm {
  WDX_FORM(THelloForm, wdx::TForm, btQuitClick)
  WDX_CONTROL(wdx::TButton, btQuit);
};
)";

// What formc says of `source`, one message a line; empty when it takes the form.
std::vector<std::string> Messages(const std::string& source) {
  const std::string form = TempPath("form.frm");
  const std::string classes = TempPath("classes.h");
  WriteText(form, source);
  WriteText(classes, kClasses);
  std::vector<std::string> messages;
  try {
    TFormSourceMap map;
    formc::CompileForm(form, formc::ReadClassFiles({classes}), map);
  } catch (const std::runtime_error& error) {
    std::istringstream lines(error.what());
    for (std::string line; std::getline(lines, line);) {
      for (const auto& [path, name] : {std::pair{form, "form.frm"}, {classes, "classes.h"}}) {
        for (size_t at = line.find(path); at != std::string::npos; at = line.find(path)) {
          line.replace(at, path.size(), name);
        }
      }
      messages.push_back(line);
    }
  }
  return messages;
}

struct Mistake {
  const char* what;
  std::vector<std::pair<const char*, const char*>> changes;  // in the form: from, to
  std::vector<std::string> messages;
};

const Mistake kMistakes[] = {
    {"a misspelt property",
     {{"Caption = 'Quit'", "Captoin = 'Quit'"}},
     {"form.frm:11: Error reading btQuit.Captoin: Property does not exist"}},
    {"a class the form may not hold",
     {{"btQuit: TButton", "btQuit: TButon"}},
     {"form.frm:10: Error reading btQuit: Class TButon not found"}},
    {"a name that is no value of the enumeration",
     {{"bsDialog", "bsDialg"}},
     {"form.frm:3: Error reading HelloForm.BorderStyle: Invalid property value"}},
    {"a name taken twice",
     {{"edName: TEdit", "lbName: TEdit"}},
     {"form.frm:7: Error reading lbName: A component named lbName already exists"}},
    {"a handler the class does not publish",
     {{"= btQuitClick", "= btQuitClik"}},
     {"form.frm:12: Error reading btQuit.OnClick: btQuitClik is not a handler of THelloForm "
      "(classes.h:3)"}},
    {"a form class the program does not declare",
     {{"THelloForm", "THelloFrom"}},
     {"form.frm:1: the form's class THelloFrom is not declared in the files of CLASSES, so its "
      "handlers and controls are not known"}},
    {"a control of another class than declared, with what that class lacks",
     {{"btQuit: TButton", "btQuit: TLabel"}},
     {"form.frm:10: btQuit of THelloForm is a TLabel, not a TButton (classes.h:4)",
      "form.frm:12: Error reading btQuit.OnClick: Property does not exist"}},
    {"an object's missing 'end', where the indentation says it belongs",
     {{"    Caption = 'Your name:'\n  end\n", "    Caption = 'Your name:'\n"}},
     {"form.frm:6: 'end' of lbName (line 4) expected before this line"}},
    {"the form's missing 'end'",
     {{"  end\nend\n", "  end\n"}},
     {"form.frm:25: 'end' of HelloForm (line 1) expected"}},
    {"an item's missing 'end'",
     {{"SubIndex = 0\n      end>", "SubIndex = 0\n      >"}},
     {"form.frm:20: 'end' of the item of line 17 expected"}},
    {"a mark of a component the form lacks",
     {{"translate lbName.", "translate lbNme."}},
     {"form.frm:22: LangControl: the form has no component lbNme"}},
    {"a mark of a property the component lacks",
     {{"lbName.Caption", "lbName.Captoin"}},
     {"form.frm:22: LangControl: TLabel lbName has no property Captoin"}},
    {"a mark of a property that holds no text",
     {{"lbName.Caption", "edName.TabOrder"}},
     {"form.frm:22: LangControl: edName.TabOrder is a tkInteger property, not a text (tkLString)"}},
    {"a mark of a list the component lacks",
     {{"lbName.Caption", "lbName.Items[0]"}},
     {"form.frm:14: LangControl: Could not convert variant of type (Null) into type (String)",
      "form.frm:22: LangControl: TLabel lbName has no list Items"}},
    {"a mark of a line the list lacks",
     {{"edName: TEdit\n    Text = 'World'", "edName: TComboBox\n    Items.Strings = ('a')"},
      {"lbName.Caption", "edName.Items[1]"}},
     {"form.frm:22: LangControl: edName.Items[1] is no line of Items, which has 1"}},
    {"a mark of a line without its number",
     {{"lbName.Caption", "lbName.Items[]"}},
     {"form.frm:22: a line of a list is marked as <component>.<list>[<line>], its line a number"}},
    {"a property marked twice",
     {{"translate lbName.Caption", "translate HelloForm.Caption"}},
     {"form.frm:22: Owner.Caption is marked on line 21 already"}},
    {"a mark without its property",
     {{"translate lbName.Caption", "translate lbName"}},
     {"form.frm:22: '.' and a property expected"}},
    {"marks apart",
     {{"    translate lbName.Caption\n", ""},
      {"Values = ''\n", "Values = ''\n    translate lbName.Caption\n"}},
     {"form.frm:24: the marks of LangControl stand together: those of line 21 end before this "
      "one"}},
    {"marks beside the entries in full",
     {{"    LanguageManager_Names", "    LanguageManager_Comps = <>\n    LanguageManager_Names"}},
     {"form.frm:23: LanguageManager_Comps is given by the marks of line 21 already"}},
    {"an entry in full of a kind the property is not",
     {{"    translate Owner.Caption\n    translate lbName.Caption\n",
       "    LanguageManager_Comps = <\n      item\n        Props = <\n          item\n            "
       "Name = 'Caption'\n            Kind = tkInteger\n          end>\n        SubType = "
       "[stPubPropObject]\n        Ref = lbNme\n      end\n      item\n        Props = <\n"
       "          item\n            Name = 'Caption'\n            Kind = tkInteger\n          "
       "end>\n        SubType = [stPubPropObject]\n        Ref = lbName\n      end>\n"}},
     {"form.frm:29: LangControl: the form has no component lbNme",
      "form.frm:35: LangControl: lbName.Caption is a tkLString property, not tkInteger"}},
    {"every mistake of a form in one run",
     {{"bsDialog", "bsDialg"}, {"Caption = 'Quit'", "Captoin = 'Quit'"}, {"lbName.", "lbNme."}},
     {"form.frm:3: Error reading HelloForm.BorderStyle: Invalid property value",
      "form.frm:11: Error reading btQuit.Captoin: Property does not exist",
      "form.frm:22: LangControl: the form has no component lbNme"}},
};

TEST(FormCheck, TakesASoundForm) {
  EXPECT_EQ(Messages(kForm), std::vector<std::string>{});
}

TEST(FormCheck, TellsEveryMistakeOnItsLine) {
  for (const Mistake& mistake : kMistakes) {
    std::string source = kForm;
    for (const auto& [from, to] : mistake.changes) source = Replaced(source, from, to);
    EXPECT_EQ(Messages(source), mistake.messages) << mistake.what;
  }
}

}  // namespace
}  // namespace wdx
