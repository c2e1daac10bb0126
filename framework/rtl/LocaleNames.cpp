#include "framework/rtl/LocaleNames.h"

#include <string>

#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

constexpr int kSublangDefault = 0x0400;

struct LanguageCode {
  std::string_view code;
  int primary;
};

// ISO 639-1 codes (and the older codes some systems still use) with the Windows primary
// language identifier. Where two codes share an identifier the current one comes first.
constexpr LanguageCode kLanguages[] = {
    {"af", 0x36}, {"sq", 0x1C}, {"ar", 0x01}, {"eu", 0x2D}, {"be", 0x23}, {"bg", 0x02},
    {"ca", 0x03}, {"zh", 0x04}, {"hr", 0x1A}, {"cs", 0x05}, {"da", 0x06}, {"nl", 0x13},
    {"en", 0x09}, {"et", 0x25}, {"fo", 0x38}, {"fa", 0x29}, {"fi", 0x0B}, {"fr", 0x0C},
    {"de", 0x07}, {"el", 0x08}, {"he", 0x0D}, {"iw", 0x0D}, {"hu", 0x0E}, {"is", 0x0F},
    {"id", 0x21}, {"in", 0x21}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"lv", 0x26},
    {"lt", 0x27}, {"nb", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18},
    {"ru", 0x19}, {"sk", 0x1B}, {"sl", 0x24}, {"es", 0x0A}, {"sv", 0x1D}, {"th", 0x1E},
    {"tr", 0x1F}, {"uk", 0x22}, {"vi", 0x2A},
};

// Language and territory pairs whose Windows identifier has a sublanguage other than the
// default one.
struct RegionalCode {
  std::string_view locale;
  int id;
};

constexpr RegionalCode kRegional[] = {
    {"de_ch", 0x0807}, {"de_at", 0x0C07}, {"en_gb", 0x0809}, {"en_au", 0x0C09}, {"en_ca", 0x1009},
    {"es_mx", 0x080A}, {"fr_be", 0x080C}, {"fr_ca", 0x0C0C}, {"fr_ch", 0x100C}, {"it_ch", 0x0810},
    {"nl_be", 0x0813}, {"pt_pt", 0x0816}, {"sv_fi", 0x081D}, {"zh_cn", 0x0804}, {"hr_ba", 0x101A},
};

// Croatian, Serbian and Bosnian share the primary language 0x1A; Windows tells them apart by
// sublanguage, which for Serbian and Bosnian also gives the script. The C library writes Serbian
// in Cyrillic unless the modifier says @latin, and Bosnian in Latin unless it says @cyrillic.
struct SerboCroatianCode {
  std::string_view locale;  // language_territory, or the language alone
  int latin;
  int cyrillic;
};

constexpr SerboCroatianCode kSerboCroatian[] = {
    {"sr", 0x241A, 0x281A},    {"sr_rs", 0x241A, 0x281A}, {"sr_me", 0x2C1A, 0x301A},
    {"sr_ba", 0x181A, 0x1C1A}, {"sr_cs", 0x081A, 0x0C1A}, {"sr_yu", 0x081A, 0x0C1A},
    {"bs", 0x141A, 0x201A},    {"bs_ba", 0x141A, 0x201A},
};

// The row of the language and territory, else the row of the language alone.
int SerboCroatianId(const std::string& head, const std::string& language,
                    const std::string& modifier) {
  const bool cyrillic = language == "sr" ? modifier != "latin" : modifier == "cyrillic";
  for (const std::string& key : {head, language}) {
    for (const SerboCroatianCode& entry : kSerboCroatian) {
      if (key == entry.locale) return cyrillic ? entry.cyrillic : entry.latin;
    }
  }
  return 0;
}

}  // namespace

int LanguageIdOfLocaleName(std::string_view locale) {
  const std::string head = AsciiLower(locale.substr(0, locale.find_first_of(".@")));
  const size_t at = locale.find('@');
  const std::string modifier =
      at == std::string_view::npos ? "" : AsciiLower(std::string(locale.substr(at + 1)));
  const std::string language = head.substr(0, head.find('_'));
  for (const RegionalCode& regional : kRegional) {
    if (head == regional.locale) return regional.id;
  }
  // Norwegian Nynorsk has its own sublanguage whatever the territory.
  if (language == "nn") return 0x0814;
  if (language == "sr" || language == "bs") return SerboCroatianId(head, language, modifier);
  for (const LanguageCode& entry : kLanguages) {
    if (language == entry.code) return kSublangDefault | entry.primary;
  }
  return 0;
}

std::string_view LocaleCodeOfLanguageId(int languageId) {
  for (const LanguageCode& entry : kLanguages) {
    if (entry.primary == (languageId & 0xFF)) return entry.code;
  }
  return {};
}

}  // namespace wdx
