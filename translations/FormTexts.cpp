#include "translations/FormTexts.h"

#include <set>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Component.h"
#include "framework/components/Strings.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"

namespace wdx {

namespace {

// The property of the language control that holds the string table's texts.
constexpr const char* kStringTableProperty = "LanguageManager_Values";

// How a component reference is written in the form data; the form itself is "Owner".
std::string RefName(const TComponent* component, const TComponent* root) {
  if (component == root) return "Owner";
  const TComponent* owner = component->Owner();
  if (owner == root) return component->Name();
  if (owner && !owner->Name().empty()) return owner->Name() + "." + component->Name();
  return component->Name() + ".Owner";
}

// A reference names a place, not a message: gettext's tools split references at blanks.
std::string WithoutBlanks(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) <= ' ') c = '_';
  }
  return text;
}

class Collector {
 public:
  Collector(TLanguageManager& manager, const TComponent* root)
      : manager_(manager), root_(root), resources_(manager.GetStringInterface(false)) {}

  std::vector<FormText> Run() {
    TComponentEntries& components = *manager_.Components();
    for (int i = 0; i < components.Count(); ++i) {
      TComponentEntry* entry = components.Items(i);
      const TComponent* component = entry->Ref();
      if (!component) continue;
      // The reference names the form by its own name, where the context says "Owner".
      const std::string place =
          component == root_ && !root_->Name().empty() ? root_->Name() : RefName(component, root_);
      Walk(entry, RefName(component, root_), place, component->Name(), "");
    }
    return std::move(found_);
  }

 private:
  void Walk(TMainEntry* entry, const std::string& path, const std::string& place,
            const std::string& componentName, const std::string& within) {
    TPropertyEntries& props = *entry->Props();
    for (int i = 0; i < props.Count(); ++i) {
      TPropertyEntry* property = props.Items(i);
      if (entry == resources_) {
        const int32_t line = property->Index();
        if (line >= 0 && line < manager_.Names()->Count()) {
          Add(manager_.Names()->Get(line),
              componentName + "." + kStringTableProperty + ":" + std::to_string(line + 1), property,
              componentName, kStringTableProperty);
        }
        continue;
      }
      // A line of a string list is named by its number after the list's property: "Items[2]";
      // the form's source holds the lines under "Items.Strings".
      int32_t line = 0;
      std::string name;
      std::string inSource;
      const bool numbered = property->Index() >= 0 ? (line = property->Index(), true)
                                                   : ParseIndexSuffix(property->Name(), line);
      if (entry->SubType().Contains(stTStringsObject) && numbered) {
        name = "[" + std::to_string(line) + "]";
        inSource = within + "Strings";
      } else {
        name = "." + property->Name();
        if (property->Index() >= 0) name += "[" + std::to_string(property->Index()) + "]";
        inSource = within + name.substr(1);
      }
      Add(path + name, place + name, property, componentName, inSource);
    }
    TMainEntries& items = *entry->Items();
    for (int i = 0; i < items.Count(); ++i) {
      const std::string& sub = items.Items(i)->Name();
      Walk(items.Items(i), path + "." + sub, place + "." + sub, componentName, within + sub + ".");
    }
  }

  void Add(const std::string& context, const std::string& reference, TPropertyEntry* property,
           const std::string& component, const std::string& propertyPath) {
    auto* values = dynamic_cast<TConsistentLangPropertyEntry*>(property);
    if (!values || values->Count() < 1 || !IsText(values->GetLangValue(0))) return;
    if (!contexts_.emplace(context).second) {
      throw Exception("Two translated texts of the form share the context '" + context + "'");
    }
    found_.push_back({context, WithoutBlanks(reference), values, component, propertyPath});
  }

  TLanguageManager& manager_;
  const TComponent* root_;
  const TMainEntry* resources_;
  std::vector<FormText> found_;
  std::set<std::string> contexts_;
};

}  // namespace

std::vector<FormText> CollectFormTexts(TLanguageManager& manager, const TComponent* root) {
  return Collector(manager, root).Run();
}

PoEntry MessageOf(const FormText& text) {
  PoEntry entry;
  entry.references.push_back(text.reference);
  entry.hasContext = true;
  entry.context = text.context;
  entry.msgid = SlotText(*text.entry, 0);
  return entry;
}

bool IsText(const Variant& value) {
  return value.VType() == varString || value.VType() == varOleStr;
}

std::string SlotText(const TConsistentLangPropertyEntry& entry, int32_t slot) {
  if (slot < 0 || slot >= entry.Count()) return {};
  const Variant value = entry.GetLangValue(slot);
  if (value.VType() == varOleStr) return Utf16ToUtf8(value.RawWide());
  if (value.VType() == varString) return value.RawString();
  if (value.IsNull() || value.IsEmpty()) return {};
  try {
    return value.ToString();
  } catch (const Exception&) {
    return {};
  }
}

std::string CatalogueHeader(const std::string& project, const std::string& team,
                            const std::string& language, const std::string& sourceLanguage) {
  return "Project-Id-Version: " + project +
         "\n"
         "PO-Revision-Date: \n"
         "Last-Translator: \n"
         "Language-Team: " +
         team + "\nLanguage: " + language +
         "\n"
         "MIME-Version: 1.0\n"
         "Content-Type: text/plain; charset=UTF-8\n"
         "Content-Transfer-Encoding: 8bit\n"
         "X-Source-Language: " +
         sourceLanguage + "\n";
}

}  // namespace wdx
