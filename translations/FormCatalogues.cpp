#include "translations/FormCatalogues.h"

#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Component.h"
#include "framework/components/ObjectText.h"
#include "translations/FormTexts.h"
#include "translations/FormTranslations.h"
#include "translations/LoadedForm.h"
#include "translations/PoFile.h"
#include "translations/PoLanguage.h"

namespace wdx {

namespace {

// "1 translated message", "7 untranslated messages": msgfmt's wording.
std::string Counted(size_t count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// The message's reference becomes the line of the source that sets its text, and the notes
// written there come with it.
void PointIntoSource(PoEntry& entry, const FormText& text, const TemplateSource& source) {
  const TFormSourceMap::TPlace* place = source.map->FindProperty(text.component, text.property);
  if (!place) place = source.map->FindObject(text.component);
  if (!place) return;
  // A path with blanks is set apart as gettext's tools do, so that the reference stays whole.
  const bool blanks = source.path.find_first_of(" \t") != std::string::npos;
  const std::string path = blanks ? "\u2068" + source.path + "\u2069" : source.path;
  entry.references = {path + ":" + std::to_string(place->line)};
  entry.extractedComments = place->notes;
}

}  // namespace

std::string WriteTextTemplate(const std::string& project, const std::vector<PoEntry>& messages) {
  std::vector<PoEntry> entries(1);
  entries.front().msgstr.push_back(CatalogueHeader(project, "", "", "English"));
  entries.insert(entries.end(), messages.begin(), messages.end());
  return WritePoFile(entries);
}

std::string WriteFormTemplate(const std::vector<uint8_t>& form, const TemplateSource* source,
                              const std::vector<PoEntry>& more) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  std::vector<PoEntry> entries(1);
  entries.front().msgstr.push_back(
      CatalogueHeader(loaded.Root()->Name(), "", "", manager.ActiveLanguageName()));
  for (const FormText& text : CollectFormTexts(manager, loaded.Root())) {
    PoEntry entry = MessageOf(text);
    entry.msgstr.emplace_back();
    if (source) PointIntoSource(entry, text, *source);
    entries.push_back(std::move(entry));
  }
  entries.insert(entries.end(), more.begin(), more.end());
  return WritePoFile(entries);
}

std::string ListFormLanguages(const std::vector<uint8_t>& form, const TTextsBeside* beside) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  const std::vector<FormText> texts = CollectFormTexts(manager, loaded.Root());
  const size_t others = beside ? beside->Texts.size() : 0;
  const size_t all = texts.size() + others;
  const TLanguageEntries& languages = *manager.Languages();
  std::string out;
  for (int i = 0; i < languages.Count(); ++i) {
    const TLanguageEntry& language = *languages.Items(i);
    const int32_t slot = language.SubIndex();
    out += std::to_string(slot) + " " + LanguageTeamName(language.Name()) + ": ";
    if (slot == 0) {
      out += "source language, " + Counted(all, "message") + ".\n";
      continue;
    }
    if (slot < 0 || slot >= languages.Count()) {
      out += "no texts.\n";
      continue;
    }
    size_t translated = 0;
    for (const FormText& text : texts) {
      if (SlotText(*text.entry, slot) != SlotText(*text.entry, 0)) ++translated;
    }
    for (const TOtherText& text : beside ? beside->Texts : std::vector<TOtherText>()) {
      const auto translation = beside->Translation(LanguageTeamName(language.Name()), text.Name);
      if (translation && *translation != text.English) ++translated;
    }
    out += Counted(translated, "translated message");
    if (translated < all) out += ", " + Counted(all - translated, "untranslated message");
    out += ".\n";
  }
  return out;
}

}  // namespace wdx
