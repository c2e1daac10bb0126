#include "framework/ui/PlatformFrontEnd.h"

#include <unistd.h>

#include <iostream>

#include "framework/ui/terminal/TerminalFrontEnd.h"

namespace wdx {

std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode, TFileBrowsing files) {
  if (!::isatty(0) || !::isatty(1)) {
    std::cerr << "There is no terminal to show the dialog in; set WENDRIX_UI=script:<file> "
                 "to run it from a script.\n";
    exitCode = 2;
    return nullptr;
  }
  return std::make_unique<TTerminalFrontEnd>(std::move(files));
}

}  // namespace wdx
