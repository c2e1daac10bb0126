// The translations of texts that live outside a form, in a program's code or in the library, as
// PO files give them (the messages' contexts are the texts' names). The library's own PO files
// hold nothing else; a program's hold them beside its form's (FormTranslations.h).
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "framework/rtl/TextCatalogue.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {

class PoHeader;

// The placeholders of a text: each "{name}", braces included, without the doubled braces that
// stand for one.
std::set<std::string> TextPlaceholders(std::string_view text);

// The translation message `entry` gives `text`, or nothing when it leaves it to the library or
// to English (empty or fuzzy); a msgid that is no longer the text, or a translation whose
// placeholders differ from the text's, is a problem, told in `problems`.
std::optional<std::string> OtherTextValue(const PoEntry& entry, const PoHeader& header,
                                          const TOtherText& text, const std::string& poName,
                                          std::vector<PoError>& problems);

// The translations the PO files `files` give `texts`, by language (the table's English name of
// the language the header names: Language, then Language-Team). Every problem is found; without
// `problems` they raise PoErrors, with it they go there and the rest is taken.
std::vector<text_catalogue::TEntry> ImportTextTranslations(
    const std::vector<PoText>& files, const std::vector<TOtherText>& texts,
    std::vector<PoError>* problems = nullptr);

}  // namespace wdx
