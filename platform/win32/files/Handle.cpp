#include "platform/win32/files/Handle.h"

namespace wdx::win32 {

void THandle::Close() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

}  // namespace wdx::win32
