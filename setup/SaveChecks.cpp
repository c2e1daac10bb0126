#include "setup/SaveChecks.h"

#include "framework/rtl/Format.h"
#include "setup/StringsUnit.h"

namespace wdx {

namespace {

bool HasLineBreakOrZero(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

}  // namespace

std::string UnstorableTextWarning(const std::vector<TSaveField>& fields,
                                  const std::string& installDir, bool apacheFound) {
  for (const TSaveField& field : fields) {
    if (HasLineBreakOrZero(field.Text)) {
      return Format(strings::kFieldLineBreakRefused, field.Name.c_str(),
                    field.InConfig ? "application.cfg" : "a file path");
    }
    if (field.InConfig && field.Text.find('\'') != std::string::npos) {
      return Format(strings::kFieldCharacterRefused, field.Name.c_str(), '\'');
    }
  }
  const char* what = nullptr;
  const char* file = "application.cfg";
  if (HasLineBreakOrZero(installDir)) {
    what = "a line break";
  } else if (installDir.find('\'') != std::string::npos) {
    what = "the character '";
  } else if (apacheFound && installDir.find('"') != std::string::npos) {
    what = "the character \"";
    file = "httpd.conf";
  }
  return what ? Format(strings::kInstallDirRefused, installDir.c_str(), what, file) : "";
}

}  // namespace wdx
