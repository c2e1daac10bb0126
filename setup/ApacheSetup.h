// Registering the web application with Apache: a backup of httpd.conf, then the block that
// maps /wendrix/ to the installation appended to it.
#pragma once

#include <string>

namespace wdx {

// Asks first; true when the block was appended and the file written. A missing file is told
// in an error box (false, nothing touched); file errors raise.
bool SetupApache(bool apacheFound, const std::string& confPath, const std::string& installDir);

}  // namespace wdx
