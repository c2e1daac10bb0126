// A control class of the program's own is driven through the kinds it gives the front-ends: the
// scripted front-end clicks it, the terminal draws it and gives it its keys. A class without a
// kind is named as unsupported, and every standard control has a kind in each front-end.
#include <gtest/gtest.h>

#include <sstream>

#include "app/FormClasses.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/ui/scripted/ScriptedFrontEnd.h"
#include "framework/ui/scripted/ScriptedKinds.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogKeys.h"
#include "framework/ui/terminal/DialogView.h"
#include "tests/ui/Lamp.h"
#include "tests/ui/TextCanvas.h"

namespace wdx::test {
namespace {

using terminal::TFunctionKey;
using terminal::TKey;

// A button class of the program's own, which has no kind of its own: it is a button.
class TBigButton : public TButton {
 public:
  WDX_CLASS(TBigButton)
  using TButton::TButton;
};

const TMetaClass& TBigButton::StaticClass() {
  static const TMetaClass meta("TBigButton", &TButton::StaticClass(), FactoryOf<TBigButton>(), {});
  return meta;
}

class ControlKinds : public ::testing::Test {
 protected:
  void SetUp() override {
    TScriptedKind scripted;
    scripted.Click = [](TControl& lamp) { As<TLamp>(lamp).Toggle(); };
    ScriptedKinds().Add(TLamp::StaticClass(), scripted);
    terminal::TTerminalKind drawn;
    drawn.Draw = [](terminal::TDialogView& view, TControl& lamp, const terminal::TPlace& place) {
      view.Canvas().Text(place.Middle, place.Cells.Left,
                         (As<TLamp>(lamp).Lit() ? "(*) " : "( ) ") + lamp.Caption(), place.Look(),
                         place.Focused ? terminal::emReverse : terminal::emNone, place.Clip);
    };
    drawn.Keys = [](terminal::TKeyContext&, TControl& lamp, terminal::TControlKeys& keys) {
      keys.Own.push_back({"Space: switch", [](const TKey& key) { return key.IsChar(' '); },
                          [&lamp](const TKey&) { As<TLamp>(lamp).Toggle(); }});
    };
    terminal::TerminalKinds().Add(TLamp::StaticClass(), drawn);

    form.Rename("form");
    form.SetClientWidth(200);
    form.SetClientHeight(60);
    lamp = Place(new TLamp(&form), "lamp", 10);
    lamp->SetCaption("Porch");
    Place(new TGadget(&form), "gadget", 30);
    Place(new TBigButton(&form), "big", 45)->SetCaption("Big");
  }

  template <class T>
  T* Place(T* control, const char* name, int top) {
    control->Rename(name);
    control->SetParent(&form);
    control->SetBounds(10, top, 150, 13);
    return control;
  }

  std::string Script(const std::string& actions) {
    std::istringstream script(actions);
    std::ostringstream out;
    TScriptedFrontEnd(script, out).Run(form);
    return out.str();
  }

  TForm form{nullptr};
  TLamp* lamp = nullptr;
};

TEST_F(ControlKinds, TheScriptedFrontEndActsThroughAClassKindAndNamesAClassWithout) {
  EXPECT_EQ(Script("click lamp\ndump\nclick big\nclick gadget\n"),
            "form.Caption=\nlamp.Caption=Porch\nlamp.Enabled=True\nlamp.Visible=True\n"
            "gadget.Visible=True\nbig.Caption=Big\nbig.Enabled=True\nbig.Visible=True\n"
            "script: gadget is a TGadget, which this front-end does not support\n");
  EXPECT_TRUE(lamp->Lit());
  EXPECT_EQ(Script("set lamp on\n"), "script: lamp is not an edit\n");
}

TEST_F(ControlKinds, TheTerminalDrawsAndDrivesAClassByItsKindAndNamesAClassWithout) {
  TTextCanvas canvas(12, 60);
  terminal::TDialogFocus focus(form);
  terminal::TDialogView view(form, canvas, focus);
  terminal::TDialogKeys keys(form, focus);
  view.Draw(keys.Help(), false);
  int col = 0;
  const int row = canvas.Find("( ) Porch", &col);
  ASSERT_GE(row, 0) << canvas.Picture();
  EXPECT_EQ(canvas.EmphasisAt(row, col), terminal::emReverse);  // the first to take the focus
  EXPECT_GE(canvas.Find("unsupported TGadget"), 0) << canvas.Picture();
  EXPECT_GE(canvas.Find("[ Big ]"), 0) << canvas.Picture();
  EXPECT_EQ(keys.Help(), "Tab/Shift+Tab: next/previous  Space: switch");
  keys.Handle(TKey::Character(' '));
  view.Draw(keys.Help(), false);
  EXPECT_GE(canvas.Find("(*) Porch"), 0) << canvas.Picture();
  // The gadget takes no focus: Tab goes from the lamp to the button and back.
  keys.Handle(TKey::Character('\t'));
  EXPECT_EQ(focus.Focused()->Name(), "big");
  keys.Handle(TKey::Character('\t'));
  EXPECT_EQ(focus.Focused(), lamp);
}

TEST(StandardKinds, EveryRegisteredControlClassHasAKindInEachFrontEnd) {
  RegisterFormClasses();
  for (const TMetaClass* cls : RegisteredClasses()) {
    if (!cls->InheritsFrom(TControl::StaticClass()) ||
        cls->InheritsFrom(TCustomForm::StaticClass())) {
      continue;
    }
    EXPECT_NE(ScriptedKinds().Find(*cls), nullptr) << cls->Name();
    EXPECT_NE(terminal::TerminalKinds().Find(*cls), nullptr) << cls->Name();
  }
}

}  // namespace
}  // namespace wdx::test
