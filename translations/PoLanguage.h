// Which language a PO file is for, and how its header names a language of a form: by name in
// Language-Team (English or native, as the built-in language table has them) and by code in
// Language (a locale name such as "de" or "pt_BR", mapped the way the user's locale is).
// Names here are UTF-8, as the form keeps them in memory.
#pragma once

#include <string>

namespace wdx {

class TLanguageEntry;
class TLanguageManager;

// The Language field for a language of the form: the ISO code when the built-in table knows the
// name (English or native), else the name itself.
std::string LanguageCodeField(const std::string& name);

// The English name of the table for a language name (English or native), or "".
std::string EnglishLanguageName(const std::string& name);
// The English name of the table for a language of the form, or its own name when the table
// does not know it: how Language-Team and `formtool languages` name it.
std::string LanguageTeamName(const std::string& name);

// The form's language that `name` denotes: a name of the form's list (or one SameLanguage
// matches), or a code of a language of the table the form has. nullptr when none.
TLanguageEntry* FindFormLanguage(TLanguageManager& manager, const std::string& name);

// Every language a PO file can be for, one a line: the code its Language field takes, the
// English name and the native name where the table has another:
//   de German (Deutsch)
std::string ListKnownLanguages();

// The English name of the table's language that a PO header names, the code in `code` (the
// Language field) first, then the name in `team` (Language-Team); "" when neither names one.
std::string PoFileLanguage(const std::string& team, const std::string& code);

// What the header of a PO file says about its language.
struct PoLanguage {
  TLanguageEntry* existing = nullptr;  // the form's language, when the form has it
  std::string englishName;             // otherwise its English name from the table, or ""
};

// `team` is the Language-Team field (a trailing "<address>" is ignored), `code` the Language
// field. The code is looked up first, then the team's name: each among the form's languages and
// then, for a language to add, in the built-in table.
PoLanguage ResolvePoLanguage(TLanguageManager& manager, const std::string& team,
                             const std::string& code);

}  // namespace wdx
