#include "framework/rtl/CodePage.h"

#include <cstdio>

#include "framework/rtl/Utf8.h"
#include "framework/rtl/codepages/CodePageTables.h"

namespace wdx {

namespace {

const codepages::TCodePageTable* TableOf(int codePage) {
  if (const auto* table = codepages::SingleByteTable(codePage)) return table;
  return codepages::DoubleByteTable(codePage);
}

}  // namespace

bool IsKnownCodePage(int codePage) {
  return codePage == kCodePageUtf8 || TableOf(codePage) != nullptr;
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  if (IsAscii(bytes) || codePage == kCodePageUtf8) return std::string(bytes);
  const codepages::TCodePageTable* table = TableOf(codePage);
  if (!table) table = TableOf(kCodePageWindows1252);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (size_t at = 0; at < bytes.size();) at += table->Decode(bytes, at, text);
  return text;
}

std::optional<std::string> Utf8ToCodePage(std::string_view text, int codePage, char32_t* missing) {
  if (IsAscii(text)) return std::string(text);
  const codepages::TCodePageTable* table =
      codePage == kCodePageUtf8 ? nullptr : TableOf(IsKnownCodePage(codePage) ? codePage : 1252);
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    if (!c.Valid || (table && !table->Encode(c.Code, bytes))) {
      if (missing) *missing = c.Code;
      return std::nullopt;
    }
    if (!table) bytes.append(text.substr(at, c.Length));
    at += c.Length;
  }
  return bytes;
}

std::string CodePageName(int codePage) {
  switch (codePage) {
    case kCodePageUtf8:
      return "UTF-8";
    case kCodePageUsAscii:
      return "US-ASCII";
    case kCodePageLatin1:
      return "ISO-8859-1";
    default:
      return "Windows-" + std::to_string(codePage);
  }
}

std::string CharacterName(char32_t code) {
  std::string name;
  if (code >= 0x20 && code != 0x7F) {
    AppendUtf8(name, code);
    name += ' ';
  }
  char number[16];
  std::snprintf(number, sizeof number, "(U+%04X)", static_cast<unsigned>(code));
  return name + number;
}

int AnsiCodePageOfLanguage(int languageId) {
  struct LanguageCodePage {
    int primary;
    int codePage;
  };
  // By primary language: Czech, Hungarian, Polish, Romanian, Slovak, Albanian, Slovenian,
  // Croatian; Bulgarian, Russian, Ukrainian, Belarusian, Macedonian, Kazakh, Kyrgyz, Tatar,
  // Mongolian; Greek; Turkish; Hebrew; Arabic, Urdu, Farsi; Estonian, Latvian, Lithuanian;
  // Vietnamese; Thai; Japanese; Chinese; Korean.
  static constexpr LanguageCodePage kCodePages[] = {
      {0x05, 1250}, {0x0E, 1250}, {0x15, 1250}, {0x18, 1250}, {0x1B, 1250}, {0x1C, 1250},
      {0x24, 1250}, {0x1A, 1250}, {0x02, 1251}, {0x19, 1251}, {0x22, 1251}, {0x23, 1251},
      {0x2F, 1251}, {0x3F, 1251}, {0x40, 1251}, {0x44, 1251}, {0x50, 1251}, {0x08, 1253},
      {0x1F, 1254}, {0x0D, 1255}, {0x01, 1256}, {0x20, 1256}, {0x29, 1256}, {0x25, 1257},
      {0x26, 1257}, {0x27, 1257}, {0x2A, 1258}, {0x1E, 874},  {0x11, 932},  {0x04, 936},
      {0x12, 949},
  };
  const int primary = languageId & 0x3FF;
  const int sublanguage = languageId >> 10;
  // Cyrillic Serbian and Bosnian write 1251. Traditional Chinese (Taiwan, Hong Kong, Macao)
  // writes Big5; Chinese without a region takes GBK, which holds the traditional characters as
  // well as the simplified ones.
  if (primary == 0x1A && (sublanguage == 3 || sublanguage == 7 || sublanguage == 8 ||
                          sublanguage == 10 || sublanguage == 12)) {
    return 1251;
  }
  if (primary == 0x04 && (sublanguage == 1 || sublanguage == 3 || sublanguage == 5)) return 950;
  for (const LanguageCodePage& entry : kCodePages) {
    if (entry.primary == primary) return entry.codePage;
  }
  return kCodePageWindows1252;
}

}  // namespace wdx
