// The translatable texts of a loaded form, as the messages of its PO files: each text with the
// msgctxt that names it and a "#:" reference to where it lives.
//
//   context    "btOk.Caption", "Owner.Caption" for the form itself, the path of a sub-entry
//              ("Label1.Font.Name"), a line of a string list by its number ("cbColour.Items[2]"),
//              or a string-table line's name
//   reference  the component by its own name and the property ("frmWendrixSetup.Caption"),
//              or for a string-table line the language control's string property and the
//              line's number ("LangControl.LanguageManager_Values:1")
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "translations/PoFile.h"

namespace wdx {

class TComponent;
class TConsistentLangPropertyEntry;
class TLanguageManager;
class Variant;

struct FormText {
  std::string context;    // UTF-8
  std::string reference;  // UTF-8, without blanks
  TConsistentLangPropertyEntry* entry;
  std::string component;  // the component's own name
  std::string property;   // the property's path from the component ("Caption", "Font.Name")
};

// Every property entry of `manager` whose active value is a text, in the order of the component
// list (each entry's properties, then its sub-entries). Entries without a resolved component are
// left out. Raises an error when two texts would share a context.
std::vector<FormText> CollectFormTexts(TLanguageManager& manager, const TComponent* root);

// The message of a text: its reference, its context and its active language's text as msgid;
// no msgstr yet.
PoEntry MessageOf(const FormText& text);

// The UTF-8 form of slot `slot` of `entry`: the text itself, the text form of another value, ""
// for an empty slot, a slot beyond the entry's count or a value without a text form.
std::string SlotText(const TConsistentLangPropertyEntry& entry, int32_t slot);
// Whether `value` is an 8-bit or a wide string.
bool IsText(const Variant& value);

// The msgstr of a PO header: the form's name as the project, `team` and `language` for the
// translation's language (empty in a template), the form's active language as the source.
std::string CatalogueHeader(const std::string& project, const std::string& team,
                            const std::string& language, const std::string& sourceLanguage);

}  // namespace wdx
