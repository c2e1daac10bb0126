#include "platform/System.h"

#include <unistd.h>

#include <cstdlib>

#include "framework/rtl/StrUtils.h"

namespace wdx {

bool QueryComputerName(size_t bufferSize, std::string& name, unsigned& errorCode) {
  std::string value;
  if (const char* configured = std::getenv("WENDRIX_COMPUTERNAME")) {
    value = configured;
  } else {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    value = host;
    value = AsciiUpper(value.substr(0, value.find('.')));
    if (value.size() > 15) value.resize(15);
  }
  if (bufferSize == 0 || value.size() > bufferSize - 1) {
    errorCode = 111;  // the buffer is too small for the name
    return false;
  }
  name = value;
  return true;
}

std::string SystemErrorMessage(unsigned code) {
  switch (code) {
    case 2:
      return "The system cannot find the file specified.";
    case 3:
      return "The system cannot find the path specified.";
    case 5:
      return "Access is denied.";
    case 111:
      return "The file name is too long.";
    default:
      return "";
  }
}

}  // namespace wdx
