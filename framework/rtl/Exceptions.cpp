#include "framework/rtl/Exceptions.h"

#include "framework/rtl/Format.h"

namespace wdx {

namespace {

std::string InOutMessage(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return Format("I/O error %d", code);
  }
}

}  // namespace

EInOutError::EInOutError(int code) : Exception(InOutMessage(code)), code_(code) {}

}  // namespace wdx

namespace wdx {

void ThrowStreamReadError() {
  throw EReadError(msg::kStreamReadError);
}

}  // namespace wdx
