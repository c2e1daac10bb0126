#include <iostream>
#include <string>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "tools/formtool/FormTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  wdx::StartupLanguageLibrary();
  const int code = wdx::RunFormTool(args, std::cout, std::cerr);
  wdx::ShutdownLanguageLibrary();
  return code;
}
