#include "tools/formc/LanguageDataCheck.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControl.h"
#include "framework/components/FormStreamDecoder.h"
#include "framework/components/Strings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/PropAccess.h"
#include "framework/rtti/TypeInfo.h"

namespace formc {

namespace {

using wdx::FormItem;
using wdx::FormProperty;

// The "LanguageManager_Comps" records of a stream, with the name of the object each is of.
class CompsFinder : public wdx::FormStreamVisitor {
 public:
  struct Found {
    std::string object;
    FormProperty comps;
    size_t begin = 0, end = 0;
  };
  std::vector<Found> found;

  void BeginObject(const wdx::FormObjectHeader& header, int depth) override {
    names_.resize(static_cast<size_t>(depth) + 1);
    names_[static_cast<size_t>(depth)] = header.name;
  }
  void Property(const FormProperty& property, int depth, size_t begin, size_t end) override {
    if (wdx::SameText(property.name, "LanguageManager_Comps")) {
      found.push_back({names_[static_cast<size_t>(depth)], property, begin, end});
    }
  }
  void EndObject(int) override {}

 private:
  std::vector<std::string> names_;  // of the objects being read, by depth
};

// The line of each property record inside a collection value, taken from the places of the
// source map that lie inside it: the compiler places every record, in stream order, which is the
// order in which the value's items hold them, depth first.
class ItemLines {
 public:
  ItemLines(const wdx::TFormSourceMap& map, const CompsFinder::Found& found) {
    const auto& places = map.places;
    auto at =
        std::lower_bound(places.begin(), places.end(), found.begin,
                         [](const auto& place, size_t offset) { return place.offset < offset; });
    fallback_ = at != places.end() && at->offset == found.begin ? at->line : 0;
    std::vector<const FormProperty*> order;
    Collect(found.comps.value.items, order);
    std::vector<int> lines;
    for (++at; at != places.end() && at->offset < found.end; ++at) lines.push_back(at->line);
    if (lines.size() != order.size()) return;  // not the source's own stream: the record's line
    for (size_t i = 0; i < order.size(); ++i) lines_.emplace(order[i], lines[i]);
  }

  int Of(const FormProperty* property) const {
    const auto found = lines_.find(property);
    return found == lines_.end() ? fallback_ : found->second;
  }
  int Of(const FormItem& item) const {
    return item.properties.empty() ? fallback_ : Of(&item.properties.front());
  }

 private:
  static void Collect(const std::vector<FormItem>& items, std::vector<const FormProperty*>& order) {
    for (const FormItem& item : items) {
      for (const FormProperty& property : item.properties) {
        order.push_back(&property);
        Collect(property.value.items, order);
      }
    }
  }

  int fallback_ = 0;
  std::unordered_map<const FormProperty*, int> lines_;
};

const FormProperty* Find(const FormItem& item, std::string_view name) {
  for (const FormProperty& property : item.properties) {
    if (wdx::SameText(property.name, name)) return &property;
  }
  return nullptr;
}

// An identifier value (tag 7, or False, True, Null and nil by their tags) as its name.
std::string Identifier(const wdx::FormValue& value) {
  if (value.Tag() == wdx::vaIdent) return value.bytes;
  const char* special = wdx::SpecialIdentName(value.Tag());
  return special ? special : "";
}

class EntryCheck {
 public:
  EntryCheck(const std::string& control, const wdx::TComponent& root, const ItemLines& lines,
             const std::function<bool(const wdx::TComponent&)>& unchecked,
             TCheckedProblems& problems)
      : control_(control), root_(root), lines_(lines), unchecked_(unchecked), problems_(problems) {}

  void Entry(const FormItem& entry) {
    const FormProperty* ref = Find(entry, "Ref");
    if (!ref) return Problem(lines_.Of(entry), "an entry without Ref translates nothing");
    const std::string name = Identifier(ref->value);
    // A component of another owner ("Frame.Button") is found only once the program runs.
    if (name.find('.') != std::string::npos) return;
    const wdx::TComponent* component =
        wdx::SameText(name, "Owner") ? &root_ : root_.FindComponent(name);
    if (!component) return Problem(lines_.Of(ref), "the form has no component " + name);
    const auto [earlier, first] = entries_.emplace(component, lines_.Of(ref));
    if (!first) {
      return Problem(lines_.Of(ref), name + " is translated by the entry of line " +
                                         std::to_string(earlier->second) + " already");
    }
    const FormProperty* subType = Find(entry, "SubType");
    const auto& members = subType ? subType->value.members : std::vector<std::string>{};
    if (std::none_of(members.begin(), members.end(),
                     [](const std::string& m) { return wdx::SameText(m, "stPubPropObject"); })) {
      return Problem(lines_.Of(subType ? subType : ref),
                     "the entry of " + name + " translates nothing without stPubPropObject");
    }
    if (unchecked_(*component)) return;
    if (const FormProperty* props = Find(entry, "Props")) {
      for (const FormItem& item : props->value.items) Property(*component, name, item);
    }
    if (const FormProperty* lists = Find(entry, "Items")) {
      for (const FormItem& list : lists->value.items) List(*component, name, list);
    }
  }

 private:
  // A sub-entry that translates the lines of one of the component's string lists: each line it
  // names must be one the list holds.
  void List(const wdx::TComponent& component, const std::string& name, const FormItem& list) {
    const FormProperty* listName = Find(list, "Name");
    if (!listName) return Problem(lines_.Of(list), "a sub-entry of " + name + " without Name");
    const std::string& property = listName->value.bytes;
    const wdx::TPropInfo* info = component.ClassType().FindProperty(property);
    const auto* strings =
        info && info->Readable
            ? wdx::ObjectCast<wdx::TStrings>(wdx::GetObjectProp(&component, *info))
            : nullptr;
    if (!strings) {
      return Problem(lines_.Of(listName),
                     component.ClassName() + " " + name + " has no list " + property);
    }
    const FormProperty* props = Find(list, "Props");
    if (!props) return;
    for (const FormItem& item : props->value.items) {
      const FormProperty* line = Find(item, "Name");
      if (!line) {
        Problem(lines_.Of(item), "a line entry of " + name + "." + property + " without Name");
        continue;
      }
      int32_t index = -1;
      if (wdx::ParseIndexSuffix(line->value.bytes, index) && index < strings->Count()) continue;
      Problem(lines_.Of(line), name + "." + line->value.bytes + " is no line of " + property +
                                   ", which has " + std::to_string(strings->Count()));
    }
  }

  void Property(const wdx::TComponent& component, const std::string& name, const FormItem& item) {
    const FormProperty* property = Find(item, "Name");
    const FormProperty* kind = Find(item, "Kind");
    if (!property || !kind) {
      return Problem(lines_.Of(item),
                     "a property entry of " + name + " without " + (property ? "Kind" : "Name"));
    }
    const std::string& propertyName = property->value.bytes;
    const wdx::TPropInfo* info = component.ClassType().FindProperty(propertyName);
    if (!info) {
      return Problem(lines_.Of(property),
                     component.ClassName() + " " + name + " has no property " + propertyName);
    }
    const wdx::TTypeInfo* type = info->PropType();
    const std::string& actual =
        wdx::TypeOf<wdx::TTypeKind>()
            ->NameList[static_cast<size_t>(type ? type->Kind : wdx::tkUnknown)];
    const std::string given = Identifier(kind->value);
    if (wdx::SameText(actual, given)) return;
    Problem(lines_.Of(kind),
            name + "." + propertyName + " is a " + actual + " property, not " +
                (wdx::SameText(given, "tkLString") ? "a text (tkLString)" : given));
  }

  void Problem(int line, const std::string& what) { problems_.Add(line, control_ + ": " + what); }

  const std::string& control_;
  const wdx::TComponent& root_;
  const ItemLines& lines_;
  const std::function<bool(const wdx::TComponent&)>& unchecked_;
  TCheckedProblems& problems_;
  std::unordered_map<const wdx::TComponent*, int> entries_;  // the line of each one's entry
};

}  // namespace

void CheckLanguageData(const std::vector<uint8_t>& stream, const wdx::TFormSourceMap& map,
                       const wdx::TComponent& root,
                       const std::function<bool(const wdx::TComponent&)>& unchecked,
                       TCheckedProblems& problems) {
  CompsFinder finder;
  wdx::FormStreamDecoder(stream).Walk(finder);
  for (const CompsFinder::Found& found : finder.found) {
    // Another component's "LanguageManager_Comps" is a property it does not have, which the
    // reader reports.
    const auto* control = wdx::ObjectCast<wdx::TLangControl>(root.FindComponent(found.object));
    if (!control) continue;
    const ItemLines lines(map, found);
    EntryCheck check(found.object, root, lines, unchecked, problems);
    for (const FormItem& entry : found.comps.value.items) check.Entry(entry);
  }
}

}  // namespace formc
