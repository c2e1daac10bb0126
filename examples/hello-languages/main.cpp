// hello-languages: one form in English and German whose language a button switches, shown by
// the front-end that WENDRIX_UI chooses (script:<file> for the scripted one; otherwise windows
// on Windows, the terminal on POSIX).
#include <wendrix/app/EmbeddedForm.h>
#include <wendrix/app/FrontEndChoice.h>
#include <wendrix/framework/controls/Application.h>
#include <exception>
#include <iostream>

#include "HelloForm.h"

int main() {
  wdx::StartupLanguageLibrary();  // the user's language, when the form has it
  int code = 0;
  if (auto frontEnd = wdx::ChooseFrontEnd(code)) {
    try {
      auto form = wdx::CreateEmbeddedForm<THelloForm>(&wdx::Application());
      code = frontEnd->Run(*form);
    } catch (const std::exception& error) {
      std::cerr << "hello-languages: " << error.what() << "\n";
      code = 1;
    }
  }
  wdx::ShutdownLanguageLibrary();
  return code;
}
