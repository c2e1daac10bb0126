#include "LangControl/Source/ClassInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LangControl/Source/TypeTools.h"
#include "framework/controls/Control.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/Published.h"

namespace wdx {

namespace {
enum TSampleAlign : uint8_t { alNone, alTop, alClient };
}  // namespace

WDX_DECLARE_TYPE(TSampleAlign);
WDX_DEFINE_ENUM(TSampleAlign, "alNone", "alTop", "alClient")

namespace {

// A class without published properties.
class TSampleFont : public TObject {
 public:
  WDX_CLASS(TSampleFont)
};

class TSampleOther : public TObject {
 public:
  WDX_CLASS(TSampleOther)
  void OtherClick(TObject*) {}
};

// Published properties of every kind, declared out of name order.
class TSample : public TObject {
 public:
  WDX_CLASS(TSample)
  void HandleClick(TObject*) { ++clicks; }
  void SetSink(TSampleFont* value) { sink = value; }
  void SetWriteOnly(int32_t value) { writeOnly = value; }

  std::string caption = "Hello";
  TAnchors anchors{akLeft, akTop};
  int32_t fontSize = 8;
  TSampleAlign align = alNone;
  TSampleFont* font = nullptr;
  TSampleFont* sink = nullptr;
  bool active = false;
  char letter = 'x';
  double ratio = 0.25;
  float scale = 1.5f;
  std::u16string title = u"Wide";
  Variant data;
  TNotifyEvent onClick;
  int64_t big = 0;
  char16_t wide = u'w';
  int32_t hidden = 0;
  int32_t readOnly = 7;
  int32_t writeOnly = 0;
  int clicks = 0;
};

const TMetaClass& TSampleFont::StaticClass() {
  static const TMetaClass meta("TSampleFont", &TObject::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TSampleOther::StaticClass() {
  static const TMetaClass meta(
      "TSampleOther", &TObject::StaticClass(), nullptr, {},
      {PublishedMethod<TSampleOther>("OtherClick", &TSampleOther::OtherClick)});
  return meta;
}

const TMetaClass& TSample::StaticClass() {
  static const TMetaClass meta(
      "TSample", &TObject::StaticClass(), nullptr,
      {
          Published<TSample>("Caption", &TSample::caption, &TSample::caption),
          Published<TSample>("anchors", &TSample::anchors, &TSample::anchors),
          Published<TSample>("FontSize", &TSample::fontSize, &TSample::fontSize),
          Published<TSample>("Align", &TSample::align, &TSample::align),
          Published<TSample>("Font", &TSample::font, &TSample::font),
          PublishedWriteOnly<TSample, TSampleFont*>("Sink", &TSample::SetSink),
          Published<TSample>("Active", &TSample::active, &TSample::active),
          Published<TSample>("Letter", &TSample::letter, &TSample::letter),
          Published<TSample>("Ratio", &TSample::ratio, &TSample::ratio),
          Published<TSample>("Scale", &TSample::scale, &TSample::scale),
          Published<TSample>("Title", &TSample::title, &TSample::title),
          Published<TSample>("Data", &TSample::data, &TSample::data),
          Published<TSample>("OnClick", &TSample::onClick, &TSample::onClick),
          Published<TSample>("Big", &TSample::big, &TSample::big),
          Published<TSample>("Wide", &TSample::wide, &TSample::wide),
          Published<TSample>("Hidden", &TSample::hidden, &TSample::hidden).WithoutTypeInfo(),
          Published<TSample>("ReadOnly", &TSample::readOnly),
          PublishedWriteOnly<TSample, int32_t>("WriteOnly", &TSample::SetWriteOnly),
      },
      {PublishedMethod<TSample>("HandleClick", &TSample::HandleClick)});
  return meta;
}

std::string Hex(uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(value));
  return buffer;
}

std::string MethodText(uint32_t code, uint32_t data) {
  return Hex(code) + Hex(data) + "h";
}

uint32_t CodeOf(const TMetaClass& cls, const char* name) {
  return cls.FindMethod(name)->CodeHandle;
}

// The message of the EObjectBrowseError that `action` raises, or "" when it raises none.
template <class Action>
std::string BrowseError(Action action) {
  try {
    action();
  } catch (const EObjectBrowseError& e) {
    return e.Message();
  }
  return "";
}

// Every operation that runs the selection check, by name.
std::vector<std::pair<std::string, std::function<void()>>> CheckedOperations(TClassInfo& info) {
  return {{"PropRef", [&] { info.PropRef(); }},
          {"Name", [&] { info.Name(); }},
          {"Typ", [&] { info.Typ(); }},
          {"GetValue", [&] { info.GetValue(); }},
          {"SetValue", [&] { info.SetValue(1); }},
          {"GetAsObject", [&] { info.GetAsObject(); }}};
}

// A single-property cursor over `object`'s property `name`.
std::unique_ptr<TClassInfo> Cursor(TSample& object, const char* name) {
  const TPropInfo* prop = TSample::StaticClass().FindProperty(name);
  EXPECT_NE(prop, nullptr) << name;
  return std::make_unique<TClassInfo>(&object, prop);
}

TEST(HexTextToIntTest, ReadsMarkersSignAndFull32Bits) {
  for (const char* text :
       {"1Fh", "1FH", "$1F", "0x1F", "0X1F", "1F", "1f", "0000001F", "000000001F"}) {
    EXPECT_EQ(HexTextToInt(text), 31) << text;
  }
  EXPECT_EQ(HexTextToInt("-1F"), -31);
  EXPECT_EQ(HexTextToInt("-$10"), -16);
  EXPECT_EQ(HexTextToInt("-0x10"), -16);
  EXPECT_EQ(HexTextToInt("FFFFFFFF"), -1);
  EXPECT_EQ(HexTextToInt("80000000h"), INT32_MIN);
  EXPECT_EQ(HexTextToInt("-80000000"), INT32_MIN);
  EXPECT_EQ(HexTextToInt("0h"), 0);
}

TEST(HexTextToIntTest, RejectsMalformedText) {
  for (const char* text : {"", "-", "$", "0x", "h", "-h", "--1", "G1", "123456789", "100000000h",
                           " 1F", "1F ", "$1Fh", "0xh", "1.5", "+1"}) {
    try {
      HexTextToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(ClassInfoTest, CursorWithoutPropertiesSelectsNothing) {
  TSampleFont bare;
  for (TObject* object : {static_cast<TObject*>(nullptr), static_cast<TObject*>(&bare)}) {
    TClassInfo info(object);
    EXPECT_EQ(info.Count(), 0);
    EXPECT_EQ(info.Kind(), tkUnknown);
    EXPECT_EQ(BrowseError([&] { info.Select(0); }), "TClassInfo.Select: Invalid Index");
    EXPECT_EQ(BrowseError([&] { info.Select(-1); }), "TClassInfo.Select: Invalid Index");
    for (const auto& [name, operation] : CheckedOperations(info)) {
      EXPECT_EQ(BrowseError(operation), "TClassInfo." + name + ": No property selected");
    }
  }
  EXPECT_EQ(TClassInfo(nullptr).ClassName(), "TClassInfo");
}

TEST(ClassInfoTest, BrowseListsEveryPropertyInNameOrder) {
  TSample sample;
  TClassInfo info(&sample);
  ASSERT_EQ(info.Count(), 18);
  EXPECT_EQ(BrowseError([&] { info.Name(); }), "TClassInfo.Name: No property selected");
  std::vector<std::string> names;
  for (int32_t i = 0; i < info.Count(); ++i) {
    if (info.Select(i)) names.push_back(info.Name());
  }
  const std::vector<std::string> expected = {
      "Active",  "Align", "anchors",  "Big",   "Caption", "Data",  "Font", "FontSize", "Letter",
      "OnClick", "Ratio", "ReadOnly", "Scale", "Sink",    "Title", "Wide", "WriteOnly"};
  EXPECT_EQ(names, expected);  // Hidden has no type information and is skipped
}

TEST(ClassInfoTest, SelectOutOfRangeKeepsTheSelection) {
  TSample sample;
  TClassInfo info(&sample);
  ASSERT_TRUE(info.Select(4));
  ASSERT_EQ(info.Name(), "Caption");
  EXPECT_EQ(BrowseError([&] { info.Select(-1); }), "TClassInfo.Select: Invalid Index");
  EXPECT_EQ(BrowseError([&] { info.Select(info.Count()); }), "TClassInfo.Select: Invalid Index");
  EXPECT_EQ(info.Name(), "Caption");
  EXPECT_EQ(info.Kind(), tkLString);
  EXPECT_EQ(info.Typ(), "String");
  EXPECT_EQ(info.PropRef(), TSample::StaticClass().FindProperty("Caption"));
}

TEST(ClassInfoTest, SinglePropertyModeIsSelectedAtOnce) {
  TSample sample;
  auto info = Cursor(sample, "FontSize");
  EXPECT_EQ(info->Count(), 1);
  EXPECT_EQ(info->Kind(), tkInteger);
  EXPECT_EQ(info->Name(), "FontSize");
  EXPECT_EQ(info->GetValue(), Variant(8));
  EXPECT_TRUE(info->Select(0));
  EXPECT_TRUE(info->Select(0));
  EXPECT_EQ(BrowseError([&] { info->Select(1); }), "TClassInfo.Select: Invalid Index");
  EXPECT_EQ(info->Name(), "FontSize");
}

TEST(ClassInfoTest, PropertyWithoutTypeInformation) {
  TSample sample;
  auto info = Cursor(sample, "Hidden");
  EXPECT_FALSE(info->Select(0));
  EXPECT_EQ(info->Kind(), tkUnknown);
  for (const auto& [name, operation] : CheckedOperations(*info)) {
    EXPECT_EQ(BrowseError(operation),
              "TClassInfo." + name + ": Property type information not available");
  }
  EXPECT_EQ(sample.hidden, 0);
}

TEST(ClassInfoTest, AccessCheckNeedsTheAccessor) {
  TSample sample;
  const std::string missing = ": Method for read or write access not available";
  auto readOnly = Cursor(sample, "ReadOnly");
  EXPECT_EQ(readOnly->GetValue(), Variant(7));
  EXPECT_EQ(BrowseError([&] { readOnly->SetValue(9); }), "TClassInfo.SetValue" + missing);
  EXPECT_EQ(sample.readOnly, 7);

  auto writeOnly = Cursor(sample, "WriteOnly");
  EXPECT_EQ(BrowseError([&] { writeOnly->GetValue(); }), "TClassInfo.GetValue" + missing);
  writeOnly->SetValue(5);
  EXPECT_EQ(sample.writeOnly, 5);

  auto sink = Cursor(sample, "Sink");
  EXPECT_EQ(BrowseError([&] { sink->GetAsObject(); }), "TClassInfo.GetAsObject" + missing);
}

TEST(ClassInfoTest, IntegerAndCharacterValues) {
  TSample sample;
  auto size = Cursor(sample, "FontSize");
  EXPECT_EQ(size->GetValue().VType(), varInteger);
  size->SetValue(Variant::Smallint(-3));
  EXPECT_EQ(sample.fontSize, -3);
  size->SetValue(Variant::Byte(200));
  EXPECT_EQ(sample.fontSize, 200);
  size->SetValue(2.5);
  EXPECT_EQ(sample.fontSize, 2);
  size->SetValue(Variant::Single(3.5f));
  EXPECT_EQ(sample.fontSize, 4);
  size->SetValue(Variant::Currency(126000));
  EXPECT_EQ(sample.fontSize, 13);
  size->SetValue("42");
  EXPECT_EQ(sample.fontSize, 42);
  EXPECT_THROW(size->SetValue("abc"), EVariantTypeCastError);
  EXPECT_THROW(size->SetValue(1e12), EVariantTypeCastError);
  EXPECT_EQ(sample.fontSize, 42);

  auto letter = Cursor(sample, "Letter");
  EXPECT_EQ(letter->GetValue(), Variant(static_cast<int32_t>('x')));
  letter->SetValue(65);
  EXPECT_EQ(sample.letter, 'A');
}

TEST(ClassInfoTest, EnumerationAndSetValuesTravelAsText) {
  TSample sample;
  auto active = Cursor(sample, "Active");
  EXPECT_EQ(active->GetValue(), Variant("False"));
  active->SetValue("true");
  EXPECT_TRUE(sample.active);
  EXPECT_EQ(active->GetValue(), Variant("True"));
  active->SetValue("fALSE");
  EXPECT_FALSE(sample.active);
  active->SetValue("TRUE");
  EXPECT_TRUE(sample.active);

  auto align = Cursor(sample, "Align");
  EXPECT_EQ(align->Typ(), "TSampleAlign");
  align->SetValue("ALCLIENT");
  EXPECT_EQ(sample.align, alClient);
  EXPECT_THROW(align->SetValue("alBottom"), ETypeToolError);
  EXPECT_EQ(sample.align, alClient);

  auto anchors = Cursor(sample, "anchors");
  EXPECT_EQ(anchors->GetValue(), Variant("[akLeft,akTop]"));
  anchors->SetValue("[]");
  EXPECT_TRUE(sample.anchors.Empty());
  EXPECT_EQ(anchors->GetValue(), Variant("[]"));
  anchors->SetValue("[akRight,akBottom]");
  EXPECT_EQ(sample.anchors, (TAnchors{akRight, akBottom}));
  EXPECT_THROW(anchors->SetValue("akLeft"), ETypeToolError);
  EXPECT_EQ(sample.anchors, (TAnchors{akRight, akBottom}));
}

TEST(ClassInfoTest, FloatStringAndVariantValues) {
  TSample sample;
  auto ratio = Cursor(sample, "Ratio");
  EXPECT_EQ(ratio->GetValue(), Variant(0.25));
  ratio->SetValue("1.75");
  EXPECT_EQ(sample.ratio, 1.75);
  auto scale = Cursor(sample, "Scale");
  EXPECT_EQ(scale->GetValue(), Variant(1.5));
  scale->SetValue(3);
  EXPECT_EQ(sample.scale, 3.0f);

  auto caption = Cursor(sample, "Caption");
  EXPECT_EQ(caption->GetValue(), Variant("Hello"));
  caption->SetValue(12);
  EXPECT_EQ(sample.caption, "12");
  auto title = Cursor(sample, "Title");
  EXPECT_EQ(title->Kind(), tkWString);
  EXPECT_EQ(title->GetValue(), Variant("Wide"));
  title->SetValue("Narrow");
  EXPECT_EQ(sample.title, u"Narrow");

  auto data = Cursor(sample, "Data");
  data->SetValue(Variant::Null());
  EXPECT_TRUE(sample.data.IsNull());
  sample.data = Variant::Currency(15000);
  EXPECT_EQ(data->GetValue(), Variant::Currency(15000));
}

TEST(ClassInfoTest, UnhandledKindsAreRefused) {
  TSample sample;
  for (const char* name : {"Big", "Wide"}) {
    auto info = Cursor(sample, name);
    EXPECT_EQ(BrowseError([&] { info->GetValue(); }),
              "TClassInfo.GetValue: Type cannot be handled");
    EXPECT_EQ(BrowseError([&] { info->SetValue(1); }),
              "TClassInfo.SetValue: Type cannot be handled");
    EXPECT_EQ(BrowseError([&] { info->GetAsObject(); }),
              "TClassInfo.GetAsObject: Property is not an object reference");
  }
  EXPECT_EQ(sample.big, 0);
  EXPECT_EQ(sample.wide, u'w');
}

TEST(ClassInfoTest, ObjectReferencesTravelAsHandles) {
  TSample sample;
  TSampleFont font;
  auto info = Cursor(sample, "Font");
  EXPECT_EQ(info->GetValue(), Variant("00000000h"));
  EXPECT_EQ(info->GetAsObject(), nullptr);
  sample.font = &font;
  const std::string text = Hex(font.Handle()) + "h";
  EXPECT_EQ(info->GetValue(), Variant(text));
  EXPECT_EQ(info->GetAsObject(), &font);

  TSample copy;
  auto target = Cursor(copy, "Font");
  target->SetValue(info->GetValue());
  EXPECT_EQ(copy.font, &font);
  target->SetValue("0");
  EXPECT_EQ(copy.font, nullptr);
  target->SetValue("$" + Hex(font.Handle()));
  EXPECT_EQ(copy.font, &font);
  EXPECT_THROW(target->SetValue("zz"), EConvertError);
  EXPECT_EQ(copy.font, &font);
}

TEST(ClassInfoTest, StaleOrForeignObjectHandlesAreRefused) {
  TSample sample;
  TSampleFont font;
  sample.font = &font;
  auto info = Cursor(sample, "Font");

  std::string stale;
  {
    TSampleFont gone;
    stale = Hex(gone.Handle()) + "h";
  }
  EXPECT_EQ(BrowseError([&] { info->SetValue(stale); }),
            "TClassInfo.SetValue: Invalid object reference '" + stale + "'");
  TSampleOther other;
  const std::string foreign = Hex(other.Handle()) + "h";
  EXPECT_EQ(BrowseError([&] { info->SetValue(foreign); }),
            "TClassInfo.SetValue: Invalid object reference '" + foreign + "'");
  EXPECT_EQ(BrowseError([&] { info->SetValue("-1"); }),
            "TClassInfo.SetValue: Invalid object reference '-1'");
  EXPECT_EQ(sample.font, &font);
}

TEST(ClassInfoTest, MethodValuesTravelAsCodeAndObjectHandles) {
  TSample sample;
  auto info = Cursor(sample, "OnClick");
  EXPECT_EQ(info->GetValue(), Variant("0000000000000000h"));
  sample.onClick = MethodEvent(&sample, "HandleClick");
  const std::string text =
      MethodText(CodeOf(TSample::StaticClass(), "HandleClick"), sample.Handle());
  EXPECT_EQ(info->GetValue(), Variant(text));

  TSample receiver;
  auto target = Cursor(receiver, "OnClick");
  target->SetValue(text);
  ASSERT_TRUE(static_cast<bool>(receiver.onClick));
  receiver.onClick(&receiver);
  EXPECT_EQ(sample.clicks, 1);
  target->SetValue("0000000000000000h");
  EXPECT_FALSE(static_cast<bool>(receiver.onClick));

  const std::string invalid = "TClassInfo.SetValue: Invalid method descriptor";
  std::string upper = text;
  upper.back() = 'H';
  EXPECT_EQ(BrowseError([&] { target->SetValue(upper); }), invalid);
  EXPECT_EQ(BrowseError([&] { target->SetValue(text.substr(1)); }), invalid);
  EXPECT_EQ(BrowseError([&] { target->SetValue("0" + text); }), invalid);
  EXPECT_THROW(target->SetValue("000000G00000000Ah"), EConvertError);
  EXPECT_FALSE(static_cast<bool>(receiver.onClick));
}

TEST(ClassInfoTest, StaleOrForeignMethodReferencesAreRefused) {
  TSample sample;
  sample.onClick = MethodEvent(&sample, "HandleClick");
  const TNotifyEvent before = sample.onClick;
  auto info = Cursor(sample, "OnClick");
  const uint32_t code = CodeOf(TSample::StaticClass(), "HandleClick");
  const uint32_t otherCode = CodeOf(TSampleOther::StaticClass(), "OtherClick");

  uint32_t goneHandle = 0;
  {
    TSample gone;
    goneHandle = gone.Handle();
  }
  TSampleOther other;
  const std::vector<std::string> refused = {
      MethodText(code, goneHandle),            // bound object destroyed
      MethodText(otherCode, sample.Handle()),  // method of another class
      MethodText(code, other.Handle()),        // object without that method
      MethodText(0, sample.Handle()),          // object without code
      MethodText(code, 0),                     // code without object
      MethodText(0xFFFFFFF0u, sample.Handle()),
  };
  for (const std::string& text : refused) {
    EXPECT_EQ(BrowseError([&] { info->SetValue(text); }),
              "TClassInfo.SetValue: Invalid method reference '" + text + "'");
  }
  EXPECT_EQ(sample.onClick, before);
}

}  // namespace
}  // namespace wdx
