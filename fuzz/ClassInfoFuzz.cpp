// Feeds arbitrary text to the property cursor: as the value that SetValue writes into every
// published property of a component that has one property of each kind (and of a form's
// button), and to HexTextToInt. Text the cursor refuses must end in the framework's Exception;
// anything else (a crash, a sanitizer report, another exception) is a fault and ends the run.
//
// A value that SetValue took must read back with GetValue, and writing what GetValue gave must
// give the same value again. A number HexTextToInt read must read back from its own hexadecimal
// text in every marked form.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "LangControl/Source/ClassInfo.h"
#include "framework/components/Component.h"
#include "framework/controls/Control.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Variant.h"
#include "framework/rtti/Published.h"

namespace {

using wdx::TObject;

// One published property of every kind the cursor knows, and two it does not handle.
class TFuzzBox : public wdx::TComponent {
 public:
  WDX_CLASS(TFuzzBox)
  using TComponent::TComponent;
  void Ping(TObject*) {}
  int32_t Number = 0;
  char Letter = 'a';
  char16_t WideLetter = u'a';
  bool Flag = false;
  wdx::TTypeKind Kind = wdx::tkUnknown;
  double Ratio = 0;
  int64_t Big = 0;
  std::string Text;
  wdx::TAnchors Anchors;
  wdx::TComponent* Ref = nullptr;
  wdx::TNotifyEvent OnPing;
  wdx::Variant Data;
};

}  // namespace

const wdx::TMetaClass& TFuzzBox::StaticClass() {
  using B = TFuzzBox;
  using wdx::Published;
  static const wdx::TMetaClass meta("TFuzzBox", &wdx::TComponent::StaticClass(),
                                    wdx::FactoryOf<B>(),
                                    {
                                        Published<B>("Number", &B::Number, &B::Number),
                                        Published<B>("Letter", &B::Letter, &B::Letter),
                                        Published<B>("WideLetter", &B::WideLetter, &B::WideLetter),
                                        Published<B>("Flag", &B::Flag, &B::Flag),
                                        Published<B>("Kind", &B::Kind, &B::Kind),
                                        Published<B>("Ratio", &B::Ratio, &B::Ratio),
                                        Published<B>("Big", &B::Big, &B::Big),
                                        Published<B>("Text", &B::Text, &B::Text),
                                        Published<B>("Anchors", &B::Anchors, &B::Anchors),
                                        Published<B>("Ref", &B::Ref, &B::Ref),
                                        Published<B>("OnPing", &B::OnPing, &B::OnPing),
                                        Published<B>("Data", &B::Data, &B::Data),
                                    },
                                    {wdx::PublishedMethod<B>("Ping", &B::Ping)});
  return meta;
}

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "class_info_fuzz: %s%s\n", what, detail.c_str());
  std::abort();
}

// Runs `step`; a framework error is a refusal (false), any other exception a fault.
template <class Step>
bool Try(const char* what, Step step) {
  try {
    step();
    return true;
  } catch (const wdx::Exception&) {
    return false;
  } catch (const std::exception& error) {
    Fail(what, std::string(": ") + error.what());
  }
}

// Equal values; a number that is not a number is the same as itself.
bool Same(const wdx::Variant& a, const wdx::Variant& b) {
  if (a.VType() == wdx::varDouble && b.VType() == wdx::varDouble && a.RawReal() != a.RawReal()) {
    return b.RawReal() != b.RawReal();
  }
  return a == b;
}

// Writes `value` into every property of `object` and checks what the cursor then reads.
void WriteEveryProperty(TObject* object, const wdx::Variant& value) {
  wdx::TClassInfo cursor(object);
  for (int32_t i = 0; i < cursor.Count(); ++i) {
    if (!cursor.Select(i)) continue;
    if (!Try("SetValue raised a foreign exception", [&] { cursor.SetValue(value); })) continue;
    wdx::Variant read;
    if (!Try("GetValue raised a foreign exception", [&] { read = cursor.GetValue(); })) {
      Fail("a value that was written does not read: ", cursor.Name());
    }
    if (!Try("SetValue raised a foreign exception", [&] { cursor.SetValue(read); })) {
      Fail("what GetValue gave does not write back: ", cursor.Name());
    }
    if (!Same(cursor.GetValue(), read))
      Fail("the value changed on writing it back: ", cursor.Name());
  }
}

void CheckHexText(const std::string& text) {
  int32_t value = 0;
  try {
    value = wdx::HexTextToInt(text);
  } catch (const wdx::EConvertError&) {
    return;
  } catch (const std::exception& error) {
    Fail("HexTextToInt raised another exception: ", error.what());
  }
  const unsigned bits = static_cast<uint32_t>(value);
  for (const char* format : {"%Xh", "%XH", "$%X", "0x%X", "0X%08X", "%X"}) {
    const std::string again = wdx::Format(format, bits);
    if (wdx::HexTextToInt(again) != value) Fail("hexadecimal text reads back otherwise: ", again);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckHexText(text);

  wdx::TForm form(nullptr);
  auto* box = new TFuzzBox(&form);
  box->Rename("Box");
  auto* button = new wdx::TButton(&form);
  button->Rename("Button");
  button->SetParent(&form);
  // The references that GetValue writes as text are those of these live objects.
  box->Ref = button;
  box->OnPing = wdx::MethodEvent(box, "Ping");
  for (const wdx::Variant& value :
       {wdx::Variant(text), wdx::Variant::Wide(std::u16string(text.begin(), text.end()))}) {
    WriteEveryProperty(box, value);
    WriteEveryProperty(button, value);
  }
  return 0;
}
