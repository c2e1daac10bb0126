#include "platform/System.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

namespace wdx {

void RaiseOSError(unsigned code) {
  if (code == 0) throw EOSError(0, "A Win32 API function failed");
  throw EOSError(code,
                 Format("Win32 Error.  Code: %u.\n%s", code, SystemErrorMessage(code).c_str()));
}

}  // namespace wdx
