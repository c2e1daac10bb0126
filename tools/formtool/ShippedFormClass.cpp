#include "tools/formtool/ShippedFormClass.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "app/FormClasses.h"
#include "framework/components/FormStreamDecoder.h"
#include "framework/controls/Form.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"
#include "platform/Resources.h"

namespace wdx {

namespace {

// A form whose class is the one made for it.
class TShippedForm : public TForm {
 public:
  TShippedForm(TComponent* owner, const TMetaClass& cls) : TForm(owner), class_(cls) {}
  const TMetaClass& ClassType() const override { return class_; }

 private:
  const TMetaClass& class_;
};

// The names of the event handlers a stream names: the identifier values of the method properties
// of each record's class (the root's taken as a form).
class HandlerNames : public FormStreamVisitor {
 public:
  std::set<std::string> names;

  void BeginObject(const FormObjectHeader& header, int depth) override {
    classes_.resize(static_cast<size_t>(depth) + 1);
    classes_.back() = depth == 0 ? &TForm::StaticClass() : FindRegisteredClass(header.className);
  }
  void Property(const FormProperty& property, int depth, size_t, size_t) override {
    const TMetaClass* cls = classes_[static_cast<size_t>(depth)];
    const TPropInfo* prop = cls ? cls->FindProperty(property.name) : nullptr;
    if (prop && prop->PropType() && prop->PropType()->Kind == tkMethod &&
        property.value.Tag() == vaIdent) {
      names.insert(property.value.bytes);
    }
  }
  void EndObject(int) override {}

 private:
  std::vector<const TMetaClass*> classes_;  // by depth
};

// Published methods that do nothing, one for each handler that `stream` names.
std::vector<TMethodInfo> HandlerMethods(const std::vector<uint8_t>& stream) {
  RegisterFormClasses();
  HandlerNames handlers;
  FormStreamDecoder(stream).Walk(handlers);
  std::vector<TMethodInfo> methods;
  for (const std::string& handler : handlers.names) {
    TMethodInfo method;
    method.Name = handler;
    method.Invoke = [](TObject*, TObject*) {};
    methods.push_back(std::move(method));
  }
  return methods;
}

}  // namespace

const TMetaClass* ShippedFormClass(const std::string& className) {
  // Made once per class, and kept: the code handles of published methods are never given back.
  static std::map<std::string, std::unique_ptr<TMetaClass>> made;
  const std::string key = AsciiUpper(className);
  if (const auto it = made.find(key); it != made.end()) return it->second.get();
  std::vector<uint8_t> stream;
  try {
    stream = LoadResourceData(key);
  } catch (const EResNotFound&) {
    return nullptr;
  }
  const std::string name = FormStreamDecoder(stream).ReadRootHeader().className;
  if (!SameText(name, className)) return nullptr;
  std::vector<TMethodInfo> methods = HandlerMethods(stream);
  std::unique_ptr<TMetaClass>& slot = made[key];
  TMetaClass::Factory factory = [&slot](TObject* owner) -> TObject* {
    return new TShippedForm(dynamic_cast<TComponent*>(owner), *slot);
  };
  slot = std::make_unique<TMetaClass>(name, &TForm::StaticClass(), std::move(factory),
                                      std::vector<TPropInfo>{}, std::move(methods));
  return slot.get();
}

}  // namespace wdx
