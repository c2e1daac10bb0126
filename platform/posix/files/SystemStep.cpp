#include "platform/posix/files/SystemStep.h"

#include "platform/posix/files/ErrorCodes.h"

namespace wdx::posix {

void Fail(TStage stage, int error) {
  throw TFailure{stage, WindowsErrorOf(error)};
}

}  // namespace wdx::posix
