// Registering the web application with Apache: a backup of httpd.conf, then the block that
// maps /wendrix/ to the installation appended to it.
#pragma once

#include <string>

namespace wdx {

// The installation folder as httpd.conf names it, with forward slashes: the Windows path on
// Windows, the folder its drive maps to on POSIX, where the Apache found is the system's own.
std::string ApacheFolder(const std::string& installDir);

// Asks first; true when the block was appended and the file written. The folder goes into the
// block in `pathCodePage`, the code page that Apache reads its paths in. A missing file is told in
// an error box (false, nothing touched); file errors raise.
bool SetupApache(bool apacheFound, const std::string& confPath, const std::string& installDir,
                 int pathCodePage);

}  // namespace wdx
