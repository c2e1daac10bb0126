// A control class of the program's own gets a window from the kind it gives the window front-end,
// and a click in that window reaches the control; a class without a kind is shown by its name. The
// standard controls all have kinds.
#include <gtest/gtest.h>

#include "app/FormClasses.h"
#include "framework/controls/Form.h"
#include "framework/rtti/ClassRegistry.h"
#include "tests/ui/Lamp.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/WindowKinds.h"
#include "tests/win32gui/RoutedForm.h"

namespace wdx::test {
namespace {

using namespace win32;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST(CustomKind, AProgramsClassIsShownAndClickedThroughItsKindAndAClassWithoutOneIsNamed) {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) {
    plan.Class = WC_BUTTONW;
    plan.Style = BS_CHECKBOX;
  };
  kind.Mirror = [](TWindowContext&, const TControl& lamp, HWND window) {
    SendMessageW(window, BM_SETCHECK, As<TLamp>(lamp).Lit() ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  kind.Command = [](TWindowContext&, TControl& lamp, HWND, UINT code) {
    if (code == BN_CLICKED) As<TLamp>(lamp).Toggle();
  };
  WindowKinds().Add(TLamp::StaticClass(), kind);

  TForm form(nullptr);
  form.SetClientWidth(200);
  form.SetClientHeight(80);
  auto* lamp = new TLamp(&form);
  lamp->SetParent(&form);
  lamp->SetBounds(10, 10, 150, 17);
  lamp->SetCaption("Porch");
  auto* gadget = new TGadget(&form);
  gadget->SetParent(&form);
  gadget->SetBounds(10, 40, 150, 17);
  TRoutedForm shown(form);

  HWND lampWindow = shown.windows.WindowOf(lamp);
  ASSERT_NE(lampWindow, nullptr);
  EXPECT_EQ(ClassOf(lampWindow), "Button");
  EXPECT_EQ(WindowText(lampWindow), "Porch");
  SendMessageW(lampWindow, BM_CLICK, 0, 0);
  EXPECT_TRUE(lamp->Lit());
  EXPECT_EQ(SendMessageW(lampWindow, BM_GETCHECK, 0, 0), BST_CHECKED);
  HWND gadgetWindow = shown.windows.WindowOf(gadget);
  ASSERT_NE(gadgetWindow, nullptr);
  EXPECT_EQ(WindowText(gadgetWindow), "unsupported TGadget");
}

TEST(CustomKind, EveryRegisteredControlClassHasAWindowKind) {
  RegisterFormClasses();
  for (const TMetaClass* cls : RegisteredClasses()) {
    if (cls->InheritsFrom(TControl::StaticClass()) &&
        !cls->InheritsFrom(TCustomForm::StaticClass())) {
      EXPECT_NE(WindowKinds().Find(*cls), nullptr) << cls->Name();
    }
  }
}

}  // namespace
}  // namespace wdx::test
