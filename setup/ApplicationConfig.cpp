#include "setup/ApplicationConfig.h"

#include <utility>

#include "framework/components/Strings.h"
#include "setup/FileText.h"

namespace wdx {

bool ReplaceConfigLine(std::string_view line, const std::string& key, const std::string& value,
                       TByteSink& output) {
  if (line.find(key) == std::string_view::npos) return false;
  output.Put(std::string(10, ' ') + "'" + key + "'=>'" + FileText(value) + "',\r\n");
  return true;
}

void UpdateApplicationConfig(const std::string& installDir, const TConfigValues& values) {
  const std::string path = installDir + "\\www\\wendrix\\cgi-bin\\application.cfg";
  const std::pair<std::string, std::string> entries[] = {
      {"your_logo", values.Logo},
      {"email_settings_smtp", values.SmtpServer},
      {"email_settings_from", values.EmailFrom},
      {"http_root", "http://" + values.Domain},
      {"real_root", installDir + "\\www\\wendrix\\cgi-bin"},
  };
  // Locked from the read to the replacement; the lines go straight to the new file, so the
  // update holds the old file once and no list of lines.
  TFileUpdate file(path);
  file.Replace([&](TByteSink& output) {
    TStrings::ForEachLine(file.Bytes(), [&](std::string_view line) {
      for (const auto& [key, value] : entries) {
        if (ReplaceConfigLine(line, key, value, output)) return;
      }
      output.Put(line);
      output.Put("\r\n");
    });
  });
}

}  // namespace wdx
