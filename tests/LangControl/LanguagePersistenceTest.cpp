#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/ObjectText.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace {

// A byte string from a literal that may hold zero bytes.
template <size_t N>
std::string B(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string Str(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}

class TPForm : public TComponent {
 public:
  WDX_CLASS(TPForm)
  using TComponent::TComponent;
  std::string Caption;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override {
    if (root != this) return;
    for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
  }
};

class TPButton : public TComponent {
 public:
  WDX_CLASS(TPButton)
  using TComponent::TComponent;
  std::string Caption;
  std::string Text;
};

// Keeps a language list and a component list and stores them the way the language control
// does: each as a custom property holding one collection value.
class TPStore : public TComponent {
 public:
  WDX_CLASS(TPStore)
  explicit TPStore(TComponent* owner) : TComponent(owner) { comps.SetAdoptPropertyClass(false); }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    DefineList(filer, "Langs", langs);
    DefineList(filer, "Comps", comps);
  }
  TLanguageEntries langs{this};
  TComponentEntries comps{this, &TInconsistentLangPropertyEntry::StaticClass()};

 private:
  static void DefineList(TFiler* filer, const char* name, TCollection& list) {
    filer->DefineProperty(
        name,
        [&list](TReader& reader) {
          list.Clear();
          reader.ReadValue();
          reader.ReadCollection(&list);
        },
        [&list](TWriter& writer) { writer.WriteCollection(&list); }, true);
  }
};

const TMetaClass& TPForm::StaticClass() {
  static const TMetaClass meta("TPForm", &TComponent::StaticClass(), FactoryOf<TPForm>(),
                               {Published<TPForm>("Caption", &TPForm::Caption, &TPForm::Caption)});
  return meta;
}

const TMetaClass& TPButton::StaticClass() {
  static const TMetaClass meta(
      "TPButton", &TComponent::StaticClass(), FactoryOf<TPButton>(),
      {Published<TPButton>("Caption", &TPButton::Caption, &TPButton::Caption),
       Published<TPButton>("Text", &TPButton::Text, &TPButton::Text)});
  return meta;
}

const TMetaClass& TPStore::StaticClass() {
  static const TMetaClass meta("TPStore", &TComponent::StaticClass(), FactoryOf<TPStore>(), {});
  return meta;
}

const TMetaClass* FindTestClass(const std::string& name) {
  for (const TMetaClass* cls : {&TPButton::StaticClass(), &TPStore::StaticClass()}) {
    if (cls->Name() == name) return cls;
  }
  return nullptr;
}

std::string Hex(const std::string& bytes) {
  std::string text;
  char digits[3];
  for (const char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
    text += digits;
  }
  return text;
}

// The stored form of an 8-bit string value: size, type code 256, the text.
std::string Record(const std::string& text) {
  const auto size = static_cast<char>(4 + text.size());
  return std::string{size, 0, 0, 0, 0, 1, 0, 0} + text;
}

std::string ReadAll(TPForm& form, const std::string& bytes) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  reader.OnFindClass = FindTestClass;
  reader.ReadRootComponent(&form);
  return std::to_string(stream.Remaining());
}

std::string WriteAll(TPForm& form) {
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteRootComponent(&form);
  return out.AsString();
}

std::string WriteList(const TCollection& list) {
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteCollection(&list);
  return out.AsString();
}

void ReadList(TCollection& list, const std::string& bytes) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  list.Clear();
  reader.ReadValue();
  reader.ReadCollection(&list);
}

TInconsistentLangPropertyEntry* AddValues(TPropertyEntries* props, const std::string& name,
                                          int32_t count) {
  auto* prop = static_cast<TInconsistentLangPropertyEntry*>(props->Add());
  prop->SetName(name);
  prop->SetKind(tkLString);
  prop->SetCount(count);
  return prop;
}

TEST(LanguagePersistence, ComponentEntryBytes) {
  TPForm form(nullptr);
  form.Rename("Form1");
  auto* cancel = new TPButton(&form);
  cancel->Rename("btCancel");
  auto* store = new TPStore(&form);
  store->Rename("Lang1");
  TComponentEntry* entry = store->comps.Add();
  entry->SetName("ignored");
  entry->SetSubType({stPubPropObject});
  entry->SetRef(cancel);
  TInconsistentLangPropertyEntry* caption = AddValues(entry->Props(), "Caption", 3);
  caption->SetLangValue(1, "Cancel");
  caption->SetLangValue(2, "Cancel");

  const std::string values = Record("Cancel") + Record("Cancel");
  ASSERT_EQ(values.size(), 28u);
  const std::string expected = B("\x0e\x01") + Str("Items") + B("\x0e\x00") + Str("Props") +
                               B("\x0e\x01") + Str("Name") + B("\x06") + Str("Caption") +
                               Str("Kind") + B("\x07") + Str("tkLString") + Str("Count") +
                               B("\x02\x03") + Str("Values") + B("\x0a\x1c\x00\x00\x00") + values +
                               B("\x00\x00") + Str("SubType") + B("\x0b") + Str("stPubPropObject") +
                               B("\x00") + Str("Ref") + B("\x07") + Str("btCancel") + B("\x00\x00");
  const std::string written = WriteAll(form);
  EXPECT_NE(written.find(Str("Comps") + expected), std::string::npos);

  // Read back into a fresh form: the same bytes again, the reference resolved.
  TPForm again(nullptr);
  EXPECT_EQ(ReadAll(again, written), "0");
  auto* restored = dynamic_cast<TPStore*>(again.FindComponent("Lang1"));
  ASSERT_NE(restored, nullptr);
  ASSERT_EQ(restored->comps.Count(), 1);
  TComponentEntry* read = restored->comps.Items(0);
  EXPECT_EQ(read->Ref(), again.FindComponent("btCancel"));
  EXPECT_EQ(read->Name(), "");
  auto* prop = static_cast<TInconsistentLangPropertyEntry*>(read->Props()->Items(0));
  EXPECT_EQ(prop->Count(), 3);
  EXPECT_EQ(prop->GetLangValue(2), Variant("Cancel"));
  EXPECT_EQ(WriteAll(again), written);
  // The reference asked for the removal notice.
  delete again.FindComponent("btCancel");
  EXPECT_EQ(restored->comps.Count(), 0);
}

TEST(LanguagePersistence, PropertyEntryBytesForCountIndexAndEmptySlots) {
  TPropertyEntries props(nullptr, &TInconsistentLangPropertyEntry::StaticClass());
  AddValues(&props, "Caption", 1);
  TInconsistentLangPropertyEntry* line = AddValues(&props, "", 3);
  line->SetIndex(4);
  line->SetLangValue(1, "Eins");
  const std::string prefix =
      Str("Name") + B("\x06") + Str("Caption") + Str("Kind") + B("\x07") + Str("tkLString");
  const std::string expected =
      B("\x0e\x01") + prefix + Str("Count") + B("\x02\x01") + Str("Values") +
      B("\x0a\x00\x00\x00\x00\x00") + B("\x01") + Str("Kind") + B("\x07") + Str("tkLString") +
      Str("Index") + B("\x02\x04") + Str("Count") + B("\x02\x03") + Str("Values") +
      B("\x0a\x10\x00\x00\x00") + Record("Eins") + B("\x00\x00\x00\x00") + B("\x00\x00");
  const std::string written = WriteList(props);
  EXPECT_EQ(written, expected);

  TPropertyEntries back(nullptr, &TInconsistentLangPropertyEntry::StaticClass());
  ReadList(back, written);
  ASSERT_EQ(back.Count(), 2);
  auto* first = static_cast<TInconsistentLangPropertyEntry*>(back.Items(0));
  auto* second = static_cast<TInconsistentLangPropertyEntry*>(back.Items(1));
  EXPECT_EQ(first->Name(), "Caption");
  EXPECT_EQ(first->Index(), -1);
  EXPECT_EQ(first->Count(), 1);
  EXPECT_EQ(second->Index(), 4);
  EXPECT_EQ(second->GetLangValue(1), Variant("Eins"));
  EXPECT_FALSE(second->HasLangValue(2));
  EXPECT_EQ(WriteList(back), written);

  // The plain language-value class stores no slots.
  TPropertyEntries plain(nullptr, &TConsistentLangPropertyEntry::StaticClass());
  plain.Add()->Assign(second);
  EXPECT_EQ(WriteList(plain), B("\x0e\x01") + Str("Kind") + B("\x07") + Str("tkLString") +
                                  Str("Index") + B("\x02\x04") + Str("Count") + B("\x02\x03") +
                                  B("\x00\x00"));
}

TEST(LanguagePersistence, ValuesAreReadAgainstTheSlotCountAlreadySet) {
  const std::string item = Str("Kind") + B("\x07") + Str("tkLString");
  const std::string values =
      Str("Values") + B("\x0a\x10\x00\x00\x00") + Record("Zwei") + B("\x00\x00\x00\x00");
  TPropertyEntries props(nullptr, &TInconsistentLangPropertyEntry::StaticClass());
  // Values before Count: read against a count of 0, the records are left unread.
  ReadList(props, B("\x0e\x01") + item + values + Str("Count") + B("\x02\x03\x00\x00"));
  auto* entry = static_cast<TInconsistentLangPropertyEntry*>(props.Items(0));
  EXPECT_EQ(entry->Count(), 3);
  EXPECT_FALSE(entry->HasLangValue(1));
  // Count 2 reads one record; what follows it is ignored.
  ReadList(props, B("\x0e\x01") + item + Str("Count") + B("\x02\x02") + values + B("\x00\x00"));
  entry = static_cast<TInconsistentLangPropertyEntry*>(props.Items(0));
  EXPECT_EQ(entry->GetLangValue(1), Variant("Zwei"));
  // A second read replaces the slots.
  TMemoryStream empty(B("\x00\x00\x00\x00"));
  entry->ReadValues(empty);
  EXPECT_FALSE(entry->HasLangValue(1));
}

TEST(LanguagePersistence, CorruptValuesEndTheLoadWithAReadError) {
  const std::string head = B("\x0e\x01") + Str("Items") + B("\x0e\x00") + Str("Props") +
                           B("\x0e\x01") + Str("Kind") + B("\x07") + Str("tkLString") +
                           Str("Count") + B("\x02\x03") + Str("Values");
  const std::string tail = B("\x00\x00") + Str("SubType") + B("\x0b\x00\x00\x00");
  const std::string cases[] = {
      // A size beyond the bytes that remain (a 64 KB slot in an 8-byte binary).
      B("\x0a\x08\x00\x00\x00\x00\x00\x01\x00\x00\x01\x00\x00"),
      // A negative size.
      B("\x0a\x04\x00\x00\x00\xfe\xff\xff\xff"),
      // The second record is missing.
      B("\x0a\x0c\x00\x00\x00") + Record("ab") + B("\x00\x00"),
  };
  for (const std::string& values : cases) {
    TComponentEntries comps(nullptr, &TInconsistentLangPropertyEntry::StaticClass());
    try {
      ReadList(comps, head + values + tail);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& error) {
      EXPECT_EQ(error.Message(),
                "Error reading TComponentEntry.Props: Error reading "
                "TInconsistentLangPropertyEntry.Values: Stream read error");
    }
    ASSERT_EQ(comps.Count(), 1);
    auto* entry = static_cast<TInconsistentLangPropertyEntry*>(comps.Items(0)->Props()->Items(0));
    EXPECT_FALSE(entry->HasLangValue(2));
  }
  // The form loader passes it on.
  TPForm form(nullptr);
  const std::string stream = B("TPF0") + Str("TPForm") + Str("Form1") + B("\x00") + Str("TPStore") +
                             Str("Lang1") + Str("Comps") + head + cases[1] + tail +
                             B("\x00\x00\x00");
  try {
    ReadAll(form, stream);
    ADD_FAILURE() << "no error";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(),
              "Error reading Lang1.Comps: Error reading TComponentEntry.Props: Error reading "
              "TInconsistentLangPropertyEntry.Values: Stream read error");
  }
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(LanguagePersistence, LanguageListBytes) {
  TPStore store(nullptr);
  const char* names[] = {"English", "German", "Spanish"};
  for (int i = 0; i < 3; ++i) {
    TLanguageEntry* language = store.langs.Add();
    language->SetName(names[i]);
    language->SetSubIndex(i);
  }
  std::string expected = B("\x0e");
  for (int i = 0; i < 3; ++i) {
    expected += B("\x01") + Str("Name") + B("\x06") + Str(names[i]) + Str("SubIndex") + B("\x02") +
                std::string(1, static_cast<char>(i)) + B("\x00");
  }
  expected += B("\x00");
  EXPECT_EQ(WriteList(store.langs), expected);

  store.langs.Items(1)->SetHint("Deutsch");
  store.langs.Items(2)->SetName("");
  const std::string written = WriteList(store.langs);
  EXPECT_NE(
      written.find(Str("German") + Str("Hint") + B("\x06") + Str("Deutsch") + Str("SubIndex")),
      std::string::npos);
  EXPECT_NE(written.find(B("\x01") + Str("SubIndex") + B("\x02\x02\x00\x00")), std::string::npos);
  TLanguageEntries back(nullptr);
  ReadList(back, written);
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(back.Items(1)->Hint(), "Deutsch");
  EXPECT_EQ(back.Items(2)->SubIndex(), 2);
}

struct TShippedEntry {
  const char* ref;
  const char* className;
  const char* property;
  const char* text;
};

const TShippedEntry kShipped[] = {
    {"btCancel", "TPButton", "Caption", "Cancel"},
    {"btOk", "TPButton", "Caption", "Save"},
    {"Button1", "TPButton", "Caption", "Browse..."},
    {"edHTTPDConf", "TPButton", "Text",
     "C:\\Program Files\\Apache Group\\Apache\\conf\\httpd.conf"},
    {"edLogo", "TPButton", "Text", "/wendrix/images/normal/YourLogo.gif"},
    {"Owner", nullptr, "Caption", "Korvane Wendrix Configuration"},
    {"GroupBox1", "TPButton", "Caption", " Path to Apache \"HTTPD.CONF\" file: "},
    {"GroupBox2", "TPButton", "Caption", " Domain Name / Server Name [:Port] "},
    {"GroupBox3", "TPButton", "Caption", " Mail Settings "},
    {"GroupBox4", "TPButton", "Caption", " Your Company Logo "},
    {"Label1", "TPButton", "Caption", "SMTP server:"},
    {"Label2", "TPButton", "Caption", "http://MyServer:"},
    {"Label3", "TPButton", "Caption", "Korvane Wendrix Configuration"},
    {"Label4", "TPButton", "Caption", "EMail Address:"},
    {"Label5", "TPButton", "Caption", "HTTP Path:"},
    {"Label6", "TPButton", "Caption", "Apache Configuration"},
    {"Label7", "TPButton", "Caption",
     "Used in the From field of every email send by Korvane Wendrix."},
    {"TabSheet1", "TPButton", "Caption", "Korvane Wendrix"},
    {"tsApache", "TPButton", "Caption", "Apache Web Server"},
};

TEST(LanguagePersistence, AFormWithNineteenEntriesReadsAndWritesByteForByte) {
  std::string source = "object frmSetup: TPForm\n  Caption = 'Setup'\n";
  for (const TShippedEntry& shipped : kShipped) {
    if (!shipped.className) continue;
    source += std::string("  object ") + shipped.ref + ": " + shipped.className + "\n    " +
              shipped.property + " = 'current'\n  end\n";
  }
  source += "  object Lang1: TPStore\n    Langs = <\n";
  for (const char* name : {"English", "German", "Spanish"}) {
    source += std::string("      item\n        Name = '") + name + "'\n        SubIndex = " +
              std::to_string(name[0] == 'E'   ? 0
                             : name[0] == 'G' ? 1
                                              : 2) +
              "\n      end";
  }
  source += ">\n    Comps = <";
  for (const TShippedEntry& shipped : kShipped) {
    source += std::string("\n      item\n        Items = <>\n        Props = <\n          item\n") +
              "            Name = '" + shipped.property + "'\n            Kind = tkLString\n" +
              "            Count = 3\n            Values = {" +
              Hex(Record(shipped.text) + Record(shipped.text)) + "}\n          end>\n" +
              "        SubType = [stPubPropObject]\n        Ref = " + shipped.ref + "\n      end";
  }
  source += ">\n  end\nend\n";
  const std::vector<uint8_t> compiled = ObjectTextToBinary(source);
  const std::string bytes(compiled.begin(), compiled.end());

  TPForm form(nullptr);
  EXPECT_EQ(ReadAll(form, bytes), "0");
  auto* store = dynamic_cast<TPStore*>(form.FindComponent("Lang1"));
  ASSERT_NE(store, nullptr);
  ASSERT_EQ(store->comps.Count(), 19);
  EXPECT_EQ(store->langs.Count(), 3);
  EXPECT_EQ(store->comps.Items(5)->Ref(), &form);
  EXPECT_EQ(store->comps.Items(3)->Ref(), form.FindComponent("edHTTPDConf"));
  store->comps.ValidateAndPurge();
  ASSERT_EQ(store->comps.Count(), 19);
  for (int i = 0; i < 19; ++i) {
    auto* prop =
        static_cast<TInconsistentLangPropertyEntry*>(store->comps.Items(i)->Props()->Items(0));
    EXPECT_EQ(prop->GetLangValue(2), Variant(kShipped[i].text)) << kShipped[i].ref;
    EXPECT_EQ(prop->GetLangValue(0), Variant(i == 5 ? "Setup" : "current")) << kShipped[i].ref;
  }
  EXPECT_EQ(store->comps.Items(6)->Name(), "GroupBox1");
  EXPECT_EQ(WriteAll(form), bytes);
}

}  // namespace
}  // namespace wdx
