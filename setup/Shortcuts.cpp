#include "setup/Shortcuts.h"

#include "platform/Files.h"
#include "setup/FileText.h"

namespace wdx {

void WriteShortcut(const std::string& installDir, const std::string& title,
                   const std::string& url) {
  const std::string stored = FileText(url);
  const std::string content =
      "[DEFAULT]\r\nBASEURL=" + stored + "\r\n[InternetShortcut]\r\nURL=" + stored + "\r\n";
  SaveFileReplacingInOut(installDir + "\\" + title + ".url", content);
}

}  // namespace wdx
