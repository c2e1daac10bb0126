#include "framework/components/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "framework/components/Collection.h"
#include "framework/components/Extended80.h"
#include "framework/components/Reader.h"
#include "framework/components/Strings.h"
#include "framework/controls/Control.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace writer_test {

enum TWShape : uint8_t { wsNone, wsBox, wsRound };
using TWShapes = TSet<TWShape>;
enum class TWColor : int32_t {};
inline constexpr TWColor kRed = static_cast<TWColor>(0xFF);

}  // namespace writer_test

WDX_DECLARE_TYPE(writer_test::TWShape);
WDX_DECLARE_TYPE(writer_test::TWShapes);
WDX_DECLARE_TYPE(writer_test::TWColor);

WDX_DEFINE_ENUM(writer_test::TWShape, "wsNone", "wsBox", "wsRound")
WDX_DEFINE_SET(writer_test::TWShapes, "TWShapes", writer_test::TWShape)

const TTypeInfo* TypeOfT<writer_test::TWColor>::Get() {
  static const TTypeInfo info = [] {
    TTypeInfo type = MakeOrdinalType(tkInteger, "TWColor", std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max());
    type.IdentMap = {{0xFF, "clRed"}, {0, "clBlack"}};
    return type;
  }();
  return &info;
}

namespace writer_test {
namespace {

using Bytes = std::string;

class TWFont : public TPersistent {
 public:
  WDX_CLASS(TWFont)
  int32_t Height = 0;
  std::string Name;
  TWShapes Style;
  void Assign(const TPersistent* source) override {
    const auto& other = CastTo<TWFont>(source);
    Height = other.Height;
    Name = other.Name;
    Style = other.Style;
  }
};

class TWItem : public TCollectionItem {
 public:
  WDX_CLASS(TWItem)
  using TCollectionItem::TCollectionItem;
  std::string Caption;
  int32_t Value = 0;
  TComponent* Ref = nullptr;
};

class TWPanel : public TWinControl {
 public:
  WDX_CLASS(TWPanel)
  explicit TWPanel(TComponent* owner) : TWinControl(owner) {}
  TWFont* Face() const { return face_.get(); }
  void SetFace(TWFont* font) { face_->Assign(font); }
  TCollection* Items() const { return items_.get(); }
  void SetItems(TCollection* items) { items_->Assign(items); }
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  TComponent* Buddy = nullptr;
  TWColor Tint = kRed;
  TWShape Shape = wsNone;
  bool Flag = false;
  double Ratio = 0;
  int64_t Big = 0;
  Variant Data;
  std::string Text;
  TNotifyEvent OnPing;

 private:
  std::unique_ptr<TWFont> face_ = std::make_unique<TWFont>();
  std::unique_ptr<TCollection> items_ = std::make_unique<TCollection>(TWItem::StaticClass());
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

class TWTimer : public TComponent {
 public:
  WDX_CLASS(TWTimer)
  using TComponent::TComponent;
  int32_t Interval = 1000;
};

class TWForm : public TWinControl {
 public:
  WDX_CLASS(TWForm)
  explicit TWForm(TComponent* owner) : TWinControl(owner) {}
  void PanelPing(TObject*) {}
};

}  // namespace

const TMetaClass& TWFont::StaticClass() {
  static const TMetaClass meta(
      "TWFont", &TPersistent::StaticClass(), FactoryOf<TWFont>(),
      {
          Published<TWFont>("Height", &TWFont::Height, &TWFont::Height),
          Published<TWFont>("Name", &TWFont::Name, &TWFont::Name),
          Published<TWFont>("Style", &TWFont::Style, &TWFont::Style).WithDefault(0),
      });
  return meta;
}

const TMetaClass& TWItem::StaticClass() {
  static const TMetaClass meta(
      "TWItem", &TCollectionItem::StaticClass(), FactoryOf<TWItem>(),
      {
          Published<TWItem>("Caption", &TWItem::Caption, &TWItem::Caption),
          Published<TWItem>("Value", &TWItem::Value, &TWItem::Value).WithDefault(0),
          Published<TWItem>("Ref", &TWItem::Ref, &TWItem::Ref),
      });
  return meta;
}

const TMetaClass& TWPanel::StaticClass() {
  static const TMetaClass meta(
      "TWPanel", &TWinControl::StaticClass(), FactoryOf<TWPanel>(),
      {
          Published<TWPanel>("Face", &TWPanel::Face, &TWPanel::SetFace),
          Published<TWPanel>("Items", &TWPanel::Items, &TWPanel::SetItems),
          Published<TWPanel>("Lines", &TWPanel::Lines, &TWPanel::SetLines),
          Published<TWPanel>("Buddy", &TWPanel::Buddy, &TWPanel::Buddy),
          Published<TWPanel>("Tint", &TWPanel::Tint, &TWPanel::Tint),
          Published<TWPanel>("Shape", &TWPanel::Shape, &TWPanel::Shape).WithDefault(wsNone),
          Published<TWPanel>("Flag", &TWPanel::Flag, &TWPanel::Flag).WithDefault(0),
          Published<TWPanel>("Ratio", &TWPanel::Ratio, &TWPanel::Ratio),
          Published<TWPanel>("Big", &TWPanel::Big, &TWPanel::Big),
          Published<TWPanel>("Data", &TWPanel::Data, &TWPanel::Data),
          Published<TWPanel>("Text", &TWPanel::Text, &TWPanel::Text),
          Published<TWPanel>("OnPing", &TWPanel::OnPing, &TWPanel::OnPing),
      });
  return meta;
}

const TMetaClass& TWTimer::StaticClass() {
  static const TMetaClass meta(
      "TWTimer", &TComponent::StaticClass(), FactoryOf<TWTimer>(),
      {Published<TWTimer>("Interval", &TWTimer::Interval, &TWTimer::Interval).WithDefault(1000)});
  return meta;
}

const TMetaClass& TWForm::StaticClass() {
  static const TMetaClass meta("TWForm", &TWinControl::StaticClass(), FactoryOf<TWForm>(), {},
                               {PublishedMethod<TWForm>("PanelPing", &TWForm::PanelPing)});
  return meta;
}

namespace {

template <class Fn>
Bytes Written(Fn fn) {
  TMemoryStream stream;
  TWriter writer(stream);
  fn(writer);
  return stream.AsString();
}

Bytes Hex(std::initializer_list<int> bytes) {
  Bytes out;
  for (int b : bytes) out.push_back(static_cast<char>(b));
  return out;
}

TEST(WriterIntegers, UseTheSmallestTag) {
  auto integer = [](int32_t v) { return Written([v](TWriter& w) { w.WriteInteger(v); }); };
  EXPECT_EQ(integer(-128), Hex({2, 0x80}));
  EXPECT_EQ(integer(127), Hex({2, 0x7F}));
  EXPECT_EQ(integer(-129), Hex({3, 0x7F, 0xFF}));
  EXPECT_EQ(integer(128), Hex({3, 0x80, 0x00}));
  EXPECT_EQ(integer(368), Hex({3, 0x70, 0x01}));
  EXPECT_EQ(integer(32767), Hex({3, 0xFF, 0x7F}));
  EXPECT_EQ(integer(32768), Hex({4, 0x00, 0x80, 0x00, 0x00}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInt64(-5); }), Hex({2, 0xFB}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInt64(int64_t{1} << 32); }),
            Hex({19, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(WriterStrings, ShortUpTo255BytesThenLong) {
  const Bytes s255(255, 'a');
  const Bytes s256(256, 'b');
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteString(s255); }), Hex({6, 0xFF}) + s255);
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteString(s256); }), Hex({12, 0, 1, 0, 0}) + s256);
  EXPECT_EQ(Written([](TWriter& w) { w.WriteString(""); }), Hex({6, 0}));
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteStr(s256); }), Hex({0xFF}) + s256.substr(0, 255));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteWideString(u"h\u00e9"); }),
            Hex({18, 2, 0, 0, 0, 'h', 0, 0xE9, 0}));
}

TEST(WriterValues, IdentifiersSetsCollectionsAndLists) {
  EXPECT_EQ(Written([](TWriter& w) { w.WriteIdent("True"); }), Hex({9}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteIdent("false"); }), Hex({8}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteIdent("NULL"); }), Hex({0}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteIdent("Nil"); }), Hex({13}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteIdent("clRed"); }), Hex({7, 5}) + "clRed");
  const TTypeInfo& shapes = *TypeOf<TWShapes>();
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteSet(shapes, 0); }), Hex({11, 0}));
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteSet(shapes, 6); }),
            Hex({11, 5}) + "wsBox" + Hex({7}) + "wsRound" + Hex({0}));
  TCollection empty(TWItem::StaticClass());
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteCollection(&empty); }), Hex({14, 0}));
  EXPECT_EQ(Written([](TWriter& w) {
              w.WriteListBegin();
              w.WriteListEnd();
            }),
            Hex({1, 0}));
  const uint8_t blob[] = {1, 2};
  EXPECT_EQ(Written([&](TWriter& w) { w.WriteBinary(blob, 2); }), Hex({10, 2, 0, 0, 0, 1, 2}));
  EXPECT_EQ(Written([](TWriter& w) { w.WritePrefix(ffChildPos, 3); }), Hex({0xF2, 2, 3}));
  EXPECT_EQ(Written([](TWriter& w) { w.WritePrefix(0, 3); }), "");
}

TEST(WriterVariants, TagByVariantTypeAndNoArrays) {
  auto variant = [](const Variant& v) { return Written([&](TWriter& w) { w.WriteVariant(v); }); };
  EXPECT_EQ(variant(Variant()), Hex({13}));
  EXPECT_EQ(variant(Variant::Null()), Hex({0}));
  EXPECT_EQ(variant(Variant::Byte(200)), Hex({3, 200, 0}));
  EXPECT_EQ(variant(Variant::Smallint(5)), Hex({2, 5}));
  EXPECT_EQ(variant(Variant(true)), Hex({9}));
  EXPECT_EQ(variant(Variant("ab")), Hex({6, 2, 'a', 'b'}));
  EXPECT_EQ(variant(Variant::Currency(15000)), Hex({16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(variant(Variant::Single(1.0f)), Hex({15, 0, 0, 0x80, 0x3F}));
  EXPECT_EQ(variant(Variant::Int64(7)), Hex({6, 1, '7'}));  // other types travel as text
  try {
    variant(Variant::Array(varInteger, {Variant(1)}));
    FAIL() << "a variant array was written";
  } catch (const EWriteError& error) {
    EXPECT_STREQ(error.what(), "Stream write error");
  }
}

TEST(Extended80, ConvertsExactlyAndRoundsToNearestEven) {
  EXPECT_EQ(Written([](TWriter& w) { w.WriteFloat(1.5); }),
            Hex({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}));
  const double samples[] = {0.0,       -0.0,       1.0 / 3,
                            -2.5e-300, 4.9e-324,   1e308,
                            -1e-310,   123456.789, std::numeric_limits<double>::infinity()};
  for (double value : samples) {
    const double back = Extended80ToDouble(DoubleToExtended80(value));
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << value;
  }
  EXPECT_TRUE(std::isnan(Extended80ToDouble(DoubleToExtended80(std::nan("")))));
  // 1 + 2^-53 exactly halfway between 1 and the next double: ties to even gives 1.
  TExtended80 half = DoubleToExtended80(1.0);
  half[1] = 0x04;  // mantissa bit 10
  EXPECT_EQ(Extended80ToDouble(half), 1.0);
  half[0] = 0x01;  // just above halfway
  EXPECT_EQ(Extended80ToDouble(half), 1.0 + std::ldexp(1.0, -52));
  TExtended80 huge = DoubleToExtended80(1.0);
  huge[8] = 0xFE;  // exponent 0x7FFE: far beyond the double range
  huge[9] = 0x7F;
  EXPECT_EQ(Extended80ToDouble(huge), std::numeric_limits<double>::infinity());
}

// A small form: a panel with a nested panel, a non-visual component and every kind of value.
struct TestForm {
  std::unique_ptr<TWForm> form = std::make_unique<TWForm>(nullptr);
  TWPanel* outer = nullptr;
  TWPanel* inner = nullptr;
  TWTimer* timer = nullptr;

  TestForm() {
    form->Rename("Form1");
    outer = new TWPanel(form.get());
    outer->Rename("Outer");
    outer->SetParent(form.get());
    inner = new TWPanel(form.get());
    inner->Rename("Inner");
    inner->SetParent(outer);
    timer = new TWTimer(form.get());
    timer->Rename("Timer1");
    timer->SetDesignInfo((20 << 16) | 10);
    timer->Interval = 50;

    outer->SetLeft(368);
    outer->Face()->Height = -11;
    outer->Face()->Name = "Sans";
    outer->Face()->Style = TWShapes{wsBox};
    auto* first = static_cast<TWItem*>(outer->Items()->Add());
    first->Caption = "one";
    auto* second = static_cast<TWItem*>(outer->Items()->Add());
    second->Value = -129;
    second->Ref = inner;
    outer->Lines()->Add("alpha");
    outer->Lines()->Add(std::string(300, 'z'));
    outer->Buddy = timer;
    outer->Shape = wsRound;
    outer->Flag = true;
    outer->Ratio = 0.25;
    outer->Big = int64_t{1} << 40;
    outer->Data = Variant::Wide(u"w");
    outer->Text = "text";
    outer->OnPing = MethodEvent(form.get(), "PanelPing");
    inner->Buddy = form.get();
    inner->Tint = MakeTint(0x123456);
  }
  static TWColor MakeTint(int32_t v) { return static_cast<TWColor>(v); }
};

Bytes WriteForm(TComponent* root) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteRootComponent(root);
  return stream.AsString();
}

TEST(WriterRecords, StoresOnlyWhatDiffersFromTheDefault) {
  TestForm test;
  const Bytes bytes = WriteForm(test.form.get());
  auto has = [&](const Bytes& part) { return bytes.find(part) != Bytes::npos; };
  EXPECT_EQ(bytes.substr(0, 4), "TPF0");
  EXPECT_TRUE(has(Hex({4}) + "Left" + Hex({3, 0x70, 0x01})));
  EXPECT_TRUE(has(Hex({11}) + "Face.Height" + Hex({2, 0xF5})));
  EXPECT_TRUE(has(Hex({10}) + "Face.Style" + Hex({11, 5}) + "wsBox" + Hex({0})));
  EXPECT_TRUE(has(Hex({5}) + "Items" + Hex({14, 1, 7}) + "Caption" + Hex({6, 3}) + "one" +
                  Hex({0, 1, 5}) + "Value" + Hex({3, 0x7F, 0xFF, 3}) + "Ref" + Hex({7, 5}) +
                  "Inner" + Hex({0, 0})));
  EXPECT_TRUE(
      has(Hex({13}) + "Lines.Strings" + Hex({1, 6, 5}) + "alpha" + Hex({12, 0x2C, 1, 0, 0})));
  EXPECT_TRUE(has(Hex({5}) + "Buddy" + Hex({7, 6}) + "Timer1"));
  EXPECT_TRUE(has(Hex({5}) + "Buddy" + Hex({7, 5}) + "Owner"));
  EXPECT_TRUE(has(Hex({5}) + "Shape" + Hex({7, 7}) + "wsRound"));
  EXPECT_TRUE(has(Hex({4}) + "Flag" + Hex({9})));
  EXPECT_TRUE(has(Hex({3}) + "Big" + Hex({19, 0, 0, 0, 0, 0, 1, 0, 0})));
  EXPECT_TRUE(has(Hex({4}) + "Data" + Hex({18, 1, 0, 0, 0, 'w', 0})));
  EXPECT_TRUE(has(Hex({6}) + "OnPing" + Hex({7, 9}) + "PanelPing"));
  EXPECT_TRUE(has(Hex({4}) + "Tint" + Hex({7, 5}) + "clRed"));  // named value
  EXPECT_TRUE(has(Hex({4}) + "Tint" + Hex({4, 0x56, 0x34, 0x12, 0})));
  // The timer: its interval and its design position as custom properties, no children.
  EXPECT_TRUE(has(Hex({7}) + "TWTimer" + Hex({6}) + "Timer1" + Hex({8}) + "Interval" +
                  Hex({2, 50, 4}) + "Left" + Hex({2, 10, 3}) + "Top" + Hex({2, 20, 0, 0})));
  // Defaults and not-stored values stay out: Shape of Inner, Flag false, Name, empty Text.
  EXPECT_FALSE(has(Hex({4}) + "Name"));
  EXPECT_EQ(bytes.find("Shape"), bytes.rfind("Shape"));
  // The form's child list ends the stream: Outer (holding Inner), then Timer1.
  EXPECT_LT(bytes.find("TWPanel"), bytes.find("TWTimer"));
  EXPECT_EQ(bytes.substr(bytes.size() - 2), Hex({0, 0}));
}

TEST(WriterRecords, ComponentReferenceNames) {
  TestForm test;
  TComponent other(nullptr);
  other.Rename("Other");
  TWTimer* foreign = new TWTimer(&other);
  foreign->Rename("Far");
  TWTimer loose(nullptr);
  loose.Rename("Loose");
  TWTimer unnamed(nullptr);
  test.inner->Buddy = nullptr;
  auto nameOf = [&](TComponent* target) {
    test.outer->Buddy = target;
    const Bytes bytes = WriteForm(test.form.get());
    const size_t at = bytes.find(Hex({5}) + "Buddy");
    if (at == Bytes::npos) return Bytes("(none)");
    EXPECT_EQ(bytes[at + 6], 7);
    return bytes.substr(at + 8, static_cast<uint8_t>(bytes[at + 7]));
  };
  EXPECT_EQ(nameOf(test.timer), "Timer1");
  EXPECT_EQ(nameOf(test.form.get()), "Owner");
  EXPECT_EQ(nameOf(foreign), "Other.Far");
  EXPECT_EQ(nameOf(&loose), "Loose.Owner");
  EXPECT_EQ(nameOf(&unnamed), "(none)");
  test.outer->Buddy = nullptr;
}

TEST(WriterRecords, RoundTripGivesIdenticalBytes) {
  TestForm test;
  const Bytes first = WriteForm(test.form.get());

  TWForm copy(nullptr);
  TMemoryStream in(first);
  TReader reader(in);
  reader.OnFindClass = [](const std::string& name) -> const TMetaClass* {
    if (name == "TWPanel") return &TWPanel::StaticClass();
    if (name == "TWTimer") return &TWTimer::StaticClass();
    return nullptr;
  };
  reader.ReadRootComponent(&copy);
  EXPECT_EQ(in.Position(), static_cast<int64_t>(first.size()));
  EXPECT_EQ(WriteForm(&copy), first);

  auto* outer = dynamic_cast<TWPanel*>(copy.FindComponent("Outer"));
  auto* inner = dynamic_cast<TWPanel*>(copy.FindComponent("Inner"));
  ASSERT_TRUE(outer && inner);
  EXPECT_EQ(inner->Parent(), outer);
  EXPECT_EQ(outer->Buddy, copy.FindComponent("Timer1"));
  EXPECT_EQ(inner->Buddy, &copy);
  EXPECT_EQ(static_cast<TWItem*>(outer->Items()->Items(1))->Ref, inner);
  EXPECT_EQ(outer->Face()->Height, -11);
  EXPECT_EQ(outer->Lines()->Count(), 2);
  EXPECT_EQ(outer->Ratio, 0.25);
  EXPECT_EQ(copy.FindComponent("Timer1")->DesignInfo(), (20 << 16) | 10);
  EXPECT_FALSE(outer->IsLoading());
}

// A nested object that leads back to itself cannot be written; it fails instead of recursing.
class TWLoop : public TPersistent {
 public:
  WDX_CLASS(TWLoop)
  TWLoop* Self() const { return const_cast<TWLoop*>(this); }
  void SetSelf(TWLoop*) {}
};

const TMetaClass& TWLoop::StaticClass() {
  static const TMetaClass meta("TWLoop", &TPersistent::StaticClass(), nullptr,
                               {Published<TWLoop>("Self", &TWLoop::Self, &TWLoop::SetSelf)});
  return meta;
}

TEST(WriterRecords, CyclicNestedObjectsFail) {
  TWLoop loop;
  TMemoryStream stream;
  TWriter writer(stream);
  EXPECT_THROW(writer.WriteProperties(&loop), EWriteError);
}

}  // namespace
}  // namespace writer_test
}  // namespace wdx
