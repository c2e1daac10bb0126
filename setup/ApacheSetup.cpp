#include "setup/ApacheSetup.h"

#include <algorithm>

#include "framework/components/Strings.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Files.h"
#include "setup/FileText.h"
#include "setup/StringsUnit.h"

namespace wdx {

std::string ApacheFolder(const std::string& installDir) {
  const std::string native = NativePath(installDir);
  std::string path = native.empty() ? installDir : native;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool SetupApache(bool apacheFound, const std::string& confPath, const std::string& installDir,
                 int pathCodePage) {
  if (!apacheFound) return false;
  if (MessageDlg(Translate(strings::kSetupApacheQuestion), mtConfirmation, {mbYes, mbNo}) !=
      mrYes) {
    return false;
  }
  if (!FileExists(confPath)) {
    MessageDlg(Translate(strings::kApacheConfNotFound), mtError, {mbOK});
    return false;
  }
  // Locked from the read to the replacement, so that a second run at the same time appends its
  // block to this run's file instead of losing it.
  TFileUpdate conf(confPath);
  // The backup is the file exactly as it was, so that copying it back restores it.
  conf.SaveBackup(confPath + ".korvane");
  const std::string block = ReplaceAllIgnoreCase(strings::kApacheBlock, "%PATH%",
                                                 FileText(ApacheFolder(installDir), pathCodePage));
  conf.Replace([&](TByteSink& output) {
    TStrings::ForEachLine(conf.Bytes(), [&](std::string_view line) {
      output.Put(line);
      output.Put("\r\n");
    });
    output.Put(block);
    output.Put("\r\n");
  });
  return true;
}

}  // namespace wdx
