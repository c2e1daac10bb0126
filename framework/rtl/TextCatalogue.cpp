#include "framework/rtl/TextCatalogue.h"

#include <unordered_map>

#include "framework/rtl/Exceptions.h"

namespace wdx::text_catalogue {

namespace {

constexpr std::string_view kFirstLine = "WENDRIX TEXTS 1";

using TTexts = std::unordered_map<std::string, std::string>;  // by name
using TLanguages = std::unordered_map<std::string, TTexts>;   // by English name
TLanguages layers[2];                                         // by TLayer
std::function<std::string()> languageSource;

[[noreturn]] void Invalid() {
  throw EReadError("Invalid text catalogue");
}

void Escape(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\') {
      out += text[at];
      continue;
    }
    if (++at == text.size()) Invalid();
    switch (text[at]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      default:
        Invalid();
    }
  }
  return out;
}

}  // namespace

std::string Encode(const std::vector<TEntry>& entries) {
  std::string out(kFirstLine);
  out += '\n';
  const std::string* language = nullptr;
  for (const TEntry& entry : entries) {
    if (!language || *language != entry.Language) {
      language = &entry.Language;
      out += "[" + entry.Language + "]\n";
    }
    out += entry.Name + "=";
    Escape(out, entry.Text);
    out += '\n';
  }
  return out;
}

std::vector<TEntry> Decode(std::string_view catalogue) {
  std::vector<TEntry> entries;
  std::string language;
  bool first = true;
  while (!catalogue.empty()) {
    const size_t end = catalogue.find('\n');
    if (end == std::string_view::npos) Invalid();  // every line ends in a line feed
    const std::string_view line = catalogue.substr(0, end);
    catalogue.remove_prefix(end + 1);
    if (first) {
      if (line != kFirstLine) Invalid();
      first = false;
    } else if (!line.empty() && line.front() == '[') {
      if (line.size() < 3 || line.back() != ']') Invalid();
      language = std::string(line.substr(1, line.size() - 2));
    } else {
      const size_t equals = line.find('=');
      if (language.empty() || equals == std::string_view::npos || equals == 0) Invalid();
      entries.push_back(
          {language, std::string(line.substr(0, equals)), Unescape(line.substr(equals + 1))});
    }
  }
  if (first) Invalid();
  return entries;
}

void Add(TLayer layer, const std::vector<TEntry>& entries) {
  TLanguages& languages = layers[static_cast<int>(layer)];
  for (const TEntry& entry : entries) languages[entry.Language][entry.Name] = entry.Text;
}

void Clear() {
  for (TLanguages& languages : layers) languages.clear();
}

void SetLanguageSource(std::function<std::string()> source) {
  languageSource = std::move(source);
}

std::string ProgramLanguage() {
  return languageSource ? languageSource() : std::string();
}

std::optional<std::string> Find(const std::string& language, std::string_view name) {
  for (const TLayer layer : {TLayer::kProgram, TLayer::kLibrary}) {
    const TLanguages& languages = layers[static_cast<int>(layer)];
    const auto texts = languages.find(language);
    if (texts == languages.end()) continue;
    const auto text = texts->second.find(std::string(name));
    if (text != texts->second.end()) return text->second;
  }
  return std::nullopt;
}

}  // namespace wdx::text_catalogue
