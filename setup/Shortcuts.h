// Internet-shortcut files in the installation directory.
#pragma once

#include <string>

namespace wdx {

// Writes `installDir`\<title>.url naming `url`, replacing any file of that name. Failures raise
// EInOutError with the system's code ("File access denied" for a read-only file, ...).
void WriteShortcut(const std::string& installDir, const std::string& title, const std::string& url);

}  // namespace wdx
