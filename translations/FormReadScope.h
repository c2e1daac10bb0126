// Forms read apart from the program's languages, by the tools that read a program's form for its
// texts or to check it: while a scope lives, the language frames are cleared, so that the user's
// language (or that of a form read earlier) does not switch the form away from the language it was
// stored in, and the errors that components report through the application's exception handler
// while they load are collected rather than shown. Both come back as they were when it ends.
#pragma once

#include <string>
#include <vector>

#include "framework/controls/Application.h"

namespace wdx {

class FormReadScope {
 public:
  struct Report {
    std::string sender;  // the name of the component that reported it; "" for another sender
    std::string message;
  };

  FormReadScope();
  ~FormReadScope();
  FormReadScope(const FormReadScope&) = delete;
  FormReadScope& operator=(const FormReadScope&) = delete;

  const std::vector<Report>& Reports() const { return reports_; }

 private:
  TApplication::ExceptionHandler previousHandler_;
  bool hadFrames_ = false;
  std::string remembered_;
  std::vector<Report> reports_;
};

}  // namespace wdx
