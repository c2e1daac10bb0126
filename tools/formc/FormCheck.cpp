#include "tools/formc/FormCheck.h"

#include <memory>
#include <unordered_set>

#include "app/FormClasses.h"
#include "framework/components/FormStreamDecoder.h"
#include "framework/components/Reader.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/Published.h"
#include "tools/formc/CheckedProblems.h"
#include "tools/formc/LanguageDataCheck.h"
#include "translations/FormReadScope.h"

namespace formc {

namespace {

// What a component of a class formc does not know is read as: a component without properties,
// whose records are read and skipped (see Checker::Property) and whose children are read as any.
class TUncheckedComponent : public wdx::TComponent {
 public:
  WDX_CLASS(TUncheckedComponent)
  using TComponent::TComponent;
};

const wdx::TMetaClass& TUncheckedComponent::StaticClass() {
  static const wdx::TMetaClass meta("TUncheckedComponent", &TComponent::StaticClass(),
                                    wdx::FactoryOf<TUncheckedComponent>(), {});
  return meta;
}

class Checker {
 public:
  Checker(const std::string& file, const std::vector<uint8_t>& stream,
          const wdx::TFormSourceMap& map, const TProgramClasses& classes)
      : stream_(stream), map_(map), classes_(classes), problems_(file) {}

  std::vector<std::string> Run() {
    wdx::RegisterFormClasses();
    const wdx::FormReadScope scope;
    // The form's class is the program's: read as a plain form, checked against its declaration.
    auto root = std::make_unique<wdx::TForm>(&wdx::Application());
    DeclaredForm();
    wdx::TMemoryStream in(stream_);
    wdx::TReader reader(in);
    reader_ = &reader;
    reader.SetGlobalScope(&wdx::Application());
    reader.OnFindClass = [this](const std::string& name) { return FindClass(name); };
    reader.OnError = [this](const std::string& message) { return Property(message); };
    reader.OnMethodNotFound = [this](const std::string& name) { return Handler(name); };
    try {
      reader.ReadRootComponent(root.get());
    } catch (const wdx::Exception& error) {
      // A failure the reader does not go on from (a damaged stream, an ancestor not found).
      Add(reader.RecordOffset(), error.Message());
    }
    for (const wdx::FormReadScope::Report& report : scope.Reports()) {
      const auto* place = map_.FindObject(report.sender);
      problems_.Add(place ? place->line : RootLine(), report.sender + ": " + report.message);
    }
    CheckLanguageData(
        stream_, map_, *root,
        [](const wdx::TComponent& component) {
          return wdx::ObjectCast<TUncheckedComponent>(&component) != nullptr;
        },
        problems_);
    if (form_) Controls(*root);
    reader_ = nullptr;
    return std::move(problems_).Told();
  }

 private:
  int RootLine() const { return map_.places.empty() ? 1 : map_.places.front().line; }

  void Add(size_t offset, const std::string& what) {
    const wdx::TFormSourceMap::TPlace* place = map_.At(offset);
    problems_.Add(place ? place->line : RootLine(), what);
  }

  // The name of the object whose record begins at `offset`, or its class's.
  std::string ObjectName(size_t offset, const std::string& className) const {
    const wdx::TFormSourceMap::TPlace* place = map_.At(offset);
    return place && !place->object.empty() ? place->object : className;
  }

  // The form class the program declares for the form, when it declares its classes. A class
  // declared the old way (WDX_CLASS and a table of its own) is taken as it is: its handlers and
  // controls are not known.
  void DeclaredForm() {
    if (!classes_.Given()) return;
    const std::string name = wdx::FormStreamDecoder(stream_).ReadRootHeader().className;
    const TDeclaredClass* declared = classes_.Find(name);
    if (!declared) {
      problems_.Add(RootLine(), "the form's class " + name +
                                    " is not declared in the files of CLASSES, so its handlers "
                                    "and controls are not known");
      return;
    }
    if (!declared->Form) return;
    form_ = declared;
    for (const TDeclaredClass* at : classes_.Lineage(*form_)) {
      for (const std::string& handler : at->Handlers) handlers_.insert(wdx::AsciiUpper(handler));
    }
  }

  const wdx::TMetaClass* FindClass(const std::string& name) {
    const wdx::TMetaClass* cls = wdx::FindRegisteredClass(name);
    if (cls && cls->InheritsFrom(wdx::TComponent::StaticClass()) && cls->CanCreate())
      return nullptr;
    const size_t offset = reader_->RecordOffset();
    if (!classes_.Find(name)) {
      Add(offset, "Error reading " + ObjectName(offset, name) + ": " +
                      wdx::Format(wdx::msg::kClassNotFound, name.c_str()) +
                      (classes_.Given() ? ""
                                        : " (a class of the program's own is known from "
                                          "the files of CLASSES)"));
    }
    unchecked_.insert(offset);
    return &TUncheckedComponent::StaticClass();
  }

  // A property that cannot be read, or a component name that cannot be given.
  bool Property(const std::string& message) {
    const size_t offset = reader_->RecordOffset();
    const wdx::TFormSourceMap::TPlace* place = map_.At(offset);
    // The properties of a class formc does not know are the program's to check.
    if (place && unchecked_.contains(place->objectOffset)) return true;
    const bool named = place && place->property.empty();
    Add(offset, named ? "Error reading " + place->object + ": " + message : message);
    return true;
  }

  bool Handler(const std::string& name) {
    if (!form_ || handlers_.contains(wdx::AsciiUpper(name))) return true;
    const wdx::TFormSourceMap::TPlace* place = map_.At(reader_->RecordOffset());
    const std::string property = place ? place->object + "." + place->property : "";
    Add(reader_->RecordOffset(), "Error reading " + property + ": " + name +
                                     " is not a handler of " + form_->Name + " (" + form_->File +
                                     ":" + std::to_string(form_->Line) + ")");
    return true;
  }

  // The controls the form's class declares, bound when the program loads the form.
  void Controls(const wdx::TForm& root) {
    for (const TDeclaredClass* at : classes_.Lineage(*form_)) {
      for (const TDeclaredControl& control : at->Controls) {
        const std::string where = " (" + at->File + ":" + std::to_string(control.Line) + ")";
        const wdx::TComponent* component = root.FindComponent(control.Name);
        if (!component) {
          problems_.Add(RootLine(), form_->Name + " has no component " + control.Name + where);
          continue;
        }
        if (wdx::ObjectCast<TUncheckedComponent>(component) || IsA(*component, control.Class)) {
          continue;
        }
        const auto* place = map_.FindObject(control.Name);
        problems_.Add(place ? place->line : RootLine(), control.Name + " of " + form_->Name +
                                                            " is a " + component->ClassName() +
                                                            ", not a " + control.Class + where);
      }
    }
  }

  static bool IsA(const wdx::TComponent& component, const std::string& className) {
    for (const wdx::TMetaClass* cls = &component.ClassType(); cls; cls = cls->Parent()) {
      if (wdx::SameText(cls->Name(), className)) return true;
    }
    return false;
  }

  const std::vector<uint8_t>& stream_;
  const wdx::TFormSourceMap& map_;
  const TProgramClasses& classes_;
  TCheckedProblems problems_;
  wdx::TReader* reader_ = nullptr;
  const TDeclaredClass* form_ = nullptr;
  std::unordered_set<std::string> handlers_;  // upper case
  std::unordered_set<size_t> unchecked_;      // the records of components of unknown classes
};

}  // namespace

std::vector<std::string> CheckForm(const std::string& file, const std::vector<uint8_t>& stream,
                                   const wdx::TFormSourceMap& map, const TProgramClasses& classes) {
  return Checker(file, stream, map, classes).Run();
}

}  // namespace formc
