// A program's form class declared in one place: its name, its parent, the handlers the form
// source names ("OnClick = btQuitClick") and the controls its code reaches.
//
//   class THelloForm : public wdx::TForm {
//    public:
//     WDX_FORM(THelloForm, wdx::TForm, btLanguageClick, btQuitClick)
//     using TForm::TForm;
//
//     WDX_CONTROL(wdx::TLangControl, LangControl);
//   };
//
//   void THelloForm::btQuitClick(wdx::TObject*) { Close(); }
//
// WDX_FORM declares each handler as a member `void <handler>(wdx::TObject* sender)`, defined
// where the class's code is, and the class's metaclass, named as the class (so that the form's
// embedded stream is found by it) with the handlers published by name. WDX_CONTROL declares a
// member that the form binds to the component of its name when it is loaded (FormControl.h).
// formc reads both from the files wendrix_add_form's CLASSES names, and checks the form source
// against them. A class declared with WDX_CLASS and its own StaticClass() table works as before.
#pragma once

#include "framework/controls/Form.h"
#include "framework/controls/FormControl.h"
#include "framework/rtti/Published.h"

// WDX_FOR_EACH(macro, a, b, ...) gives macro(a) macro(b) ..., for up to 256 arguments.
#define WDX_PARENS ()
#define WDX_EXPAND(...) WDX_EXPAND4(WDX_EXPAND4(WDX_EXPAND4(WDX_EXPAND4(__VA_ARGS__))))
#define WDX_EXPAND4(...) WDX_EXPAND3(WDX_EXPAND3(WDX_EXPAND3(WDX_EXPAND3(__VA_ARGS__))))
#define WDX_EXPAND3(...) WDX_EXPAND2(WDX_EXPAND2(WDX_EXPAND2(WDX_EXPAND2(__VA_ARGS__))))
#define WDX_EXPAND2(...) WDX_EXPAND1(WDX_EXPAND1(WDX_EXPAND1(WDX_EXPAND1(__VA_ARGS__))))
#define WDX_EXPAND1(...) __VA_ARGS__
#define WDX_FOR_EACH(macro, ...) __VA_OPT__(WDX_EXPAND(WDX_FOR_EACH_STEP(macro, __VA_ARGS__)))
#define WDX_FOR_EACH_STEP(macro, first, ...) \
  macro(first) __VA_OPT__(WDX_FOR_EACH_AGAIN WDX_PARENS(macro, __VA_ARGS__))
#define WDX_FOR_EACH_AGAIN() WDX_FOR_EACH_STEP

#define WDX_DECLARE_HANDLER(handler) void handler(::wdx::TObject* sender);
#define WDX_PUBLISH_HANDLER(handler) \
  ::wdx::PublishedMethod<DeclaredClass>(#handler, &DeclaredClass::handler),

#define WDX_FORM(Name, Parent, ...)                                                              \
  WDX_FOR_EACH(WDX_DECLARE_HANDLER, __VA_ARGS__)                                                 \
  using DeclaredClass = Name;                                                                    \
  static const ::wdx::TMetaClass& StaticClass() {                                                \
    static const ::wdx::TMetaClass meta(#Name, &Parent::StaticClass(), ::wdx::FactoryOf<Name>(), \
                                        {}, {WDX_FOR_EACH(WDX_PUBLISH_HANDLER, __VA_ARGS__)});   \
    return meta;                                                                                 \
  }                                                                                              \
  WDX_CLASS_CACHE

// clang-format off
#define WDX_CONTROL(Type, name) ::wdx::TFormControl<Type> name{this, #name}
// clang-format on
