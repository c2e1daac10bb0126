#include "setup/Shortcuts.h"

#include "platform/Files.h"

namespace wdx {

void WriteShortcut(const std::string& installDir, const std::string& title,
                   const std::string& url) {
  const std::string content =
      "[DEFAULT]\r\nBASEURL=" + url + "\r\n[InternetShortcut]\r\nURL=" + url + "\r\n";
  SaveFileReplacingInOut(installDir + "\\" + title + ".url", content);
}

}  // namespace wdx
