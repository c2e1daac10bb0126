// The web application's configuration file www\wendrix\cgi-bin\application.cfg, whose entry
// lines the setup rewrites from the dialog's fields.
#pragma once

#include <string>
#include <string_view>

#include "platform/Files.h"

namespace wdx {

struct TConfigValues {
  std::string Logo;        // your_logo
  std::string SmtpServer;  // email_settings_smtp
  std::string EmailFrom;   // email_settings_from
  std::string Domain;      // http_root is "http://" + Domain
};

// Writes the entry line for `key`, with its line break, to `output` when `key` occurs in `line`
// (a case-sensitive substring test) and returns whether it did.
bool ReplaceConfigLine(std::string_view line, const std::string& key, const std::string& value,
                       TByteSink& output);

// Rewrites the file line by line: a line that contains one of the five keys becomes that key's
// entry line (the first key in order wins), every other line stays. Raises "Cannot open file
// %s" before anything is written when the file cannot be read or locked.
void UpdateApplicationConfig(const std::string& installDir, const TConfigValues& values);

}  // namespace wdx
