#include "tools/formtool/FormTranslations.h"

#include <map>
#include <memory>
#include <optional>
#include <set>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlFrames.h"
#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Reader.h"
#include "framework/components/Strings.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"
#include "setup/ConfigUnit.h"
#include "tools/formtool/PoFile.h"

namespace wdx {

namespace {

// ---------------------------------------------------------------------------------------------
// Text coding: UTF-8 in the files, Windows-1252 (or UTF-16 for wide values) in the form.

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string WideToUtf8(const std::u16string& wide) {
  std::string out;
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    AppendUtf8(out, c);
  }
  return out;
}

// The UTF-16 form of UTF-8 `text`; nullopt for malformed UTF-8 (overlong forms, surrogates,
// truncated sequences, values beyond U+10FFFF).
std::optional<std::u16string> Utf8ToWide(std::string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t c = 0, least = 0;
    if (lead < 0x80) {
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
      return std::nullopt;
    }
    if (static_cast<size_t>(extra) > text.size() - i - 1) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
    i += static_cast<size_t>(extra) + 1;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

// The Windows-1252 bytes of `wide`; nullopt when the code page lacks one of its characters.
std::optional<std::string> WideToAnsiExact(const std::u16string& wide) {
  static const std::map<char16_t, char> kBytes = [] {
    std::map<char16_t, char> bytes;
    for (int b = 1; b < 256; ++b) {
      const std::u16string c = AnsiToWide(std::string(1, static_cast<char>(b)));
      if (c.size() == 1) bytes.emplace(c[0], static_cast<char>(b));
    }
    return bytes;
  }();
  std::string out;
  for (const char16_t c : wide) {
    const auto found = kBytes.find(c);
    if (found == kBytes.end()) return std::nullopt;
    out += found->second;
  }
  return out;
}

std::string AnsiToUtf8(const std::string& ansi) {
  return WideToUtf8(AnsiToWide(ansi));
}

bool IsText(const Variant& value) {
  return value.VType() == varString || value.VType() == varOleStr;
}

// The UTF-8 form of a slot value: the text itself, the text form of another value, "" for
// an empty slot or a value without a text form.
std::string SlotText(const Variant& value) {
  if (value.VType() == varOleStr) return WideToUtf8(value.RawWide());
  if (value.VType() == varString) return AnsiToUtf8(value.RawString());
  if (value.IsNull() || value.IsEmpty()) return {};
  try {
    return AnsiToUtf8(value.ToString());
  } catch (const Exception&) {
    return {};
  }
}

// ---------------------------------------------------------------------------------------------
// The loaded form

std::string RootClassName(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 4 || std::string(bytes.begin(), bytes.begin() + 4) != "TPF0") {
    throw EReadError(msg::kInvalidStreamFormat);
  }
  size_t pos = 4;
  if (pos < bytes.size() && bytes[pos] >= 0xF0) ++pos;  // a root's prefix carries no position
  if (pos >= bytes.size() || bytes[pos] > bytes.size() - pos - 1) {
    throw EReadError(msg::kStreamReadError);
  }
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                     bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1 + bytes[pos]));
}

// A form read from its stream into the program's classes, as the program loads it, but with
// the language frames cleared for its lifetime: the user's language (or that of a form loaded
// earlier) must not switch it away from the language it was stored in, or the slots would not
// be those of the stream. Errors that the language control reports while loading fail the load.
class LoadedForm {
 public:
  explicit LoadedForm(const std::vector<uint8_t>& bytes) {
    RegisterSetupClasses();
    const std::string className = RootClassName(bytes);
    const TMetaClass* cls = FindRegisteredClass(className);
    if (!cls || !cls->CanCreate() || !cls->InheritsFrom(TComponent::StaticClass())) {
      throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
    }
    hadFrames_ = DefaultFrames() != nullptr;
    if (hadFrames_) remembered_ = DefaultFrames()->RememberedLanguage();
    StartupLanguageFrames("");
    std::vector<std::string> errors;
    Application().SetOnException(
        [&errors](TObject*, const Exception& error) { errors.push_back(error.Message()); });
    try {
      root_.reset(static_cast<TComponent*>(cls->Create(&Application())));
      TMemoryStream in(bytes);
      TReader reader(in);
      reader.SetGlobalScope(&Application());
      reader.ReadRootComponent(root_.get());
    } catch (...) {
      Release();
      throw;
    }
    if (!errors.empty()) {
      Release();
      throw Exception(errors.front());
    }
    for (int i = 0; i < root_->ComponentCount(); ++i) {
      if (auto* control = dynamic_cast<TLangControl*>(root_->Components(i))) {
        if (control_) {
          Release();
          throw Exception("The form has more than one language control");
        }
        control_ = control;
      }
    }
    if (!control_) {
      Release();
      throw Exception("The form has no language control");
    }
  }
  ~LoadedForm() { Release(); }
  LoadedForm(const LoadedForm&) = delete;
  LoadedForm& operator=(const LoadedForm&) = delete;

  TComponent* Root() const { return root_.get(); }
  TLanguageManager& Manager() const { return control_->Manager(); }

  std::vector<uint8_t> Write() const {
    TMemoryStream out;
    TWriter writer(out);
    writer.WriteRootComponent(root_.get());
    return out.Bytes();
  }

 private:
  void Release() {
    if (released_) return;
    released_ = true;
    root_.reset();
    Application().SetOnException(nullptr);
    if (hadFrames_) {
      StartupLanguageFrames(remembered_);
    } else {
      ShutdownLanguageFrames();
    }
  }

  std::unique_ptr<TComponent> root_;
  TLangControl* control_ = nullptr;
  bool hadFrames_ = false;
  bool released_ = false;
  std::string remembered_;
};

// ---------------------------------------------------------------------------------------------
// The translated texts

struct Translatable {
  std::string context;  // UTF-8
  TConsistentLangPropertyEntry* entry;
};

// How a component reference is written in the form data.
std::string RefName(const TComponent* component, const TComponent* root) {
  if (component == root) return "Owner";
  const TComponent* owner = component->Owner();
  if (owner == root) return component->Name();
  if (owner && !owner->Name().empty()) return owner->Name() + "." + component->Name();
  return component->Name() + ".Owner";
}

class Collector {
 public:
  Collector(TLanguageManager& manager, const TComponent* root)
      : manager_(manager), root_(root), resources_(manager.GetStringInterface(false)) {}

  std::vector<Translatable> Run() {
    TComponentEntries& components = *manager_.Components();
    for (int i = 0; i < components.Count(); ++i) {
      TComponentEntry* entry = components.Items(i);
      if (!entry->Ref()) continue;
      Walk(entry, RefName(entry->Ref(), root_));
    }
    return std::move(found_);
  }

 private:
  void Walk(TMainEntry* entry, const std::string& path) {
    TPropertyEntries& props = *entry->Props();
    for (int i = 0; i < props.Count(); ++i) {
      TPropertyEntry* property = props.Items(i);
      if (entry == resources_) {
        const int32_t line = property->Index();
        if (line >= 0 && line < manager_.Names()->Count()) {
          Add(manager_.Names()->Get(line), property);
        }
        continue;
      }
      std::string name = path + "." + property->Name();
      if (property->Index() >= 0) name += "[" + std::to_string(property->Index()) + "]";
      Add(name, property);
    }
    TMainEntries& items = *entry->Items();
    for (int i = 0; i < items.Count(); ++i)
      Walk(items.Items(i), path + "." + items.Items(i)->Name());
  }

  void Add(const std::string& context, TPropertyEntry* property) {
    auto* values = dynamic_cast<TConsistentLangPropertyEntry*>(property);
    if (!values || values->Count() < 1 || !IsText(values->GetLangValue(0))) return;
    const std::string utf8 = AnsiToUtf8(context);
    if (!contexts_.emplace(utf8).second) {
      throw Exception("Two translated texts of the form share the context '" + context + "'");
    }
    found_.push_back({utf8, values});
  }

  TLanguageManager& manager_;
  const TComponent* root_;
  const TMainEntry* resources_;
  std::vector<Translatable> found_;
  std::set<std::string> contexts_;
};

// ISO 639-1 codes with the Windows primary language identifier of the built-in language table.
struct LanguageCode {
  const char* code;
  int id;
};
constexpr LanguageCode kLanguageCodes[] = {
    {"af", 0x36}, {"sq", 0x1C}, {"ar", 0x01}, {"eu", 0x2D}, {"be", 0x23}, {"bg", 0x02},
    {"ca", 0x03}, {"zh", 0x04}, {"hr", 0x1A}, {"cs", 0x05}, {"da", 0x06}, {"nl", 0x13},
    {"en", 0x09}, {"et", 0x25}, {"fo", 0x38}, {"fa", 0x29}, {"fi", 0x0B}, {"fr", 0x0C},
    {"de", 0x07}, {"el", 0x08}, {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"id", 0x21},
    {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"lv", 0x26}, {"lt", 0x27}, {"nb", 0x14},
    {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19}, {"sk", 0x1B},
    {"sl", 0x24}, {"es", 0x0A}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"uk", 0x22},
    {"vi", 0x2A},
};

// The ISO code of a language name of the built-in table (English or native), or "".
std::string LanguageCodeOf(const std::string& name) {
  for (const TLanguageNameKind kind : {nkEnglish, nkNative}) {
    std::string spelling = name;
    int row = -1;
    if (!FindDefaultLanguage(kind, spelling, row)) continue;
    for (const LanguageCode& code : kLanguageCodes) {
      if (code.id == DefaultLanguages[row].LanguageId) return code.code;
    }
  }
  return {};
}

// The English name of the language of an ISO code ("de", "de_AT", "pt-BR"), or "".
std::string LanguageOfCode(std::string code) {
  code = code.substr(0, code.find_first_of("_-@."));
  for (char& c : code) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  for (const LanguageCode& entry : kLanguageCodes) {
    if (code != entry.code) continue;
    std::string english, native;
    if (FindLanguageById(entry.id, english, native)) return english;
  }
  return {};
}

// The language of the form that `name` (a name of the form's list, a name of the built-in
// table, or an ISO code) denotes, or nullptr.
TLanguageEntry* FindLanguage(TLanguageManager& manager, const std::string& name) {
  TLanguageEntries& languages = *manager.Languages();
  for (const std::string& candidate : {name, LanguageOfCode(name)}) {
    for (int i = 0; i < languages.Count(); ++i) {
      if (SameLanguage(languages.Items(i)->Name(), candidate)) return languages.Items(i);
    }
  }
  return nullptr;
}

std::string SlotTextOf(TConsistentLangPropertyEntry* entry, int32_t slot) {
  if (slot < 0 || slot >= entry->Count()) return {};
  return SlotText(entry->GetLangValue(slot));
}

bool BeginsWithBreak(const std::string& s) {
  return !s.empty() && s.front() == '\n';
}
bool EndsWithBreak(const std::string& s) {
  return !s.empty() && s.back() == '\n';
}

}  // namespace

std::string ExportFormTranslations(const std::vector<uint8_t>& form, const std::string& language) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  const TLanguageEntry* target = FindLanguage(manager, language);
  if (!target) {
    throw Exception(Format("Language '%s' not found in the form", language.c_str()));
  }
  if (target->SubIndex() < 0) {
    throw Exception(Format("Language '%s' of the form has no texts", language.c_str()));
  }
  // The ISO code where the language has one (what translation tools expect), else its name;
  // Language-Team always names it.
  std::string languageField = LanguageCodeOf(target->Name());
  if (languageField.empty()) languageField = target->Name();
  std::vector<PoEntry> entries(1);
  PoEntry& header = entries.front();
  header.msgstr.push_back("Project-Id-Version: " + AnsiToUtf8(loaded.Root()->Name()) +
                          "\n"
                          "PO-Revision-Date: \n"
                          "Last-Translator: \n"
                          "Language-Team: " +
                          AnsiToUtf8(target->Name()) + "\nLanguage: " + AnsiToUtf8(languageField) +
                          "\n"
                          "MIME-Version: 1.0\n"
                          "Content-Type: text/plain; charset=UTF-8\n"
                          "Content-Transfer-Encoding: 8bit\n"
                          "X-Source-Language: " +
                          AnsiToUtf8(manager.ActiveLanguageName()) + "\n");
  for (const Translatable& text : Collector(manager, loaded.Root()).Run()) {
    PoEntry entry;
    entry.hasContext = true;
    entry.context = text.context;
    entry.msgid = SlotTextOf(text.entry, 0);
    std::string translation = SlotTextOf(text.entry, target->SubIndex());
    // The catalogue compiler refuses a message whose texts differ in a leading or trailing
    // line break; such a translation travels as a comment and the message stays untranslated
    // (which leaves the slot as it is on import).
    if (!translation.empty() && !entry.msgid.empty() &&
        (BeginsWithBreak(translation) != BeginsWithBreak(entry.msgid) ||
         EndsWithBreak(translation) != EndsWithBreak(entry.msgid))) {
      entry.extractedComments.push_back("Stored translation, whose line breaks differ: " +
                                        QuotePoString(translation));
      translation.clear();
    }
    entry.msgstr.push_back(std::move(translation));
    entries.push_back(std::move(entry));
  }
  return WritePoFile(entries);
}

std::vector<uint8_t> ImportFormTranslations(const std::vector<uint8_t>& form, std::string_view po,
                                            const std::string& poName) {
  const std::vector<PoEntry> entries = ParsePoFile(po, poName);
  const PoEntry* header = nullptr;
  for (const PoEntry& entry : entries) {
    if (entry.IsHeader()) header = &entry;
  }
  if (!header) throw PoError(poName, 1, "no header entry (msgid \"\")");
  if (header->msgstr.size() != 1) throw PoError(poName, header->line, "malformed header entry");
  const auto fields = ParsePoHeader(header->msgstr.front());

  bool ansiFile = false;
  const std::string contentType = PoHeaderField(fields, "Content-Type");
  const size_t charsetAt = contentType.find("charset=");
  if (charsetAt != std::string::npos) {
    const std::string charset = contentType.substr(charsetAt + 8);
    std::string lower;
    for (const char c : charset) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    if (lower == "windows-1252" || lower == "cp1252") {
      ansiFile = true;
    } else if (lower != "utf-8" && lower != "ascii" && lower != "us-ascii") {
      throw PoError(poName, header->line, "unsupported charset '" + charset + "'");
    }
  }
  // Every text of the file as UTF-8.
  const auto utf8 = [&](const std::string& text, int line) {
    if (ansiFile) return AnsiToUtf8(text);
    if (!Utf8ToWide(text)) throw PoError(poName, line, "invalid UTF-8");
    return text;
  };

  const std::string languageName = utf8(PoHeaderField(fields, "Language"), header->line);
  if (languageName.empty()) throw PoError(poName, header->line, "the header names no Language");
  const std::optional<std::u16string> languageWide = Utf8ToWide(languageName);
  const std::optional<std::string> language = WideToAnsiExact(*languageWide);

  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  const TLanguageEntry* target = language ? FindLanguage(manager, *language) : nullptr;
  if (!target) {
    throw PoError(poName, header->line, "language '" + languageName + "' not in the form");
  }
  const int32_t slot = target->SubIndex();
  if (slot < 0) {
    throw PoError(poName, header->line, "language '" + languageName + "' has no texts");
  }

  std::map<std::string, TConsistentLangPropertyEntry*> byContext;
  for (const Translatable& text : Collector(manager, loaded.Root()).Run()) {
    byContext.emplace(text.context, text.entry);
  }

  struct Change {
    TConsistentLangPropertyEntry* entry;
    Variant value;
  };
  std::vector<Change> changes;
  for (const PoEntry& entry : entries) {
    if (&entry == header) continue;
    if (entry.plural) throw PoError(poName, entry.line, "plural forms are not supported");
    if (!entry.hasContext) throw PoError(poName, entry.line, "message without a context");
    const std::string context = utf8(entry.context, entry.line);
    const auto found = byContext.find(context);
    if (found == byContext.end()) {
      throw PoError(poName, entry.line, "unknown context '" + context + "'");
    }
    TConsistentLangPropertyEntry* values = found->second;
    const std::string msgid = utf8(entry.msgid, entry.line);
    const std::string active = SlotTextOf(values, 0);
    if (msgid != active) {
      throw PoError(poName, entry.line,
                    "msgid of '" + context + "' is not the form's text " + QuotePoString(active));
    }
    const std::string msgstr = utf8(entry.msgstr.front(), entry.line);
    if (entry.fuzzy || msgstr.empty() || msgstr == SlotTextOf(values, slot)) continue;
    if (slot >= values->Count()) {
      throw PoError(poName, entry.line, "'" + context + "' has no slot for the language");
    }
    const std::u16string wide = *Utf8ToWide(msgstr);
    // The new text takes the kind of text the slot (or else the live value) holds.
    const Variant current = values->GetLangValue(values->HasLangValue(slot) ? slot : 0);
    if (current.VType() == varOleStr) {
      changes.push_back({values, Variant::Wide(wide)});
      continue;
    }
    const std::optional<std::string> ansi = WideToAnsiExact(wide);
    if (!ansi) {
      throw PoError(poName, entry.line,
                    "the text of '" + context + "' has characters Windows-1252 lacks");
    }
    changes.push_back({values, Variant(*ansi)});
  }
  for (const Change& change : changes) change.entry->SetLangValue(slot, change.value);
  return loaded.Write();
}

}  // namespace wdx
