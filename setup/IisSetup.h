// Registering the web application with IIS through the directory service: the virtual
// directory "wendrix" and its CGI directory "cgi-bin", and their removal.
#pragma once

#include <memory>
#include <string>

#include "platform/DirectoryService.h"

namespace wdx {

// The object at `path`, or nullptr. A missing directory-service library is told in an error
// box; any other failed lookup yields nullptr silently.
std::unique_ptr<IAutomationObject> GetDirectoryObject(IDirectoryService& service,
                                                      const std::string& path);

// Asks first; true when IIS was configured completely. Failing automation calls raise.
bool SetupIIS(IDirectoryService& service, bool iisPresent, const std::string& installDir);

// Deletes the virtual directory "wendrix" (with everything below it).
void RemoveIIS(IDirectoryService& service);

}  // namespace wdx
