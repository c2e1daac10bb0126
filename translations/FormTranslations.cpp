#include "translations/FormTranslations.h"

#include <map>
#include <optional>
#include <set>

#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageAdding.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Component.h"
#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Utf8.h"
#include "translations/FormTexts.h"
#include "translations/LoadedForm.h"
#include "translations/PoFile.h"
#include "translations/PoHeader.h"
#include "translations/PoLanguage.h"
#include "translations/TextTranslations.h"

namespace wdx {

namespace {

bool BeginsWithBreak(const std::string& s) {
  return !s.empty() && s.front() == '\n';
}
bool EndsWithBreak(const std::string& s) {
  return !s.empty() && s.back() == '\n';
}

}  // namespace

std::string ExportFormTranslations(const std::vector<uint8_t>& form, const std::string& language,
                                   const TTextsBeside* beside) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  const TLanguageEntry* target = FindFormLanguage(manager, language);
  if (!target) {
    throw Exception(Format("Language '%s' not found in the form", language.c_str()));
  }
  if (target->SubIndex() < 0) {
    throw Exception(Format("Language '%s' of the form has no texts", language.c_str()));
  }
  // Language-Team names the language in English where the table knows it; Language gives its
  // ISO code where it has one (what translation tools expect), else its name.
  std::vector<PoEntry> entries(1);
  entries.front().msgstr.push_back(
      CatalogueHeader(loaded.Root()->Name(), LanguageTeamName(target->Name()),
                      LanguageCodeField(target->Name()), manager.ActiveLanguageName()));
  for (const FormText& text : CollectFormTexts(manager, loaded.Root())) {
    PoEntry entry = MessageOf(text);
    std::string translation = SlotText(*text.entry, target->SubIndex());
    // A text that equals the source is untranslated, as `formtool languages` counts it (a
    // language starts as a copy of the active one); gettext's tools then show it as such.
    if (translation == entry.msgid) translation.clear();
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
  for (const TOtherText& text : beside ? beside->Texts : std::vector<TOtherText>()) {
    PoEntry entry;
    entry.hasContext = true;
    entry.context = text.Name;
    entry.msgid = text.English;
    const std::optional<std::string> translation =
        beside->Translation(LanguageTeamName(target->Name()), text.Name);
    entry.msgstr.push_back(translation && *translation != text.English ? *translation : "");
    entries.push_back(std::move(entry));
  }
  return WritePoFile(entries);
}

namespace {

// The problems of one run, each a PoError ("file:line: reason").
using Problems = std::vector<PoError>;

// The form's language that the header names, added to the form when the form lacks it; nullptr,
// with the problem told, when the file names none the form can take.
TLanguageEntry* TargetLanguage(TLanguageManager& manager, const PoHeader& header,
                               const std::string& poName, Problems& problems) {
  const std::string team = header.Field("Language-Team");
  const std::string code = header.Field("Language");
  const auto problem = [&](const std::string& reason) {
    problems.emplace_back(poName, header.Line(), reason);
    return nullptr;
  };
  if (Trim(team).empty() && Trim(code).empty()) return problem("the header names no Language");
  const PoLanguage language = ResolvePoLanguage(manager, team, code);
  if (language.existing) {
    if (language.existing->SubIndex() == 0) {
      return problem("the file is for " + LanguageTeamName(language.existing->Name()) +
                     ", the language the form's texts are written in");
    }
    if (language.existing->SubIndex() < 0) {
      return problem("language '" + language.existing->Name() + "' has no texts");
    }
    return language.existing;
  }
  if (language.englishName.empty()) {
    const std::string named =
        Trim(code).empty() ? Trim(team.substr(0, team.find('<'))) : Trim(code);
    return problem("unknown language '" + named +
                   "' (formtool languages --table lists the languages there are)");
  }
  return AddLanguage(manager, language.englishName);
}

// The value message `entry` puts into slot `slot` of `values`, or nothing when the message
// leaves the slot as it is; a problem with the message is told and leaves it out.
std::optional<Variant> MessageValue(const PoEntry& entry, const PoHeader& header,
                                    TConsistentLangPropertyEntry& values,
                                    const std::string& context, int32_t slot,
                                    const std::string& poName, Problems& problems) {
  const auto problem = [&](const std::string& reason) {
    problems.emplace_back(poName, entry.line, reason);
    return std::nullopt;
  };
  const std::string msgid = header.Utf8(entry.msgid, entry.line);
  const std::string active = SlotText(values, 0);
  if (msgid != active) {
    return problem("msgid of '" + context + "' is not the form's text " + QuotePoString(active) +
                   " (update-po merges the file with the form's texts)");
  }
  // An untranslated or fuzzy message leaves the slot as it is: a language the import added
  // keeps the source text there, which is what gettext shows for such a message.
  const std::string msgstr = header.Utf8(entry.msgstr.front(), entry.line);
  if (entry.fuzzy || msgstr.empty() || msgstr == SlotText(values, slot)) return std::nullopt;
  if (slot >= values.Count()) return problem("'" + context + "' has no slot for the language");
  // The new text takes the kind of text the slot (or else the live value) holds.
  const Variant current = values.GetLangValue(values.HasLangValue(slot) ? slot : 0);
  return current.VType() == varOleStr ? Variant::Wide(Utf8ToUtf16(msgstr)) : Variant(msgstr);
}

// Where the messages of a program's PO files go: a text of its form, or one of its code or the
// library's, by context.
struct TContexts {
  std::map<std::string, TConsistentLangPropertyEntry*> form;
  std::map<std::string, const TOtherText*> others;
};

// Stores the texts of one PO file in the loaded form, and its translations of the other texts in
// `texts`, but for the messages with a problem; returns the language they went to, or nullptr when
// the file names none the form can take.
TLanguageEntry* ImportFile(TLanguageManager& manager, const TContexts& contexts, const PoText& file,
                           std::vector<text_catalogue::TEntry>& texts, Problems& problems) {
  const auto& byContext = contexts.form;
  const std::string& poName = file.name;
  const std::vector<PoEntry> entries = ParsePoFile(file.text, poName, problems);
  std::optional<PoHeader> header;
  try {
    header.emplace(entries, poName);
  } catch (PoError& error) {
    problems.push_back(std::move(error));
    return nullptr;
  }
  TLanguageEntry* language = TargetLanguage(manager, *header, poName, problems);
  if (!language) return nullptr;
  const int32_t slot = language->SubIndex();
  for (const PoEntry& entry : entries) {
    if (&entry == header->Entry() || entry.obsolete) continue;
    if (entry.plural) {
      problems.emplace_back(poName, entry.line, "plural forms are not supported");
      continue;
    }
    if (!entry.hasContext) {
      problems.emplace_back(poName, entry.line, "message without a context");
      continue;
    }
    try {
      const std::string context = header->Utf8(entry.context, entry.line);
      const auto found = byContext.find(context);
      if (found == byContext.end()) {
        const auto other = contexts.others.find(context);
        if (other == contexts.others.end()) {
          problems.emplace_back(poName, entry.line, "unknown context '" + context + "'");
        } else if (std::optional<std::string> text =
                       OtherTextValue(entry, *header, *other->second, poName, problems)) {
          texts.push_back({LanguageTeamName(language->Name()), context, std::move(*text)});
        }
        continue;
      }
      if (std::optional<Variant> value =
              MessageValue(entry, *header, *found->second, context, slot, poName, problems)) {
        found->second->SetLangValue(slot, *value);
      }
    } catch (PoError& error) {  // text that is not UTF-8
      problems.push_back(std::move(error));
    }
  }
  return language;
}

}  // namespace

TProgramTranslations ImportProgramTranslations(const std::vector<uint8_t>& form,
                                               const std::vector<PoText>& files,
                                               const std::vector<TOtherText>& others,
                                               std::vector<PoError>* problems) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  TContexts contexts;
  for (const FormText& text : CollectFormTexts(manager, loaded.Root())) {
    contexts.form.emplace(text.context, text.entry);
  }
  for (const TOtherText& text : others) contexts.others.emplace(text.Name, &text);
  TProgramTranslations result;
  Problems found;
  std::map<const TLanguageEntry*, const PoText*> given;
  for (const PoText& file : files) {
    const TLanguageEntry* language = ImportFile(manager, contexts, file, result.Texts, found);
    if (!language) continue;
    const auto [at, added] = given.emplace(language, &file);
    if (!added) {
      found.emplace_back(
          file.name, 1,
          "the language '" + language->Name() + "' is that of " + at->second->name + " already");
    }
  }
  if (!problems && !found.empty()) throw PoErrors(std::move(found));
  if (problems) problems->insert(problems->end(), found.begin(), found.end());
  result.Form = loaded.Write();
  return result;
}

std::vector<uint8_t> ImportFormTranslations(const std::vector<uint8_t>& form,
                                            const std::vector<PoText>& files,
                                            std::vector<PoError>* problems) {
  return ImportProgramTranslations(form, files, {}, problems).Form;
}

std::vector<uint8_t> ImportFormTranslations(const std::vector<uint8_t>& form, std::string_view po,
                                            const std::string& poName) {
  return ImportFormTranslations(form, {PoText{poName, std::string(po)}});
}

}  // namespace wdx
