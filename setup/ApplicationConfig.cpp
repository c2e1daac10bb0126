#include "setup/ApplicationConfig.h"

#include <utility>

#include "framework/components/Strings.h"
#include "platform/Files.h"

namespace wdx {

bool ReplaceConfigLine(const std::string& line, const std::string& key, const std::string& value,
                       std::vector<std::string>& output) {
  if (line.find(key) == std::string::npos) return false;
  output.push_back(std::string(10, ' ') + "'" + key + "'=>'" + value + "',");
  return true;
}

void UpdateApplicationConfig(const std::string& installDir, const TConfigValues& values) {
  const std::string path = installDir + "\\www\\wendrix\\cgi-bin\\application.cfg";
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"your_logo", values.Logo},
      {"email_settings_smtp", values.SmtpServer},
      {"email_settings_from", values.EmailFrom},
      {"http_root", "http://" + values.Domain},
      {"real_root", installDir + "\\www\\wendrix\\cgi-bin"},
  };
  std::vector<std::string> output;
  for (const std::string& line : TStrings::SplitLines(ReadFileBytes(path))) {
    bool replaced = false;
    for (const auto& [key, value] : entries) {
      if ((replaced = ReplaceConfigLine(line, key, value, output))) break;
    }
    if (!replaced) output.push_back(line);
  }
  std::string text;
  for (const std::string& line : output) text.append(line).append("\r\n");
  SaveFileReplacing(path, text);
}

}  // namespace wdx
