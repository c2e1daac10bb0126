#include "framework/components/TranslationMarks.h"

#include "framework/components/FormEncoder.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

int TranslationMarks::Add(const std::string& component, const std::string& property, int line) {
  const std::string key = AsciiUpper(component);
  const auto [marked, added] = marked_.emplace(key + '.' + AsciiUpper(property), line);
  if (!added) return marked->second;
  const auto [entry, first] = entryOf_.emplace(key, entries_.size());
  if (first) entries_.push_back({component, line, {}});
  entries_[entry->second].properties.push_back({property, line});
  return 0;
}

void TranslationMarks::Write(FormEncoder& encoder, const std::vector<uint8_t>& out,
                             const PlaceRecord& place) const {
  // Each record is placed where it begins, as the compiler places the records it reads.
  const auto name = [&](const char* text, int line, int depth) {
    place(out.size(), line, text, depth);
    encoder.ShortString(text);
  };
  name("LanguageManager_Comps", entries_.front().line, 0);
  encoder.Tag(vaCollection);
  for (const Entry& entry : entries_) {
    encoder.Tag(vaList);
    name("Items", entry.line, 1);
    encoder.Tag(vaCollection);
    encoder.Tag(vaNull);
    name("Props", entry.line, 1);
    encoder.Tag(vaCollection);
    for (const Property& property : entry.properties) {
      encoder.Tag(vaList);
      name("Name", property.line, 2);
      encoder.String(property.name);
      name("Kind", property.line, 2);
      encoder.PlainIdent("tkLString");
      encoder.Tag(vaNull);
    }
    encoder.Tag(vaNull);
    name("SubType", entry.line, 1);
    encoder.Tag(vaSet);
    encoder.ShortString("stPubPropObject");
    encoder.ShortString("");
    name("Ref", entry.line, 1);
    encoder.Ident(entry.component);
    encoder.Tag(vaNull);
  }
  encoder.Tag(vaNull);
}

}  // namespace wdx
