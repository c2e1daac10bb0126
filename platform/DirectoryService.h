// The directory service through which IIS is configured, and the late-bound automation objects
// it returns. The Windows build loads activeds.dll and calls its objects through IDispatch; the
// POSIX build works on the IIS stand-in file that WENDRIX_METABASE names.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Variant.h"

namespace wdx {

// A failed automation call, with the object's own description or the system's text.
WDX_EXCEPTION(EOleException, EOleError);

// A directory-service object held as an automation reference; released when destroyed.
class IAutomationObject {
 public:
  virtual ~IAutomationObject() = default;
  // Calls a method by name, resolved at the call; arguments are strings and Booleans. Returns
  // the object the method returns, or nullptr when it returns none.
  virtual std::unique_ptr<IAutomationObject> Call(const std::string& method,
                                                  const std::vector<Variant>& args = {}) = 0;
  // Writes a property by name.
  virtual void Put(const std::string& property, const Variant& value) = 0;
};

class IDirectoryService {
 public:
  virtual ~IDirectoryService() = default;
  // Whether the directory-service library could be loaded.
  virtual bool Installed() = 0;
  // The object at `path` ("IIS://localhost/W3SVC/1/Root"), or nullptr when the lookup fails.
  virtual std::unique_ptr<IAutomationObject> Lookup(const std::string& path) = 0;
};

std::unique_ptr<IDirectoryService> CreateDirectoryService();

}  // namespace wdx
