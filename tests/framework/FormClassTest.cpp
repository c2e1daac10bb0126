// A form class declared in one place (WDX_FORM, WDX_CONTROL): its name, its handlers found by the
// form's "OnClick = ...", its controls bound when it is loaded and checked for their class.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/components/ObjectText.h"
#include "framework/components/Reader.h"
#include "framework/controls/FormClass.h"
#include "framework/controls/Register.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Streams.h"

namespace wdx {
namespace {

class TDeclaredForm : public TForm {
 public:
  WDX_FORM(TDeclaredForm, TForm, btOkClick)
  using TForm::TForm;

  WDX_CONTROL(TButton, btOk);
  int clicks = 0;
};

void TDeclaredForm::btOkClick(TObject*) {
  ++clicks;
}

std::unique_ptr<TDeclaredForm> Read(const std::string& controls) {
  RegisterStandardControls();
  auto form = std::make_unique<TDeclaredForm>(nullptr);
  TMemoryStream in(ObjectTextToBinary("object Form: TDeclaredForm\n" + controls + "end\n"));
  TReader(in).ReadRootComponent(form.get());
  return form;
}

TEST(FormClass, NamesTheClassFindsItsHandlersAndBindsItsControls) {
  const auto form = Read("object btOk: TButton\nOnClick = btOkClick\nend\n");
  EXPECT_EQ(form->ClassName(), "TDeclaredForm");
  ASSERT_NE(form->btOk.Get(), nullptr);
  form->btOk->OnClick(form->btOk);
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(&FindControl<TButton>(*form, "BTOK"), form->btOk.Get());
}

TEST(FormClass, RefusesAControlThatIsMissingOrOfAnotherClass) {
  const struct {
    std::string controls;
    std::string message;
  } cases[] = {
      {"", "TDeclaredForm has no component btOk"},
      {"object btOk: TEdit\nend\n", "btOk of TDeclaredForm is a TEdit, not a TButton"},
  };
  for (const auto& [controls, message] : cases) {
    try {
      Read(controls);
      ADD_FAILURE() << "read: " << message;
    } catch (const EComponentError& error) {
      EXPECT_EQ(error.Message(), message);
    }
  }
  const auto form = Read("object btOk: TButton\nend\n");
  EXPECT_THROW(FindControl<TEdit>(*form, "btOk"), EComponentError);
}

}  // namespace
}  // namespace wdx
