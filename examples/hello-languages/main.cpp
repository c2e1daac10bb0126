// hello-languages: one form in English and German whose language a button switches, shown by
// the front-end that WENDRIX_UI chooses (script:<file> for the scripted one; otherwise windows
// on Windows, the terminal on POSIX).
#include <exception>
#include <iostream>

#include "HelloForm.h"
#include "app/EmbeddedForm.h"
#include "app/FrontEndChoice.h"
#include "framework/controls/Application.h"

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
