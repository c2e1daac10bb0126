#include "tools/formtool/LoadedForm.h"

#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlFrames.h"
#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"
#include "setup/ConfigUnit.h"

namespace wdx {

namespace {

std::string RootClassName(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 4 || std::string(bytes.begin(), bytes.begin() + 4) != "TPF0") {
    throw EReadError(msg::kInvalidStreamFormat);
  }
  size_t pos = 4;
  if (pos < bytes.size() && bytes[pos] >= 0xF0) ++pos;  // a root's prefix carries no position
  if (pos >= bytes.size() || bytes[pos] > bytes.size() - pos - 1) {
    throw EReadError(msg::kStreamReadError);
  }
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                     bytes.begin() + static_cast<std::ptrdiff_t>(pos + 1 + bytes[pos]));
}

}  // namespace

LoadedForm::LoadedForm(const std::vector<uint8_t>& bytes) {
  RegisterSetupClasses();
  const std::string className = RootClassName(bytes);
  const TMetaClass* cls = FindRegisteredClass(className);
  if (!cls || !cls->CanCreate() || !cls->InheritsFrom(TComponent::StaticClass())) {
    throw EClassNotFound(Format(msg::kClassNotFound, className.c_str()));
  }
  hadFrames_ = DefaultFrames() != nullptr;
  if (hadFrames_) remembered_ = DefaultFrames()->RememberedLanguage();
  StartupLanguageFrames("");
  // The handler stays installed until the form is released, so it must not refer to anything
  // that lives only while the constructor runs.
  Application().SetOnException(
      [this](TObject*, const Exception& error) { errors_.push_back(error.Message()); });
  try {
    root_.reset(static_cast<TComponent*>(cls->Create(&Application())));
    TMemoryStream in(bytes);
    TReader reader(in);
    reader.SetGlobalScope(&Application());
    reader.ReadRootComponent(root_.get());
  } catch (...) {
    Release();
    throw;
  }
  if (!errors_.empty()) {
    Release();
    throw Exception(errors_.front());
  }
  for (int i = 0; i < root_->ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<TLangControl*>(root_->Components(i))) {
      if (control_) {
        Release();
        throw Exception("The form has more than one language control");
      }
      control_ = control;
    }
  }
  if (!control_) {
    Release();
    throw Exception("The form has no language control");
  }
}

LoadedForm::~LoadedForm() {
  Release();
}

TLanguageManager& LoadedForm::Manager() const {
  return control_->Manager();
}

std::vector<uint8_t> LoadedForm::Write() const {
  TMemoryStream out;
  TWriter writer(out);
  writer.WriteRootComponent(root_.get());
  return out.Bytes();
}

void LoadedForm::Release() {
  if (released_) return;
  released_ = true;
  root_.reset();
  Application().SetOnException(nullptr);
  if (hadFrames_) {
    StartupLanguageFrames(remembered_);
  } else {
    ShutdownLanguageFrames();
  }
}

}  // namespace wdx
