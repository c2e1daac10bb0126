// What application.cfg, httpd.conf and file paths cannot hold is refused before Save writes
// anything.
#include "setup/SaveChecks.h"

#include <gtest/gtest.h>

namespace wdx {
namespace {

const std::string kInstall = "C:\\Program Files\\Wendrix";

std::vector<TSaveField> Fields(const std::string& smtp, const std::string& conf = "httpd.conf") {
  return {{"SMTP Server", smtp, true}, {"Path to Apache configuration file", conf, false}};
}

TEST(SaveChecks, LineBreaksAndZeroBytesAreRefusedInEveryField) {
  EXPECT_EQ(UnstorableTextWarning(Fields("mail.example.com"), kInstall, true), "");
  const std::string inConfig =
      "The field \"SMTP Server\" contains a line break or a zero byte, which application.cfg "
      "cannot hold. Please remove it and save again.";
  for (const std::string& bad :
       {std::string("mail\rhost"), std::string("mail\nhost"), std::string("mail\0host", 9)}) {
    EXPECT_EQ(UnstorableTextWarning(Fields(bad), kInstall, false), inConfig);
  }
  EXPECT_EQ(UnstorableTextWarning(Fields("mail", "C:\\conf\\httpd.conf\n"), kInstall, true),
            "The field \"Path to Apache configuration file\" contains a line break or a zero "
            "byte, which a file path cannot hold. Please remove it and save again.");
  // An apostrophe matters only where it enters application.cfg.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail", "C:\\it's\\httpd.conf"), kInstall, true), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("o'mail"), kInstall, true),
            "The field \"SMTP Server\" contains the character ', which application.cfg cannot "
            "hold: it would end the value early. Please remove it and save again.");
  // A backslash that ends or doubles a value matters only there too (see ConfigReadBackTest).
  EXPECT_EQ(UnstorableTextWarning(Fields("a\\b", "\\\\srv\\conf\\"), kInstall, true), "");
  EXPECT_NE(UnstorableTextWarning(Fields("\\\\srv\\b"), kInstall, true), "");
  // A value goes into application.cfg's code page; a path to the file system as it is.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail.café", "C:\\Жx\\httpd.conf"), kInstall, true), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("почта"), kInstall, true),
            "The field \"SMTP Server\" contains the character п (U+043F), which application.cfg "
            "cannot hold: the system writes it in the code page Windows-1252. Please remove it "
            "and save again.");
}

TEST(SaveChecks, TheInstallationFolderMustFitApplicationCfgAndHttpdConf) {
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "C:\\O'Brien\\Wendrix", false),
            "The installation folder \"C:\\O'Brien\\Wendrix\" contains the character ', which "
            "application.cfg cannot hold. Please install Korvane Wendrix in another folder.");
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "/opt/a\nb", false),
            "The installation folder \"/opt/a\nb\" contains a line break, which application.cfg "
            "cannot hold. Please install Korvane Wendrix in another folder.");
  // real_root is the folder and "\\www\\wendrix\\cgi-bin": a network path's leading pair of
  // backslashes would be read back as one.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "\\\\server\\share\\$W@ %x", false),
            "The installation folder \"\\\\server\\share\\$W@ %x\" contains two backslashes in a "
            "row, which application.cfg cannot hold. Please install Korvane Wendrix in another "
            "folder.");
  EXPECT_NE(UnstorableTextWarning(Fields("mail"), "C:\\a\\\\b", false), "");
  // The files are Windows-1252: ö fits, Ж does not.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "C:\\$W@ %x\\Körvane", false), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "C:\\Жx", false),
            "The installation folder \"C:\\Жx\" contains the character Ж (U+0416), which "
            "application.cfg cannot hold. Please install Korvane Wendrix in another folder.");
  // A double quote ends httpd.conf's quoted paths, which are written only when Apache is found.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "/opt/\"w\"", false), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "/opt/\"w\"", true),
            "The installation folder \"/opt/\"w\"\" contains the character \", which httpd.conf "
            "cannot hold. Please install Korvane Wendrix in another folder.");
}

}  // namespace
}  // namespace wdx
