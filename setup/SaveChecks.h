// What the files that "Save" writes cannot hold, found before anything is written: a line break
// or zero byte in any field would add lines to application.cfg or cut a file path short; an
// apostrophe ends an application.cfg value early, and so does a backslash at its end, while two
// backslashes in a row are read back as one; the installation folder enters application.cfg
// between apostrophes and httpd.conf between double quotes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wdx {

struct TSaveField {
  std::string Name;  // as the dialog shows it
  std::string Text;
  bool InConfig;  // written into application.cfg (else it is a file path)
};

// The warning for the first thing that cannot be stored, or "" when everything can. The Apache
// configuration counts only when it will be offered: `apachePathCodePage` is then the code page
// in which httpd.conf takes the folder.
std::string UnstorableTextWarning(const std::vector<TSaveField>& fields,
                                  const std::string& installDir,
                                  std::optional<int> apachePathCodePage);

}  // namespace wdx
