#include "platform/Console.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace wdx {

bool StandardStreamsAreTerminal() {
  return _isatty(0) && _isatty(1);
}

void UseBinaryStandardOutput() {
  fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace wdx
