#include "framework/components/TranslationMarks.h"

#include <algorithm>

#include "framework/components/FormEncoder.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

int TranslationMarks::Add(const std::string& component, const std::string& property, int line) {
  const std::string key = AsciiUpper(component);
  const auto [marked, added] = marked_.emplace(key + '.' + AsciiUpper(property), line);
  if (!added) return marked->second;
  const auto [entry, first] = entryOf_.emplace(key, entries_.size());
  if (first) entries_.push_back({component, line, {}, {}});
  Entry& into = entries_[entry->second];
  const size_t bracket = property.find('[');
  if (bracket == std::string::npos) {
    into.properties.push_back({property, line});
    return 0;
  }
  const std::string list = property.substr(0, bracket);
  auto found = std::find_if(into.lists.begin(), into.lists.end(),
                            [&](const List& l) { return SameText(l.name, list); });
  if (found == into.lists.end()) found = into.lists.insert(into.lists.end(), {list, line, {}});
  found->lines.push_back({property, line});
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
  const auto props = [&](const std::vector<Property>& properties, int line, int depth) {
    name("Props", line, depth);
    encoder.Tag(vaCollection);
    for (const Property& property : properties) {
      encoder.Tag(vaList);
      name("Name", property.line, depth + 1);
      encoder.String(property.name);
      name("Kind", property.line, depth + 1);
      encoder.PlainIdent("tkLString");
      encoder.Tag(vaNull);
    }
    encoder.Tag(vaNull);
  };
  const auto subType = [&](const char* type, int line, int depth) {
    name("SubType", line, depth);
    encoder.Tag(vaSet);
    encoder.ShortString(type);
    encoder.ShortString("");
  };
  for (const Entry& entry : entries_) {
    encoder.Tag(vaList);
    name("Items", entry.line, 1);
    encoder.Tag(vaCollection);
    for (const List& list : entry.lists) {
      encoder.Tag(vaList);
      name("Name", list.line, 2);
      encoder.String(list.name);
      name("Items", list.line, 2);
      encoder.Tag(vaCollection);
      encoder.Tag(vaNull);
      props(list.lines, list.line, 2);
      subType("stTStringsObject", list.line, 2);
      encoder.Tag(vaNull);
    }
    encoder.Tag(vaNull);
    props(entry.properties, entry.line, 1);
    subType("stPubPropObject", entry.line, 1);
    name("Ref", entry.line, 1);
    encoder.Ident(entry.component);
    encoder.Tag(vaNull);
  }
  encoder.Tag(vaNull);
}

}  // namespace wdx
