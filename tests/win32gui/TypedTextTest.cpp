// Characters typed into an edit of the window front-end, as the system hands them to the edit's
// window: one WM_CHAR message per UTF-16 unit, two for a character beyond U+FFFF. Whatever the
// system's code page, the field gets every character as UTF-8, and never half of one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Utf8.h"
#include "framework/ui/PlatformFrontEnd.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include <windows.h>

namespace wdx {
namespace {

TEST(TypedText, EveryCharacterReachesTheFieldAsUtf8) {
  const std::string typed = "Жλł保😀e";
  TForm form(nullptr);
  form.SetClientWidth(200);
  form.SetClientHeight(60);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(8, 8, 180, 24);
  edit->SetText("");
  std::vector<std::string> seen;
  const TMethodInfo changed{"Changed", 0, nullptr,
                            [&](TObject*, TObject*) { seen.push_back(edit->Text()); }};
  // Once the form is up, the characters go to the focused edit, and then the form closes.
  const TMethodInfo activated{"Activated", 0, nullptr, [&](TObject*, TObject*) {
                                HWND focus = GetFocus();
                                for (char16_t unit : Utf8ToUtf16(typed)) {
                                  PostMessageW(focus, WM_CHAR, unit, 1);
                                }
                                PostMessageW(GetAncestor(focus, GA_ROOT), WM_CLOSE, 0, 0);
                              }};
  edit->OnChange = {&changed, nullptr};
  form.OnActivate = {&activated, nullptr};
  int exitCode = 0;
  ASSERT_EQ(CreatePlatformFrontEnd(exitCode, {})->Run(form), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"Ж", "Жλ", "Жλł", "Жλł保", "Жλł保😀", typed}));
}

}  // namespace
}  // namespace wdx
