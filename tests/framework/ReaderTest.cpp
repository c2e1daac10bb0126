#include "framework/components/Reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/components/Collection.h"
#include "framework/components/Strings.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace reader_test {

enum TRKind : uint8_t { rkOne, rkTwo };
// More members than a set can hold: those above 31 are dropped when read.
enum TRWide : uint8_t {};
using TRWides = TSet<TRWide>;

}  // namespace reader_test

WDX_DECLARE_TYPE(reader_test::TRKind);
WDX_DECLARE_TYPE(reader_test::TRWide);
WDX_DECLARE_TYPE(reader_test::TRWides);
WDX_DEFINE_ENUM(reader_test::TRKind, "rkOne", "rkTwo")
WDX_DEFINE_ENUM(reader_test::TRWide, "w0", "w1", "w2", "w3", "w4", "w5", "w6", "w7", "w8", "w9",
                "w10", "w11", "w12", "w13", "w14", "w15", "w16", "w17", "w18", "w19", "w20", "w21",
                "w22", "w23", "w24", "w25", "w26", "w27", "w28", "w29", "w30", "w31", "w32", "w33")
WDX_DEFINE_SET(reader_test::TRWides, "TRWides", reader_test::TRWide)

namespace reader_test {
namespace {

using Bytes = std::string;

class TRFont : public TPersistent {
 public:
  WDX_CLASS(TRFont)
  int32_t Height = 0;
};

class TRItem : public TCollectionItem {
 public:
  WDX_CLASS(TRItem)
  using TCollectionItem::TCollectionItem;
  std::string Name;
};

class TRBox : public TComponent {
 public:
  WDX_CLASS(TRBox)
  using TComponent::TComponent;
  TRFont* Font() const { return font_.get(); }
  TCollection* Items() const {
    ++itemsAsked;
    return items_.get();
  }
  void SetItems(TCollection* items) { items_->Assign(items); }
  TStrings* Lines() const { return lines_.get(); }
  mutable int itemsAsked = 0;
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  int32_t Fixed() const { return 7; }
  TComponent* Ref = nullptr;
  TRKind Kind = rkOne;
  bool On = false;
  int32_t Count = 0;
  TRWides Wides;
  char16_t Letter = 0;
  Variant Data;
  TNotifyEvent OnPing;
  int32_t extra = 0;
  std::vector<uint8_t> blob;
  int loadedCalls = 0;
  TComponent* refAtLoaded = nullptr;

  void Loaded() override {
    TComponent::Loaded();
    ++loadedCalls;
    refAtLoaded = Ref;
  }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineProperty(
        "Extra_Data", [this](TReader& reader) { extra = reader.ReadInteger(); }, nullptr, false);
    filer->DefineBinaryProperty(
        "Blob",
        [this](TStream& stream) {
          blob.resize(static_cast<size_t>(stream.Remaining()));
          stream.ReadBuffer(blob.data(), static_cast<int64_t>(blob.size()));
        },
        nullptr, false);
  }

 private:
  std::unique_ptr<TRFont> font_ = std::make_unique<TRFont>();
  std::unique_ptr<TCollection> items_ = std::make_unique<TCollection>(TRItem::StaticClass());
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

class TRForm : public TComponent {
 public:
  WDX_CLASS(TRForm)
  using TComponent::TComponent;
  void Ping(TObject*) {}
  int loadedCalls = 0;
  void Loaded() override {
    TComponent::Loaded();
    ++loadedCalls;
  }
};

// Handlers called like the identifiers that the writer gives tags of their own.
class TRSpecialForm : public TComponent {
 public:
  WDX_CLASS(TRSpecialForm)
  using TComponent::TComponent;
  void OnFalse(TObject*) {}
  void OnTrue(TObject*) {}
  void OnNull(TObject*) {}
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override {
    if (root != this) return;
    for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
  }
};

}  // namespace

const TMetaClass& TRSpecialForm::StaticClass() {
  using F = TRSpecialForm;
  static const TMetaClass meta(
      "TRSpecialForm", &TComponent::StaticClass(), FactoryOf<F>(), {},
      {PublishedMethod<F>("False", &F::OnFalse), PublishedMethod<F>("True", &F::OnTrue),
       PublishedMethod<F>("Null", &F::OnNull)});
  return meta;
}

const TMetaClass& TRFont::StaticClass() {
  static const TMetaClass meta("TRFont", &TPersistent::StaticClass(), FactoryOf<TRFont>(),
                               {Published<TRFont>("Height", &TRFont::Height, &TRFont::Height)});
  return meta;
}

const TMetaClass& TRItem::StaticClass() {
  static const TMetaClass meta("TRItem", &TCollectionItem::StaticClass(), FactoryOf<TRItem>(),
                               {Published<TRItem>("Name", &TRItem::Name, &TRItem::Name)});
  return meta;
}

const TMetaClass& TRBox::StaticClass() {
  static const TMetaClass meta("TRBox", &TComponent::StaticClass(), FactoryOf<TRBox>(),
                               {
                                   Published<TRBox>("Font", &TRBox::Font),
                                   Published<TRBox>("Items", &TRBox::Items, &TRBox::SetItems),
                                   Published<TRBox>("Lines", &TRBox::Lines, &TRBox::SetLines),
                                   Published<TRBox>("Fixed", &TRBox::Fixed),
                                   Published<TRBox>("Ref", &TRBox::Ref, &TRBox::Ref),
                                   Published<TRBox>("Kind", &TRBox::Kind, &TRBox::Kind),
                                   Published<TRBox>("On", &TRBox::On, &TRBox::On),
                                   Published<TRBox>("Count", &TRBox::Count, &TRBox::Count),
                                   Published<TRBox>("Wides", &TRBox::Wides, &TRBox::Wides),
                                   Published<TRBox>("Letter", &TRBox::Letter, &TRBox::Letter),
                                   Published<TRBox>("Data", &TRBox::Data, &TRBox::Data),
                                   Published<TRBox>("OnPing", &TRBox::OnPing, &TRBox::OnPing),
                               });
  return meta;
}

const TMetaClass& TRForm::StaticClass() {
  static const TMetaClass meta("TRForm", &TComponent::StaticClass(), FactoryOf<TRForm>(), {},
                               {PublishedMethod<TRForm>("Ping", &TRForm::Ping)});
  return meta;
}

namespace {

Bytes Hex(std::initializer_list<int> bytes) {
  Bytes out;
  for (int b : bytes) out.push_back(static_cast<char>(b));
  return out;
}
Bytes Str(const std::string& text) {
  return Hex({static_cast<int>(text.size())}) + text;
}
Bytes Prop(const std::string& name, const Bytes& value) {
  return Str(name) + value;
}
Bytes Ident(const std::string& name) {
  return Hex({7}) + Str(name);
}
Bytes String(const std::string& text) {
  return Hex({6}) + Str(text);
}
Bytes Record(const std::string& cls, const std::string& name, const Bytes& props,
             const Bytes& children = "") {
  return Str(cls) + Str(name) + props + Hex({0}) + children + Hex({0});
}
Bytes FormStream(const Bytes& boxes, const Bytes& formProps = "") {
  return "TPF0" + Record("TRForm", "Form", formProps, boxes);
}

const TMetaClass* FindTestClass(const std::string& name) {
  return name == "TRBox" ? &TRBox::StaticClass() : nullptr;
}

// Reads `bytes` into `form`; returns the error message, or "" when the read succeeds.
std::string ReadInto(const Bytes& bytes, TRForm& form, TReader::TErrorHook onError = nullptr) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  reader.OnFindClass = FindTestClass;
  reader.OnError = std::move(onError);
  try {
    reader.ReadRootComponent(&form);
  } catch (const EFilerError& error) {
    return error.Message();
  }
  return "";
}

TRBox* Box(TRForm& form, const std::string& name) {
  return dynamic_cast<TRBox*>(form.FindComponent(name));
}

template <class Fn>
auto OnBytes(const Bytes& bytes, Fn fn) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  return fn(reader);
}

std::string ErrorOf(const Bytes& bytes, void (*fn)(TReader&)) {
  try {
    OnBytes(bytes, [fn](TReader& r) {
      fn(r);
      return 0;
    });
  } catch (const EReadError& error) {
    return error.Message();
  }
  return "";
}

TEST(ReaderValues, TagsIdentifiersAndVariants) {
  EXPECT_EQ(OnBytes(Hex({13}), [](TReader& r) { return r.ReadIdent(); }), "nil");
  EXPECT_EQ(OnBytes(Hex({0}), [](TReader& r) { return r.ReadIdent(); }), "Null");
  EXPECT_EQ(OnBytes(Hex({9}), [](TReader& r) { return r.ReadIdent(); }), "True");
  EXPECT_EQ(OnBytes(Ident("clRed"), [](TReader& r) { return r.ReadIdent(); }), "clRed");
  EXPECT_EQ(OnBytes(Hex({2, 0xFB}), [](TReader& r) { return r.ReadInteger(); }), -5);
  EXPECT_EQ(OnBytes(Hex({3, 0x70, 1}), [](TReader& r) { return r.ReadInteger(); }), 368);
  EXPECT_EQ(OnBytes(Hex({4, 0, 0x80, 0, 0}), [](TReader& r) { return r.ReadInt64(); }), 32768);
  EXPECT_EQ(OnBytes(Hex({12, 2, 0, 0, 0, 'h', 'i'}), [](TReader& r) { return r.ReadString(); }),
            "hi");
  EXPECT_EQ(OnBytes(Hex({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}),
                    [](TReader& r) { return r.ReadFloat(); }),
            1.5);
  EXPECT_EQ(ErrorOf(String("x"), [](TReader& r) { r.ReadInteger(); }), "Invalid property value");
  EXPECT_EQ(ErrorOf(String("xy"), [](TReader& r) { r.ReadChar(); }), "Invalid property value");

  auto variant = [](const Bytes& bytes) {
    return OnBytes(bytes, [](TReader& r) { return r.ReadVariant(); });
  };
  EXPECT_EQ(variant(Hex({13})), Variant());
  EXPECT_EQ(variant(Hex({0})), Variant::Null());
  EXPECT_EQ(variant(Hex({2, 5})), Variant::Byte(5));
  EXPECT_EQ(variant(Hex({2, 0xFB})), Variant::Smallint(-5));  // keeps its sign
  EXPECT_EQ(variant(Hex({3, 0x70, 1})), Variant::Smallint(368));
  EXPECT_EQ(variant(Hex({4, 0, 0, 1, 0})), Variant(65536));
  EXPECT_EQ(variant(Hex({8})), Variant(false));
  EXPECT_EQ(variant(Hex({18, 1, 0, 0, 0, 'w', 0})), Variant::Wide(u"w"));
  EXPECT_EQ(variant(Hex({16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0})), Variant::Currency(15000));
  EXPECT_EQ(ErrorOf(Hex({11, 0}), [](TReader& r) { r.ReadVariant(); }), "Stream read error");
}

TEST(ReaderSkip, MovesPastEveryKindOfValue) {
  auto after = [](const Bytes& value) {
    return OnBytes(value + Hex({9}), [](TReader& r) {
      r.SkipValue();
      return r.ReadValue();
    });
  };
  EXPECT_EQ(after(Hex({18, 2, 0, 0, 0, 'a', 0, 'b', 0})), vaTrue);  // 4 + 2n bytes
  EXPECT_EQ(after(Hex({0x86, 1, 'x'})), vaTrue);                    // low seven bits: a string
  EXPECT_EQ(after(Hex({20})), vaTrue);                              // unassigned: no payload
  EXPECT_EQ(after(Hex({1, 2, 1, 1, 6, 0, 0, 0})), vaTrue);          // nested lists
  EXPECT_EQ(after(Hex({11}) + Str("a") + Str("bc") + Hex({0})), vaTrue);
  EXPECT_EQ(after(Hex({10, 3, 0, 0, 0, 1, 2, 3})), vaTrue);
  EXPECT_EQ(after(Hex({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})), vaTrue);
  EXPECT_EQ(after(Hex({14, 2, 5, 1}) + Prop("Name", String("x")) + Hex({0, 1, 0, 0})), vaTrue);
  // A wrong tag where a list begins is skipped before the error.
  EXPECT_EQ(OnBytes(String("ab") + Hex({9}),
                    [](TReader& r) {
                      EXPECT_THROW(r.ReadListBegin(), EReadError);
                      return r.ReadValue();
                    }),
            vaTrue);
}

TEST(ReaderProperties, PathsCollectionsListsAndCustomNames) {
  RegisterClass(TRBox::StaticClass());
  TRForm form(nullptr);
  const Bytes items = Hex({14, 2, 5, 1}) + Prop("Name", String("first")) + Hex({0, 1}) +
                      Prop("name", String("second")) + Hex({0, 0});
  const Bytes props =
      Prop("Font.Height", Hex({2, 0xF5})) + Prop("Items", items) +
      Prop("Lines.Strings", Hex({1}) + String("a") + Hex({12, 1, 0, 0, 0, 'b', 0})) +
      Prop("KIND", Ident("rkTwo")) + Prop("On", Hex({9})) + Prop("Count", Hex({3, 0, 1})) +
      Prop("Wides", Hex({11}) + Str("w1") + Str("w33") + Hex({0})) + Prop("Data", String("v")) +
      Prop("OnPing", Ident("ping")) + Prop("extra_data", Hex({2, 42})) +
      Prop("BLOB", Hex({10, 2, 0, 0, 0, 0xAB, 0xCD}));
  // No OnFindClass hook here: the class comes from the registry.
  TMemoryStream stream(FormStream(Record("TRBox", "Box1", props)));
  TReader reader(stream);
  reader.ReadRootComponent(&form);
  EXPECT_EQ(stream.Remaining(), 0);
  TRBox* box = Box(form, "Box1");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Font()->Height, -11);
  ASSERT_EQ(box->Items()->Count(), 2);
  EXPECT_EQ(static_cast<TRItem*>(box->Items()->Items(0))->Name, "first");
  EXPECT_EQ(static_cast<TRItem*>(box->Items()->Items(1))->Name, "second");
  EXPECT_EQ(box->Lines()->Text(), "a\r\nb\r\n");
  EXPECT_EQ(box->Kind, rkTwo);
  EXPECT_TRUE(box->On);
  EXPECT_EQ(box->Count, 256);
  EXPECT_EQ(box->Wides.Bits(), 2u);
  EXPECT_EQ(box->Data, Variant("v"));
  EXPECT_EQ(box->OnPing, MethodEvent(&form, "Ping"));
  EXPECT_EQ(box->extra, 42);
  EXPECT_EQ(box->blob, (std::vector<uint8_t>{0xAB, 0xCD}));

  // An empty collection value leaves the items, and the reader does not even ask for them (an
  // object may make its collections when first asked); a nil handler clears the handler.
  TRForm again(nullptr);
  const Bytes twice = Record("TRBox", "Box1",
                             Prop("Items", items) + Prop("Items", Hex({14, 0})) +
                                 Prop("OnPing", Ident("Ping")) + Prop("OnPing", Hex({13})));
  EXPECT_EQ(ReadInto(FormStream(twice), again), "");
  EXPECT_EQ(Box(again, "Box1")->itemsAsked, 1);
  EXPECT_EQ(Box(again, "Box1")->Items()->Count(), 2);
  EXPECT_FALSE(Box(again, "Box1")->OnPing);
}

TEST(ReaderErrors, MessagesAreWrappedWithObjectAndProperty) {
  auto error = [](const Bytes& props, const std::string& name = "Box1") {
    TRForm form(nullptr);
    return ReadInto(FormStream(Record("TRBox", name, props)), form);
  };
  EXPECT_EQ(error(Prop("Nope.Height", Hex({2, 1}))),
            "Error reading Box1.Nope.Height: Property does not exist");
  EXPECT_EQ(error(Prop("Count.Height", Hex({2, 1}))),
            "Error reading Box1.Count.Height: Invalid property path");
  EXPECT_EQ(error(Prop("Fixed", Hex({2, 1}))), "Error reading Box1.Fixed: Property is read-only");
  EXPECT_EQ(error(Prop("Zap", Hex({2, 1})), ""),
            "Error reading TRBox.Zap: Property does not exist");
  EXPECT_EQ(error(Prop("Kind", Ident("rkThree"))),
            "Error reading Box1.Kind: Invalid property value");
  EXPECT_EQ(error(Prop("Kind", String("rkOne"))),
            "Error reading Box1.Kind: Invalid property value");
  EXPECT_EQ(error(Prop("Wides", Hex({11}) + Str("w99") + Hex({0}))),
            "Error reading Box1.Wides: Invalid property value");
  EXPECT_EQ(error(Prop("OnPing", Ident("Pong"))),
            "Error reading Box1.OnPing: Invalid property value");
  EXPECT_EQ(error(Prop("Blob", String("x"))), "Error reading Box1.Blob: Invalid property value");
  EXPECT_EQ(error(Prop("Data", Hex({11, 0}))), "Error reading Box1.Data: Stream read error");
  EXPECT_EQ(error(Prop("Items", Hex({14, 1}) + Prop("Zip", Hex({2, 1})) + Hex({0, 0}))),
            "Error reading Box1.Items: Error reading TRItem.Zip: Property does not exist");

  TRForm form(nullptr);
  EXPECT_EQ(ReadInto("TPF1" + Record("TRForm", "Form", ""), form), "Invalid stream format");
  TMemoryStream stream(FormStream(Record("TRNope", "X", "")));
  TReader reader(stream);
  try {
    reader.ReadRootComponent(&form);
    FAIL() << "an unknown class was read";
  } catch (const EClassNotFound& notFound) {
    EXPECT_STREQ(notFound.what(), "Class TRNope not found");
  }
}

TEST(ReaderErrors, OwnerMayIgnoreAnErrorAndGoOn) {
  const Bytes props = Prop("Kind", Ident("rkThree")) +
                      Prop("Items", Hex({14, 1}) + Prop("Zip", Hex({2, 1})) + Hex({0, 0})) +
                      Prop("Count", Hex({2, 9}));
  std::vector<std::string> seen;
  TRForm form(nullptr);
  EXPECT_EQ(ReadInto(FormStream(Record("TRBox", "Box1", props)), form,
                     [&](const std::string& message) {
                       seen.push_back(message);
                       return true;
                     }),
            "");
  EXPECT_EQ(seen, (std::vector<std::string>{"Error reading Box1.Kind: Invalid property value",
                                            "Error reading TRItem.Zip: Property does not exist"}));
  EXPECT_EQ(Box(form, "Box1")->Count, 9);
  EXPECT_EQ(Box(form, "Box1")->Items()->Count(), 1);

  TRForm refused(nullptr);
  EXPECT_EQ(ReadInto(FormStream(Record("TRBox", "Box1", props)), refused,
                     [](const std::string&) { return false; }),
            "Error reading Box1.Kind: Invalid property value");
}

TEST(ReaderReferences, ResolvedAfterTheStreamThenLoaded) {
  TRForm form(&Application());
  const Bytes boxes = Record("TRBox", "Box1", Prop("Ref", Ident("Box2"))) +
                      Record("TRBox", "Box2", Prop("Ref", Ident("Owner"))) +
                      Record("TRBox", "Box3", Prop("Ref", Ident("Gone"))) +
                      Record("TRBox", "Box4", Prop("Ref", Hex({13})));
  {
    TMemoryStream stream(FormStream(boxes));
    TReader reader(stream);
    reader.OnFindClass = FindTestClass;
    reader.ReadRootComponent(&form);
  }
  EXPECT_EQ(Box(form, "Box1")->Ref, Box(form, "Box2"));
  EXPECT_EQ(Box(form, "Box1")->refAtLoaded, Box(form, "Box2"));  // fix-up came first
  EXPECT_EQ(Box(form, "Box2")->Ref, &form);
  EXPECT_EQ(Box(form, "Box3")->Ref, nullptr);
  EXPECT_EQ(Box(form, "Box4")->Ref, nullptr);
  for (const char* name : {"Box1", "Box2", "Box3", "Box4"}) {
    EXPECT_EQ(Box(form, name)->loadedCalls, 1) << name;
    EXPECT_FALSE(Box(form, name)->IsLoading()) << name;
  }
  EXPECT_EQ(form.loadedCalls, 1);

  // "A.B" finds B owned by A among the application's top-level components.
  TComponent* holder = new TComponent(&Application());
  holder->Rename("Other");
  auto* farAway = new TRBox(holder);
  farAway->Rename("Far");
  TRForm second(&Application());
  const Bytes refs = Record("TRBox", "Box1", Prop("Ref", Ident("Other.Far")));
  EXPECT_EQ(ReadInto(FormStream(refs), second), "");
  EXPECT_EQ(Box(second, "Box1")->Ref, farAway);
  delete holder;
}

TEST(ReaderReferences, NamesWrittenAsFalseTrueOrNullTagsNameComponentsAndHandlers) {
  // Tags 8, 9 and 0 of an identifier are the names False, True and Null, for references and
  // handler names alike.
  const Bytes boxes = Record("TRBox", "False", Prop("Ref", Hex({9})) + Prop("OnPing", Hex({0}))) +
                      Record("TRBox", "True", Prop("Ref", Hex({0})) + Prop("OnPing", Hex({8}))) +
                      Record("TRBox", "Null", Prop("Ref", Hex({8})) + Prop("OnPing", Hex({9})));
  const auto read = [](const Bytes& bytes, TRSpecialForm& form) {
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.OnFindClass = FindTestClass;
    reader.ReadRootComponent(&form);
  };
  TRSpecialForm form(nullptr);
  read("TPF0" + Record("TRSpecialForm", "Form", "", boxes), form);
  const auto box = [](TComponent& owner, const char* name) {
    return dynamic_cast<TRBox*>(owner.FindComponent(name));
  };
  ASSERT_TRUE(box(form, "False") && box(form, "True") && box(form, "Null"));
  EXPECT_EQ(box(form, "False")->Ref, box(form, "True"));
  EXPECT_EQ(box(form, "True")->Ref, box(form, "Null"));
  EXPECT_EQ(box(form, "Null")->Ref, box(form, "False"));
  EXPECT_EQ(box(form, "False")->OnPing.Code->Name, "Null");
  EXPECT_EQ(box(form, "True")->OnPing.Code->Name, "False");
  EXPECT_EQ(box(form, "Null")->OnPing.Code->Name, "True");
  EXPECT_EQ(box(form, "Null")->OnPing.Data, &form);

  // The writer keeps tag 7 for both, and what it writes reads back the same.
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteRootComponent(&form);
  const Bytes written = out.AsString();
  EXPECT_NE(written.find(Prop("Ref", Ident("True"))), Bytes::npos);
  EXPECT_NE(written.find(Prop("OnPing", Ident("Null"))), Bytes::npos);
  TRSpecialForm copy(nullptr);
  read(written, copy);
  EXPECT_EQ(box(copy, "False")->Ref, box(copy, "True"));
  EXPECT_EQ(box(copy, "True")->OnPing.Code->Name, "False");
}

TEST(ReaderValues, WideCharactersAboveByteRangeReadBackFromTheirWideString) {
  TRForm form(nullptr);
  auto* box = new TRBox(&form);
  box->Rename("Box1");
  // The box's properties as the writer writes them, read back into a new form.
  const auto roundTrip = [box](char16_t letter) {
    box->Letter = letter;
    TMemoryStream out;
    TWriter writer(out);
    writer.WriteProperties(box);
    TRForm copy(nullptr);
    EXPECT_EQ(ReadInto(FormStream(Record("TRBox", "Box1", out.AsString())), copy), "");
    const TRBox* read = Box(copy, "Box1");
    return std::make_pair(out.AsString(), read ? read->Letter : u'?');
  };
  const auto [euroBytes, euro] = roundTrip(u'\u20AC');
  EXPECT_NE(euroBytes.find(Prop("Letter", Hex({18, 1, 0, 0, 0, 0xAC, 0x20}))), Bytes::npos);
  EXPECT_EQ(euro, u'\u20AC');
  const auto [plainBytes, plain] = roundTrip(u'\u00E9');
  EXPECT_NE(plainBytes.find(Prop("Letter", Hex({6, 1, 0xE9}))), Bytes::npos);
  EXPECT_EQ(plain, u'\u00E9');

  // A wide string of more than one code unit is no character.
  TRForm other(nullptr);
  EXPECT_EQ(
      ReadInto(FormStream(Record("TRBox", "B", Prop("Letter", Hex({18, 2, 0, 0, 0, 1, 0, 2, 0})))),
               other),
      "Error reading B.Letter: Invalid property value");
}

TEST(ReaderRoot, NameMadeUniqueAmongTheApplicationsComponents) {
  TRForm first(&Application());
  first.Rename("Main");
  TRForm taken(&Application());
  taken.Rename("Main_1");
  TRForm form(&Application());
  EXPECT_EQ(ReadInto("TPF0" + Record("TWhatever", "Main", ""), form), "");
  EXPECT_EQ(form.Name(), "Main_2");
  // Reading again into the same form keeps its name: it does not clash with itself.
  EXPECT_EQ(ReadInto("TPF0" + Record("TWhatever", "Main_2", ""), form), "");
  EXPECT_EQ(form.Name(), "Main_2");
  EXPECT_EQ(form.loadedCalls, 2);
}

TEST(ReaderHostileInput, TruncatedOrMalformedStreamsFailCleanly) {
  const Bytes items = Hex({14, 2, 1, 1}) + Prop("Name", String("n")) + Hex({0, 0});
  const Bytes valid =
      FormStream(Record("TRBox", "Box1",
                        Prop("Font.Height", Hex({3, 0, 1})) + Prop("Items", items) +
                            Prop("Lines.Strings", Hex({1}) + String("a") + Hex({0})) +
                            Prop("Data", Hex({18, 1, 0, 0, 0, 'w', 0})) +
                            Prop("Ref", Ident("Owner")) + Prop("Blob", Hex({10, 1, 0, 0, 0, 7}))));
  {
    TRForm form(nullptr);
    ASSERT_EQ(ReadInto(valid, form), "");
  }
  const std::string suffix = "Stream read error";
  for (size_t cut = 0; cut < valid.size(); ++cut) {
    TRForm form(nullptr);
    const std::string message = ReadInto(valid.substr(0, cut), form);
    if (cut < 4) {
      EXPECT_EQ(message, "Invalid stream format") << cut;
    } else {
      ASSERT_GE(message.size(), suffix.size()) << cut;
      EXPECT_EQ(message.substr(message.size() - suffix.size()), suffix) << cut;
    }
  }

  auto failure = [](const Bytes& value, const std::string& name = "Data") {
    TRForm form(nullptr);
    return ReadInto(FormStream(Record("TRBox", "Box1", Prop(name, value))), form);
  };
  // Lengths beyond the stream fail before anything is allocated.
  EXPECT_EQ(failure(Hex({12, 0xF0, 0xFF, 0xFF, 0xFF})),
            "Error reading Box1.Data: Stream read error");
  EXPECT_EQ(failure(Hex({18, 0xFF, 0xFF, 0xFF, 0x7F})),
            "Error reading Box1.Data: Stream read error");
  // Nesting beyond the limit.
  EXPECT_EQ(failure(Bytes(200, '\x01') + Bytes(200, '\0'), "Zap"),
            "Error reading Box1.Zap: Stream read error");
  EXPECT_EQ(failure(Bytes(50, '\x01') + Bytes(50, '\0'), "Zap"),
            "Error reading Box1.Zap: Property does not exist");
  TRForm form(nullptr);
  Bytes deep = "TPF0";
  for (int i = 0; i < 100; ++i) deep += Str("TRBox") + Str("") + Hex({0});
  EXPECT_EQ(ReadInto(deep + Bytes(100, '\0'), form), "Stream read error");

  // Random damage never escapes as anything but the framework's errors.
  uint32_t seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = valid;
    for (int k = 0; k < 3; ++k) {
      seed = seed * 1103515245u + 12345u;
      const size_t at = 4 + (seed >> 8) % (damaged.size() - 4);
      seed = seed * 1103515245u + 12345u;
      damaged[at] = static_cast<char>(seed >> 16);
    }
    TRForm target(nullptr);
    TMemoryStream stream(damaged);
    TReader reader(stream);
    reader.OnFindClass = FindTestClass;
    try {
      reader.ReadRootComponent(&target);
    } catch (const Exception&) {
    }
  }
}

// An inherited record moves an existing control under the record that holds it. Inside its own
// record, or inside a control it contains, that would make the control its own ancestor: a
// parent cycle that no later walk or destructor survives.
TEST(ReaderHostileInput, InheritedRecordCannotMakeAControlItsOwnAncestor) {
  auto read = [](const Bytes& children) {
    TForm form(nullptr);
    TMemoryStream stream("TPF0" + Record("TForm", "Form", "", children));
    TReader reader(stream);
    reader.OnFindClass = [](const std::string& name) -> const TMetaClass* {
      if (name == "TPanel") return &TPanel::StaticClass();
      if (name == "TLabel") return &TLabel::StaticClass();
      return nullptr;
    };
    try {
      reader.ReadRootComponent(&form);
    } catch (const EReadError& error) {
      return error.Message();
    }
    return std::string();
  };
  auto inherited = [](const std::string& name, const Bytes& children = "") {
    return Hex({0xF1}) + Record("TPanel", name, "", children);
  };
  const Bytes nested = Record("TPanel", "A", "", Record("TPanel", "B", ""));
  EXPECT_EQ(read(Record("TPanel", "A", "", inherited("A"))), "Stream read error");
  EXPECT_EQ(read(Record("TPanel", "A", "", Record("TPanel", "B", "", inherited("A")))),
            "Stream read error");
  // A label does not take children, so B keeps A as its parent while its record sits in L's.
  EXPECT_EQ(read(nested + Record("TLabel", "L", "", inherited("B", inherited("A")))),
            "Stream read error");
  // Moving a control anywhere outside itself is fine.
  EXPECT_EQ(
      read(nested + inherited("B", inherited("A")) + Record("TPanel", "C", "", inherited("B"))),
      "");
}

}  // namespace
}  // namespace reader_test
}  // namespace wdx
