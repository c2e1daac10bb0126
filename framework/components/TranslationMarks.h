// The one-line marks of a form source that say which properties a language control translates:
//
//   object LangControl: TLangControl
//     Language = 'English'
//     translate Owner.Caption
//     translate btOk.Caption
//     translate edName.Text
//     translate edName.Hint
//     translate cbColour.Items[0]
//   end
//
// A run of marks compiles to the control's "LanguageManager_Comps" collection exactly as the
// language data writes it: one component entry per component, in the order of its first mark
// (SubType [stPubPropObject], Ref the component, "Owner" for the form itself, empty Items), its
// property entries in the order of its marks (Name the property, Kind tkLString: the framework's
// texts are String properties). A line of a string list, "Items[0]", goes into a sub-entry of the
// component's entry named after the list (SubType [stTStringsObject]), in the order of the list's
// first mark. Whether the component and the property exist and hold a text is for the tools that
// know the classes (formc) to check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace wdx {

class FormEncoder;

class TranslationMarks {
 public:
  // A record of the compiled collection: where it begins in the stream, the line of the mark it
  // comes from, its name and how many collection items it lies in.
  using PlaceRecord =
      std::function<void(size_t offset, int line, const std::string& property, int itemDepth)>;

  bool Empty() const { return entries_.empty(); }
  // Adds the mark of `component`.`property` on `line`; the line of an earlier mark of the same
  // property (ASCII case ignored), having added nothing, or 0.
  int Add(const std::string& component, const std::string& property, int line);
  // The property record "LanguageManager_Comps" with every mark added, its own record placed on
  // the line of the first mark.
  void Write(FormEncoder& encoder, const std::vector<uint8_t>& out, const PlaceRecord& place) const;

 private:
  struct Property {
    std::string name;
    int line;
  };
  struct List {
    std::string name;
    int line;
    std::vector<Property> lines;
  };
  struct Entry {
    std::string component;
    int line;
    std::vector<Property> properties;
    std::vector<List> lists;
  };
  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> entryOf_;  // the upper-case component: its entry
  std::unordered_map<std::string, int> marked_;      // "COMPONENT.PROPERTY": the line of its mark
};

}  // namespace wdx
