#include "platform/System.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>

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
  // The texts of the codes that the POSIX file layer reports (see ErrorCodes.cpp).
  static const std::pair<unsigned, const char*> kTexts[] = {
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {4, "The system cannot open the file."},
      {5, "Access is denied."},
      {8, "Not enough memory resources are available to process this command."},
      {17, "The system cannot move the file to a different disk drive."},
      {31, "A device attached to the system is not functioning."},
      {33,
       "The process cannot access the file because another process has locked a portion of "
       "the file."},
      {80, "The file exists."},
      {87, "The parameter is incorrect."},
      {111, "The file name is too long."},
      {112, "There is not enough space on the disk."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {170, "The requested resource is in use."},
      {206, "The filename or extension is too long."},
      {1117, "The request could not be performed because of an I/O device error."},
      {1921, "The name of the file cannot be resolved by the system."},
  };
  for (const auto& [known, text] : kTexts) {
    if (known == code) return text;
  }
  return "";
}

}  // namespace wdx
