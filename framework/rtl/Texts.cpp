#include "framework/rtl/Texts.h"

#include "framework/rtl/TextCatalogue.h"

namespace wdx {

std::string Translate(const TText& text) {
  const std::string language = text_catalogue::ProgramLanguage();
  if (!language.empty()) {
    if (std::optional<std::string> found = text_catalogue::Find(language, text.Name)) {
      return *found;
    }
  }
  return text.English;
}

std::string Translate(const TText& text, TTextValues values) {
  return FillPlaceholders(Translate(text), values);
}

std::string FillPlaceholders(std::string_view text, TTextValues values) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const char c = text[at];
    if ((c == '{' || c == '}') && at + 1 < text.size() && text[at + 1] == c) {
      out += c;
      at += 2;
      continue;
    }
    if (c == '{') {
      const size_t close = text.find('}', at + 1);
      if (close != std::string_view::npos) {
        const std::string_view name = text.substr(at + 1, close - at - 1);
        bool filled = false;
        for (const auto& [key, value] : values) {
          if (key == name) {
            out += value;
            filled = true;
            break;
          }
        }
        if (filled) {
          at = close + 1;
          continue;
        }
      }
    }
    out += c;
    ++at;
  }
  return out;
}

}  // namespace wdx
