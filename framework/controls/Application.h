// The application object: title, and the exception handler that receives errors together
// with the object on whose behalf they were raised.
#pragma once

#include <functional>
#include <string>

#include "framework/components/Component.h"

namespace wdx {

class Exception;

class TApplication : public TComponent {
 public:
  WDX_CLASS(TApplication)

  explicit TApplication(TComponent* owner = nullptr);

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  using ExceptionHandler = std::function<void(TObject* sender, const Exception& error)>;
  // Replaces the default error report (nullptr restores it).
  void SetOnException(ExceptionHandler handler) { onException_ = std::move(handler); }
  const ExceptionHandler& OnException() const { return onException_; }
  // Hands the exception being handled (call it inside a catch block) to OnException, or to the
  // default error report.
  void HandleException(TObject* sender);
  void HandleException(TObject* sender, const Exception& error);

  // The default error report: a message box captioned with the title showing the message,
  // with a period appended when its last character's code is above that of ".".
  void ShowException(const Exception& error);
  static std::string ReportText(const std::string& message);

  // Replaces how the default error report is shown; without one it is a message box of the
  // front-end (caption the title, error icon, OK), or a line on standard error.
  using ErrorBox = std::function<void(const std::string& caption, const std::string& text)>;
  void SetErrorBox(ErrorBox box) { errorBox_ = std::move(box); }

 private:
  std::string title_;
  ExceptionHandler onException_;
  ErrorBox errorBox_;
};

// The process's application object, created on first use.
TApplication& Application();

}  // namespace wdx
