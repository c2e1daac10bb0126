// The Windows system error codes that POSIX errors stand for, the way wine translates them, so
// that both builds report a failure with the same code and text.
#pragma once

namespace wdx {

// The Windows code of an errno value; an error without a counterpart is 31 (a device attached to
// the system is not functioning), never the raw errno.
unsigned WindowsErrorOf(int error);

}  // namespace wdx
