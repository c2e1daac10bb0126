#include "translations/TextTranslations.h"

#include <map>

#include "framework/rtl/StrUtils.h"
#include "translations/PoHeader.h"
#include "translations/PoLanguage.h"

namespace wdx {

std::set<std::string> TextPlaceholders(std::string_view text) {
  std::set<std::string> names;
  for (size_t at = 0; at < text.size(); ++at) {
    if ((text[at] == '{' || text[at] == '}') && at + 1 < text.size() && text[at + 1] == text[at]) {
      ++at;
    } else if (text[at] == '{') {
      const size_t close = text.find('}', at + 1);
      if (close == std::string_view::npos) break;
      names.emplace(text.substr(at, close - at + 1));
      at = close;
    }
  }
  return names;
}

std::optional<std::string> OtherTextValue(const PoEntry& entry, const PoHeader& header,
                                          const TOtherText& text, const std::string& poName,
                                          std::vector<PoError>& problems) {
  const auto problem = [&](const std::string& reason) {
    problems.emplace_back(poName, entry.line, reason);
    return std::nullopt;
  };
  if (header.Utf8(entry.msgid, entry.line) != text.English) {
    return problem("msgid of '" + text.Name + "' is not the program's text " +
                   QuotePoString(text.English) + " (update-po merges the file with its texts)");
  }
  const std::string msgstr = header.Utf8(entry.msgstr.front(), entry.line);
  if (entry.fuzzy || msgstr.empty()) return std::nullopt;
  const std::set<std::string> wanted = TextPlaceholders(text.English);
  if (TextPlaceholders(msgstr) != wanted) {
    std::string list;
    for (const std::string& name : wanted) list += (list.empty() ? "" : ", ") + name;
    return problem("the translation of '" + text.Name + "' does not have the placeholders of the " +
                   "English text, " + (list.empty() ? std::string("none") : list));
  }
  return msgstr;
}

std::vector<text_catalogue::TEntry> ImportTextTranslations(const std::vector<PoText>& files,
                                                           const std::vector<TOtherText>& texts,
                                                           std::vector<PoError>* problems) {
  std::map<std::string, const TOtherText*> byName;
  for (const TOtherText& text : texts) byName.emplace(text.Name, &text);
  std::vector<text_catalogue::TEntry> entries;
  std::vector<PoError> found;
  std::map<std::string, const PoText*> given;
  for (const PoText& file : files) {
    const std::vector<PoEntry> messages = ParsePoFile(file.text, file.name, found);
    try {
      const PoHeader header(messages, file.name);
      const std::string code = header.Field("Language");
      const std::string team = header.Field("Language-Team");
      const std::string language = PoFileLanguage(team, code);
      if (language.empty()) {
        found.emplace_back(file.name, header.Line(),
                           "unknown language '" + Trim(code.empty() ? team : code) +
                               "' (formtool languages --table lists the languages there are)");
        continue;
      }
      if (const auto [at, fresh] = given.emplace(language, &file); !fresh) {
        found.emplace_back(
            file.name, 1,
            "the language '" + language + "' is that of " + at->second->name + " already");
        continue;
      }
      for (const PoEntry& entry : messages) {
        if (&entry == header.Entry() || entry.obsolete) continue;
        const std::string context = header.Utf8(entry.context, entry.line);
        const auto text = byName.find(context);
        if (!entry.hasContext || text == byName.end()) {
          found.emplace_back(file.name, entry.line, "unknown context '" + context + "'");
        } else if (std::optional<std::string> value =
                       OtherTextValue(entry, header, *text->second, file.name, found)) {
          entries.push_back({language, context, std::move(*value)});
        }
      }
    } catch (PoError& error) {
      found.push_back(std::move(error));
    }
  }
  if (!problems && !found.empty()) throw PoErrors(std::move(found));
  if (problems) problems->insert(problems->end(), found.begin(), found.end());
  return entries;
}

}  // namespace wdx
