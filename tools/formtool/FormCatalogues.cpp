#include "tools/formtool/FormCatalogues.h"

#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Component.h"
#include "tools/formtool/FormTexts.h"
#include "tools/formtool/LoadedForm.h"
#include "tools/formtool/PoFile.h"
#include "tools/formtool/PoLanguage.h"

namespace wdx {

namespace {

// "1 translated message", "7 untranslated messages": msgfmt's wording.
std::string Counted(size_t count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

std::string WriteFormTemplate(const std::vector<uint8_t>& form) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  std::vector<PoEntry> entries(1);
  entries.front().msgstr.push_back(
      CatalogueHeader(loaded.Root()->Name(), "", "", manager.ActiveLanguageName()));
  for (const FormText& text : CollectFormTexts(manager, loaded.Root())) {
    PoEntry entry = MessageOf(text);
    entry.msgstr.emplace_back();
    entries.push_back(std::move(entry));
  }
  return WritePoFile(entries);
}

std::string ListFormLanguages(const std::vector<uint8_t>& form) {
  LoadedForm loaded(form);
  TLanguageManager& manager = loaded.Manager();
  const std::vector<FormText> texts = CollectFormTexts(manager, loaded.Root());
  const TLanguageEntries& languages = *manager.Languages();
  std::string out;
  for (int i = 0; i < languages.Count(); ++i) {
    const TLanguageEntry& language = *languages.Items(i);
    const int32_t slot = language.SubIndex();
    out += std::to_string(slot) + " " + LanguageTeamName(language.Name()) + ": ";
    if (slot == 0) {
      out += "source language, " + Counted(texts.size(), "message") + ".\n";
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
    out += Counted(translated, "translated message");
    if (translated < texts.size()) {
      out += ", " + Counted(texts.size() - translated, "untranslated message");
    }
    out += ".\n";
  }
  return out;
}

}  // namespace wdx
