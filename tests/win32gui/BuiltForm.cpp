#include "tests/win32gui/BuiltForm.h"

namespace wdx::win32 {

namespace {

LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR) {
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

TBuiltForm::TBuiltForm(TCustomForm& form, int dpi)
    : Builder(Windows, Gdi, Tabs, {DefWindowProcW, DefWindowProcW, Forward}),
      Built(Builder.Build(form, dpi)) {}

TBuiltForm::~TBuiltForm() {
  if (Windows.FormWindow()) DestroyWindow(Windows.FormWindow());
}

}  // namespace wdx::win32
