#include "translations/PoLanguage.h"

#include <initializer_list>
#include <utility>

#include "LangControl/Source/LangControlSystem.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "LangControl/Source/LanguageVariants.h"
#include "framework/rtl/LocaleNames.h"
#include "framework/rtl/StrUtils.h"
#include "translations/IsoLanguages.h"

namespace wdx {

namespace {

// The English name of the table or of a variant for a code ("de", "de_AT", "pt-BR",
// "sr@latin"), or "".
std::string LanguageOfCode(std::string code) {
  if (const TLanguageVariant* variant = FindVariantByCode(code)) return variant->English;
  for (char& c : code) {
    if (c == '-') c = '_';
  }
  std::string english, native;
  const int id = LanguageIdOfLocaleName(Trim(code));
  if (id != 0 && FindLanguageById(id, english, native)) return english;
  const TIsoLanguage* iso = FindIsoLanguageByCode(code);
  return iso ? iso->English : std::string();
}

// The team's name: "French <traduc@traduc.org>" names French.
std::string TeamName(const std::string& team) {
  return Trim(team.substr(0, team.find('<')));
}

// The row of the built-in table that has `name` as its English or else its native name, or -1.
int TableRow(const std::string& name) {
  for (const TLanguageNameKind kind : {nkEnglish, nkNative}) {
    std::string spelling = Trim(name);
    int row = -1;
    if (FindDefaultLanguage(kind, spelling, row)) return row;
  }
  return -1;
}

TLanguageEntry* FirstFormLanguage(TLanguageManager& manager,
                                  std::initializer_list<std::string> names) {
  TLanguageEntries& languages = *manager.Languages();
  for (const std::string& name : names) {
    for (int i = 0; i < languages.Count(); ++i) {
      if (SameLanguage(languages.Items(i)->Name(), name)) return languages.Items(i);
    }
  }
  return nullptr;
}

}  // namespace

std::string EnglishLanguageName(const std::string& name) {
  if (const TLanguageVariant* variant = FindVariantByName(name)) return variant->English;
  const int row = TableRow(name);
  if (row >= 0) return DefaultLanguages[row].Names[nkEnglish];
  const TIsoLanguage* iso = FindIsoLanguageByName(name);
  return iso ? iso->English : std::string();
}

std::string LanguageTeamName(const std::string& name) {
  const std::string english = EnglishLanguageName(name);
  return english.empty() ? name : english;
}

std::string LanguageCodeField(const std::string& name) {
  if (const TLanguageVariant* variant = FindVariantByName(name)) return variant->Code;
  const int row = TableRow(name);
  const TIsoLanguage* iso = row < 0 ? FindIsoLanguageByName(name) : nullptr;
  const std::string_view code = row >= 0 ? LocaleCodeOfLanguageId(DefaultLanguages[row].LanguageId)
                                : iso    ? std::string_view(iso->Code)
                                         : std::string_view();
  return code.empty() ? name : std::string(code);
}

std::string ListKnownLanguages() {
  std::string out;
  const auto line = [&out](std::string_view code, const std::string& english,
                           const std::string& native) {
    out += std::string(code) + " " + english;
    if (!native.empty() && native != english) out += " (" + native + ")";
    out += "\n";
  };
  for (const TDefaultLanguage& language : DefaultLanguages) {
    line(LocaleCodeOfLanguageId(language.LanguageId), language.Names[nkEnglish],
         language.Names[nkNative]);
  }
  for (const TLanguageVariant& variant : LanguageVariants) {
    line(variant.Code, variant.English, variant.Native);
  }
  // ISO's other languages, which a form keeps under their English names, in Unicode.
  for (const TIsoLanguage* iso = IsoLanguagesBegin(); iso != IsoLanguagesEnd(); ++iso) {
    if (LanguageIdOfLocaleName(iso->Code) == 0) line(iso->Code, iso->English, "");
  }
  return out;
}

std::string PoFileLanguage(const std::string& team, const std::string& code) {
  const std::string byCode = LanguageOfCode(code);
  return byCode.empty() ? EnglishLanguageName(TeamName(team)) : byCode;
}

TLanguageEntry* FindFormLanguage(TLanguageManager& manager, const std::string& name) {
  return FirstFormLanguage(manager, {name, LanguageOfCode(name)});
}

PoLanguage ResolvePoLanguage(TLanguageManager& manager, const std::string& team,
                             const std::string& code) {
  // Each field names a language of the form by any of its names, the form's own spelling
  // included (a form may have a language the table does not know; its PO files carry that
  // name), and a language to add by the table's names. The code, when it names a language
  // either way, decides: a file started from another language's keeps that language's team
  // until someone changes it, and msginit writes a team of "none".
  for (const auto& [name, english] :
       {std::pair(Trim(code), LanguageOfCode(code)),
        std::pair(TeamName(team), EnglishLanguageName(TeamName(team)))}) {
    PoLanguage found;
    found.existing = FirstFormLanguage(manager, {name, english});
    if (!found.existing) found.englishName = english;
    if (found.existing || !found.englishName.empty()) return found;
  }
  return {};
}

}  // namespace wdx
