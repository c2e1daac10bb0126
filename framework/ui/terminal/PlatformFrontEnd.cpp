#include "framework/ui/PlatformFrontEnd.h"

#include <unistd.h>

#include <iostream>

namespace wdx {

std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode) {
  if (!::isatty(0) || !::isatty(1)) {
    std::cerr << "There is no terminal to show the dialog in; set WENDRIX_UI=script:<file> "
                 "to run it from a script.\n";
    exitCode = 2;
    return nullptr;
  }
  std::cerr << "The terminal front-end is not built into this program yet; set "
               "WENDRIX_UI=script:<file> to run it from a script.\n";
  exitCode = 2;
  return nullptr;
}

}  // namespace wdx
