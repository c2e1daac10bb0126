#include "setup/SaveChecks.h"

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Texts.h"
#include "platform/Locale.h"
#include "setup/ApacheSetup.h"
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
                                  const std::string& installDir,
                                  std::optional<int> apachePathCodePage) {
  for (const TSaveField& field : fields) {
    const std::string& name = field.Name;
    if (HasLineBreakOrZero(field.Text)) {
      return Translate(
          field.InConfig ? strings::kFieldLineBreakInConfig : strings::kFieldLineBreakInPath,
          {{"field", name}});
    }
    if (field.InConfig && field.Text.find('\'') != std::string::npos) {
      return Translate(strings::kFieldApostropheRefused, {{"field", name}});
    }
    if (field.InConfig && HasEscapingBackslash(field.Text)) {
      return Translate(strings::kFieldBackslashRefused, {{"field", name}});
    }
    // A path goes to the file system as it is; a value goes into its file's code page.
    if (const auto missing = field.InConfig ? CharacterFilesLack(field.Text) : std::nullopt) {
      return Translate(strings::kFieldCodePageRefused,
                       {{"field", name},
                        {"character", CharacterName(*missing)},
                        {"codepage", CodePageName(FileTextCodePage())}});
    }
  }
  const auto character = [&](const std::string& shown, const char* file) {
    return Translate(strings::kInstallDirCharacter,
                     {{"folder", installDir}, {"character", shown}, {"file", file}});
  };
  if (HasLineBreakOrZero(installDir)) {
    return Translate(strings::kInstallDirLineBreak, {{"folder", installDir}});
  }
  if (const auto missing = CharacterFilesLack(installDir)) {
    return character(CharacterName(*missing), "application.cfg");
  }
  if (installDir.find('\'') != std::string::npos) return character("'", "application.cfg");
  // real_root is the folder followed by "\www\wendrix\cgi-bin"; a network path begins with two
  // backslashes.
  if ((installDir + "\\").find("\\\\") != std::string::npos) {
    return Translate(strings::kInstallDirBackslashes, {{"folder", installDir}});
  }
  if (!apachePathCodePage) return "";
  if (const auto missing = CharacterFilesLack(ApacheFolder(installDir), *apachePathCodePage)) {
    return character(CharacterName(*missing), "httpd.conf");
  }
  if (installDir.find('"') != std::string::npos) return character("\"", "httpd.conf");
  return "";
}

}  // namespace wdx
