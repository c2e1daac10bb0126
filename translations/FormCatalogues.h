// What a translator starts from and checks against: the template of a form's texts and the
// state of each of its languages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "translations/PoFile.h"

namespace wdx {

struct TFormSourceMap;
struct TTextsBeside;

// The form source a template points into: its path as the template's references give it (from
// the template's folder, with "/"), and where its records are.
struct TemplateSource {
  std::string path;
  const TFormSourceMap* map = nullptr;
};

// The PO template (.pot) of the form stream `form`: a header without a language, then every
// translatable text of the form with its context, a "#:" reference, the text of the form's
// active language as msgid and an empty msgstr. With `source`, the reference is the line of
// the form source that sets the text ("../Main.frm:42", the object's line when the source
// leaves the property as it is) and the notes written there for translators come as "#."
// comments; without, it names the component and the property. The messages `more` follow them:
// the texts of the program's code and the library's.
std::string WriteFormTemplate(const std::vector<uint8_t>& form,
                              const TemplateSource* source = nullptr,
                              const std::vector<PoEntry>& more = {});
// The template of texts that belong to no form (the library's): a header, then `messages`.
std::string WriteTextTemplate(const std::string& project, const std::vector<PoEntry>& messages);

// One line per language of the form, in the order of its list: the SubIndex, the English name
// (the form's own name when the built-in table does not know it), a colon and how many of the
// texts are translated, that is differ from the active language's, the way msgfmt --statistics
// counts them:
//   0 English: source language, 19 messages.
//   1 German: 12 translated messages, 7 untranslated messages.
//   3 Klingon: no texts.          (a SubIndex that owns no slot)
// With `beside`, the texts beside the form count too, translated where `beside` has a translation
// that differs from the text.
std::string ListFormLanguages(const std::vector<uint8_t>& form,
                              const TTextsBeside* beside = nullptr);

}  // namespace wdx
