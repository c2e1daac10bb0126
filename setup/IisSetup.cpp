#include "setup/IisSetup.h"

#include "framework/controls/MessageBoxes.h"
#include "setup/StringsUnit.h"

namespace wdx {

namespace {

const char* const kRootPath = "IIS://localhost/W3SVC/1/Root";
const char* const kAppPath = "IIS://localhost/W3SVC/1/Root/wendrix";
const char* const kCgiPath = "IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin";
const char* const kVirtualDir = "IIsWebVirtualDir";

}  // namespace

std::unique_ptr<IAutomationObject> GetDirectoryObject(IDirectoryService& service,
                                                      const std::string& path) {
  if (!service.Installed()) {
    MessageDlg(Translate(strings::kIisAborted), mtError, {mbOK});
    return nullptr;
  }
  return service.Lookup(path);
}

bool SetupIIS(IDirectoryService& service, bool iisPresent, const std::string& installDir) {
  if (!iisPresent) return false;
  if (MessageDlg(Translate(strings::kSetupIisQuestion), mtConfirmation, {mbYes, mbNo}) != mrYes) {
    return false;
  }
  auto root = GetDirectoryObject(service, kRootPath);
  if (!root) return false;
  auto app = GetDirectoryObject(service, kAppPath);  // an existing directory is reused
  if (!app) app = root->Call("Create", {kVirtualDir, "wendrix"});
  if (!app) return false;
  app->Put("Path", installDir + "\\www\\wendrix");
  app->Put("DefaultDoc", "index.html, default.htm");
  app->Put("EnableDefaultDoc", true);
  app->Call("SetInfo");
  auto cgi = GetDirectoryObject(service, kCgiPath);
  if (cgi) {  // the CGI directory of an earlier run is replaced
    cgi->Call("AppDisable");
    cgi->Call("AppDelete");
    cgi->Call("SetInfo");
    app->Call("Delete", {kVirtualDir, "cgi-bin"});
    cgi.reset();
  }
  cgi = app->Call("Create", {kVirtualDir, "cgi-bin"});
  if (!cgi) return false;
  cgi->Put("Path", installDir + "\\www\\wendrix\\cgi-bin");
  cgi->Put("EnableDefaultDoc", true);
  cgi->Put("AccessExecute", true);
  cgi->Call("AppCreate", {true});
  cgi->Call("SetInfo");
  return true;
}

void RemoveIIS(IDirectoryService& service) {
  if (auto root = GetDirectoryObject(service, kRootPath)) {
    root->Call("Delete", {kVirtualDir, "wendrix"});
  }
}

}  // namespace wdx
