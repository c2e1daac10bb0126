#include "framework/controls/Application.h"

#include <cstdio>
#include <exception>
#include <new>

#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtti/Published.h"

namespace wdx {

const TMetaClass& TApplication::StaticClass() {
  static const TMetaClass meta("TApplication", &TComponent::StaticClass(), nullptr, {});
  return meta;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const Exception& error) {
    HandleException(sender, error);
  } catch (const std::bad_alloc&) {
    HandleException(sender, EOutOfMemory(msg::kOutOfMemory));
  } catch (const std::exception& error) {
    HandleException(sender, Exception(error.what()));
  }
}

void TApplication::HandleException(TObject* sender, const Exception& error) {
  if (onException_) {
    onException_(sender, error);
  } else {
    ShowException(error);
  }
}

std::string TApplication::ReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void TApplication::ShowException(const Exception& error) {
  const std::string text = ReportText(error.Message());
  if (errorBox_) {
    errorBox_(title_, text);
  } else if (HasMessageBoxPresenter()) {
    ShowMessageBox({title_, text, mtError, {mbOK}});
  } else {
    std::fprintf(stderr, "%s: %s\n", title_.c_str(), text.c_str());
  }
}

TApplication& Application() {
  static TApplication* application = new TApplication();
  return *application;
}

}  // namespace wdx
