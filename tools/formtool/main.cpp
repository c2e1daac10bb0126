#include <iostream>
#include <string>
#include <vector>

#include "tools/formtool/FormTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return wdx::RunFormTool(args, std::cout, std::cerr);
}
