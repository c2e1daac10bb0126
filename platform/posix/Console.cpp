#include "platform/Console.h"

#include <unistd.h>

namespace wdx {

bool StandardStreamsAreTerminal() {
  return ::isatty(0) && ::isatty(1);
}

void UseBinaryStandardOutput() {}

}  // namespace wdx
