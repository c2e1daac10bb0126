#include "framework/ui/scripted/ScriptedDump.h"

#include "framework/components/Strings.h"
#include "framework/controls/Form.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "framework/rtti/TypeInfo.h"
#include "framework/ui/scripted/ScriptText.h"

namespace wdx {

namespace {

// The properties shown with one value each, in the order shown.
constexpr const char* kValues[] = {"Caption",  "Text",    "Enabled",   "Visible",   "TabVisible",
                                   "Language", "Checked", "ItemIndex", "ActivePage"};
// The string lists shown a line each.
constexpr const char* kLists[] = {"Items", "Lines"};

// The text of a published property's value; an object by its name.
std::string ValueText(const TObject* object, const TPropInfo& prop) {
  const TTypeInfo* type = prop.PropType();
  if (type && type->Kind == tkEnumeration && type->Name == "Boolean") {
    return GetOrdProp(object, prop) ? "True" : "False";
  }
  if (type && type->Kind == tkInteger) return std::to_string(GetOrdProp(object, prop));
  if (type && type->Kind == tkClass) {
    const auto* component = ObjectCast<TComponent>(GetObjectProp(object, prop));
    return component ? Escaped(component->Name()) : "";
  }
  return Escaped(GetStrProp(object, prop));
}

void DumpObject(const TObject& object, const std::string& name,
                const std::function<void(const std::string&)>& print) {
  for (const char* property : kValues) {
    const TPropInfo* prop = object.ClassType().FindProperty(property);
    if (prop && prop->Readable) print(name + "." + property + "=" + ValueText(&object, *prop));
  }
  for (const char* property : kLists) {
    const TPropInfo* prop = object.ClassType().FindProperty(property);
    const auto* lines =
        prop && prop->Readable ? ObjectCast<TStrings>(GetObjectProp(&object, *prop)) : nullptr;
    for (int i = 0; lines && i < lines->Count(); ++i) {
      print(name + "." + property + "[" + std::to_string(i) + "]=" + Escaped(lines->Get(i)));
    }
  }
}

}  // namespace

void DumpForm(const TCustomForm& form, const std::function<void(const std::string&)>& print) {
  DumpObject(form, form.Name(), print);
  // A form reading right to left says so; one reading left to right says nothing, as ever.
  if (form.ReadsRightToLeft()) {
    print(form.Name() + ".BiDiMode=" + TypeOf<TBiDiMode>()->NameList[form.BiDiMode()]);
  }
  for (int i = 0; i < form.ComponentCount(); ++i) {
    const TComponent* component = form.Components(i);
    DumpObject(*component, component->Name(), print);
  }
}

}  // namespace wdx
