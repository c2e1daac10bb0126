#include "framework/ui/PlatformFrontEnd.h"

#include <iostream>

namespace wdx {

std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode, TFileBrowsing) {
  std::cerr << "The window front-end is not built into this program yet; set "
               "WENDRIX_UI=script:<file> to run it from a script.\n";
  exitCode = 2;
  return nullptr;
}

}  // namespace wdx
