#include "bench/SyntheticForm.h"

#include "framework/components/Filer.h"
#include "framework/rtl/LittleEndian.h"

namespace wdx::bench {

namespace {

// Writes the binary form stream the way the form compiler does: the smallest tags, names as
// short strings without a tag.
class StreamBuilder {
 public:
  std::vector<uint8_t> Take() { return std::move(out_); }

  void Signature() { Raw("TPF0", 4); }
  void Byte(uint8_t b) { out_.push_back(b); }
  void End() { Byte(vaNull); }
  void Name(const std::string& s) {
    Byte(static_cast<uint8_t>(s.size()));
    Raw(s.data(), s.size());
  }
  void String(const std::string& s) {
    Byte(vaString);
    Name(s);
  }
  void Ident(const std::string& s) {
    Byte(vaIdent);
    Name(s);
  }
  void SmallInt(int8_t v) {
    Byte(vaInt8);
    Byte(static_cast<uint8_t>(v));
  }
  void Binary(const std::vector<uint8_t>& bytes) {
    Byte(vaBinary);
    AppendLittleEndian(out_, bytes.size(), 4);
    Raw(bytes.data(), bytes.size());
  }
  void Set(const std::string& element) {
    Byte(vaSet);
    Name(element);
    End();
  }
  void BeginObject(const std::string& className, const std::string& name) {
    Name(className);
    Name(name);
  }

 private:
  void Raw(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
  }
  std::vector<uint8_t> out_;
};

// The "Values" of a property entry: for slots 1 and 2 a 32-bit size, then the encoded text
// (type code 256 and the characters).
std::vector<uint8_t> SlotValues(int64_t i) {
  std::vector<uint8_t> bytes;
  for (int language : {1, 2}) {
    const std::string text = LabelText(language, i);
    AppendLittleEndian(bytes, 4 + text.size(), 4);
    AppendLittleEndian(bytes, 256, 4);
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  return bytes;
}

}  // namespace

std::string LabelText(int language, int64_t i) {
  static const char* const kWords[] = {"Label number ", "Beschriftung Nummer ", "Etiqueta numero "};
  return kWords[language] + std::to_string(i);
}

std::string LabelName(int64_t i) {
  return "Label" + std::to_string(i);
}

std::vector<uint8_t> TranslatedFormStream(int64_t n, const std::string& formName) {
  StreamBuilder s;
  s.Signature();
  s.BeginObject("TForm", formName);
  s.Name("Caption");
  s.String("Benchmark");
  s.End();
  for (int64_t i = 0; i < n; ++i) {
    s.BeginObject("TLabel", LabelName(i));
    s.Name("Caption");
    s.String(LabelText(0, i));
    s.End();
    s.End();
  }
  s.BeginObject("TLangControl", "LangControl");
  s.Name("Language");
  s.String(kLanguages[0]);
  s.Name("LanguageManager_Langs");
  s.Byte(vaCollection);
  for (int8_t k = 0; k < 3; ++k) {
    s.Byte(vaList);
    s.Name("Name");
    s.String(kLanguages[k]);
    s.Name("SubIndex");
    s.SmallInt(k);
    s.End();
  }
  s.End();
  s.Name("LanguageManager_Comps");
  s.Byte(vaCollection);
  for (int64_t i = 0; i < n; ++i) {
    s.Byte(vaList);
    s.Name("Items");
    s.Byte(vaCollection);
    s.End();
    s.Name("Props");
    s.Byte(vaCollection);
    s.Byte(vaList);
    s.Name("Name");
    s.String("Caption");
    s.Name("Kind");
    s.Ident("tkLString");
    s.Name("Count");
    s.SmallInt(3);
    s.Name("Values");
    s.Binary(SlotValues(i));
    s.End();
    s.End();
    s.Name("SubType");
    s.Set("stPubPropObject");
    s.Name("Ref");
    s.Ident(LabelName(i));
    s.End();
  }
  s.End();
  s.Name("LanguageManager_Names");
  s.String("");
  s.Name("LanguageManager_Values");
  s.String("");
  s.End();  // properties of the language control
  s.End();  // its children
  s.End();  // children of the form
  return s.Take();
}

}  // namespace wdx::bench
