// The translations of a form as PO files: one file per language, one message per translated
// text (a property of a component or of an object reached through one, or a line of the
// language control's string table).
//
//   msgctxt  where the text lives: "btOk.Caption", "Owner.Caption" for the form itself, the
//            path of a sub-entry ("Label1.Font.Name"), or a string-table line's name
//   msgid    the text of the form's active language (what the form shows as stored)
//   msgstr   the text of the file's language; empty where it equals the msgid
//   #:       the component, by its own name, and the property (see FormTexts.h)
//
// The form's texts are Windows-1252; the files are UTF-8 (files that declare windows-1252 are
// read as well).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/rtl/TextCatalogue.h"

namespace wdx {

class PoError;

struct TTextsBeside;

// The PO file of `language` (a name of the form's language list, or its native name) for the
// form stream `form`, with the texts `beside` the form after the form's. Raises an error when the
// form has no language control or no such language.
std::string ExportFormTranslations(const std::vector<uint8_t>& form, const std::string& language,
                                   const TTextsBeside* beside = nullptr);

// A PO file's text and the name that messages give it.
struct PoText {
  std::string name;
  std::string text;
};

// The form stream `form` with the texts of each PO file stored in the slots of the language its
// header names (Language-Team by name, then Language by code); every other byte stays as it
// was. A language the form lacks but the built-in table knows is added in the next slot, in the
// order of the files, its texts starting as copies of the active language's. An empty msgstr and
// a fuzzy message leave their slot as it is. Every problem of the files is found: a file that
// does not parse, names no language, an unknown one, the form's source language or one that
// another of the files names too, a message with an unknown context, a msgid that no longer
// equals the form's active text, a plural form, or a text its language's code page cannot hold.
// Without `problems`, any of them raises PoErrors (one "file:line: reason" a line); with it, they
// go there and the rest of the files is taken (a translator's preview).
std::vector<uint8_t> ImportFormTranslations(const std::vector<uint8_t>& form,
                                            const std::vector<PoText>& files,
                                            std::vector<PoError>* problems = nullptr);
// The same for one PO file.
std::vector<uint8_t> ImportFormTranslations(const std::vector<uint8_t>& form, std::string_view po,
                                            const std::string& poName);

// A text that lives beside the form, in the program's code or in the library, and that the
// program's PO files translate as well: its name is the message's context.
struct TOtherText {
  std::string Name;
  std::string English;
};

// What a program's PO files translate: its form, as ImportFormTranslations makes it, and the
// texts `others` gives, by language (the English name of the table, or the form's own). An empty
// or fuzzy message leaves a text to the library or to English. A msgid that is no longer the
// text, and a translation whose placeholders ("{file}") are not those of the text, are problems
// too.
// The texts beside a form, and what a program translates them into: the function gives the
// translation of a text (by name) into a language (by its English name), or nothing.
struct TTextsBeside {
  std::vector<TOtherText> Texts;
  std::function<std::optional<std::string>(const std::string&, const std::string&)> Translation;
};

struct TProgramTranslations {
  std::vector<uint8_t> Form;
  std::vector<text_catalogue::TEntry> Texts;
};
TProgramTranslations ImportProgramTranslations(const std::vector<uint8_t>& form,
                                               const std::vector<PoText>& files,
                                               const std::vector<TOtherText>& others,
                                               std::vector<PoError>* problems = nullptr);

}  // namespace wdx
