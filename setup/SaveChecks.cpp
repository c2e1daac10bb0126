#include "setup/SaveChecks.h"

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Format.h"
#include "platform/Locale.h"
#include "setup/FileText.h"
#include "setup/StringsUnit.h"

namespace wdx {

namespace {

bool HasLineBreakOrZero(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// application.cfg's values stand between apostrophes, where a backslash escapes the character
// after it: one at the end escapes the closing apostrophe, and two in a row are read as one.
bool HasEscapingBackslash(const std::string& value) {
  return (!value.empty() && value.back() == '\\') || value.find("\\\\") != std::string::npos;
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
    if (field.InConfig && HasEscapingBackslash(field.Text)) {
      return Format(strings::kFieldBackslashRefused, field.Name.c_str());
    }
    // A path goes to the file system as it is; a value goes into its file's code page.
    if (const auto missing = field.InConfig ? CharacterFilesLack(field.Text) : std::nullopt) {
      return Format(strings::kFieldCodePageRefused, field.Name.c_str(),
                    CharacterName(*missing).c_str(), "application.cfg",
                    CodePageName(SystemCodePage()).c_str());
    }
  }
  std::string character;
  if (const auto missing = CharacterFilesLack(installDir)) {
    character = "the character " + CharacterName(*missing);
  }
  const char* what = nullptr;
  const char* file = "application.cfg";
  if (HasLineBreakOrZero(installDir)) {
    what = "a line break";
  } else if (!character.empty()) {
    what = character.c_str();
  } else if (installDir.find('\'') != std::string::npos) {
    what = "the character '";
  } else if ((installDir + "\\").find("\\\\") != std::string::npos) {
    // real_root is the folder followed by "\www\wendrix\cgi-bin"; a network path begins with
    // two backslashes.
    what = "two backslashes in a row";
  } else if (apacheFound && installDir.find('"') != std::string::npos) {
    what = "the character \"";
    file = "httpd.conf";
  }
  return what ? Format(strings::kInstallDirRefused, installDir.c_str(), what, file) : "";
}

}  // namespace wdx
