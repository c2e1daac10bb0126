#include "translations/FormReadScope.h"

#include "LangControl/Source/LangControlFrames.h"
#include "framework/components/Component.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

FormReadScope::FormReadScope() {
  hadFrames_ = DefaultFrames() != nullptr;
  if (hadFrames_) remembered_ = DefaultFrames()->RememberedLanguage();
  StartupLanguageFrames("");
  // The handler stays installed until the scope ends, so it must not refer to anything that lives
  // only while the constructor runs. A running program gets its own back then.
  previousHandler_ = Application().OnException();
  Application().SetOnException([this](TObject* sender, const Exception& error) {
    const auto* component = ObjectCast<TComponent>(sender);
    reports_.push_back({component ? component->Name() : "", error.Message()});
  });
}

FormReadScope::~FormReadScope() {
  Application().SetOnException(std::move(previousHandler_));
  if (hadFrames_) {
    StartupLanguageFrames(remembered_);
  } else {
    ShutdownLanguageFrames();
  }
}

}  // namespace wdx
