// The translations that Translate (Texts.h) looks texts up in, by language and name, in two
// layers: the library's own translations of its texts, and the program's, which win over them.
// The program's language comes from a source that the language library sets: the language its
// forms show, or the user's before any form does.
//
// A catalogue travels as UTF-8 text (formc writes it beside a program's form, the library carries
// its own), a line each:
//   WENDRIX TEXTS 1          the first line
//   [German]                 the language of the lines after it, by its English name ("*" for
//                            the English texts themselves)
//   Setup.SaveQuestion=Die Einstellungen in {file} speichern?
// In a text, "\\", "\n", "\r" and "\t" stand for a backslash, a line feed, a carriage return and a
// tab; a name holds neither "=" nor a line break.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wdx::text_catalogue {

enum class TLayer { kLibrary, kProgram };

// The language under which a catalogue may list the texts themselves, in English.
inline constexpr const char* kSourceLanguage = "*";

struct TEntry {
  std::string Language;  // English name
  std::string Name;
  std::string Text;
};

std::string Encode(const std::vector<TEntry>& entries);
// Raises EReadError "Invalid text catalogue" for text that is not a catalogue.
std::vector<TEntry> Decode(std::string_view catalogue);

// Adds translations to a layer; a later one of the same language and name replaces an earlier.
void Add(TLayer layer, const std::vector<TEntry>& entries);
// Forgets every translation.
void Clear();

// Where the program's language comes from: a function giving its English name ("" for none, when
// the texts are English). Without one, the texts are English.
void SetLanguageSource(std::function<std::string()> source);
std::string ProgramLanguage();

// The translation of text `name` into `language`, the program's layer first.
std::optional<std::string> Find(const std::string& language, std::string_view name);

}  // namespace wdx::text_catalogue
