#include "setup/ApacheSetup.h"

#include <algorithm>

#include "framework/components/Strings.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Files.h"
#include "setup/StringsUnit.h"

namespace wdx {

bool SetupApache(bool apacheFound, const std::string& confPath, const std::string& installDir) {
  if (!apacheFound) return false;
  if (MessageDlg(strings::kSetupApacheQuestion, mtConfirmation, {mbYes, mbNo}) != mrYes) {
    return false;
  }
  if (!FileExists(confPath)) {
    MessageDlg(strings::kApacheConfNotFound, mtError, {mbOK});
    return false;
  }
  const std::string original = ReadFileBytes(confPath);
  // The backup is the file exactly as it was, so that copying it back restores it.
  SaveFileReplacing(confPath + ".korvane", original);
  std::string path = installDir;
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string text;
  for (const std::string& line : TStrings::SplitLines(original)) text.append(line).append("\r\n");
  text.append(ReplaceAllIgnoreCase(strings::kApacheBlock, "%PATH%", path)).append("\r\n");
  SaveFileReplacing(confPath, text);
  return true;
}

}  // namespace wdx
