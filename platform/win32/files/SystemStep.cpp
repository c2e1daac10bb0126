#include "platform/win32/files/SystemStep.h"

namespace wdx::win32 {

void Fail(TStage stage, DWORD error) {
  throw TFailure{stage, error ? static_cast<unsigned>(error) : 31u};
}

}  // namespace wdx::win32
