// What application.cfg, httpd.conf and file paths cannot hold is refused before Save writes
// anything.
#include "setup/SaveChecks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace wdx {
namespace {

const std::string kInstall = "C:\\Program Files\\Wendrix";
const std::optional<int> kApache = 1252;  // an Apache found, reading its paths in Windows-1252

// The files' code page follows the locale on POSIX: these cases are in the C locale's,
// Windows-1252 (as in wine's default one).
class SaveChecks : public ::testing::Test {
#ifndef _WIN32
 protected:
  void SetUp() override {
    if (const char* all = std::getenv("LC_ALL")) saved_ = all;
    setenv("LC_ALL", "C", 1);
  }
  void TearDown() override {
    if (saved_) {
      setenv("LC_ALL", saved_->c_str(), 1);
    } else {
      unsetenv("LC_ALL");
    }
  }
  std::optional<std::string> saved_;
#endif
};

std::vector<TSaveField> Fields(const std::string& smtp, const std::string& conf = "httpd.conf") {
  return {{"SMTP Server", smtp, true}, {"Path to Apache configuration file", conf, false}};
}

TEST_F(SaveChecks, LineBreaksAndZeroBytesAreRefusedInEveryField) {
  EXPECT_EQ(UnstorableTextWarning(Fields("mail.example.com"), kInstall, kApache), "");
  const std::string inConfig =
      "The field \"SMTP Server\" contains a line break or a zero byte, which application.cfg "
      "cannot hold. Please remove it and save again.";
  for (const std::string& bad :
       {std::string("mail\rhost"), std::string("mail\nhost"), std::string("mail\0host", 9)}) {
    EXPECT_EQ(UnstorableTextWarning(Fields(bad), kInstall, std::nullopt), inConfig);
  }
  EXPECT_EQ(UnstorableTextWarning(Fields("mail", "C:\\conf\\httpd.conf\n"), kInstall, kApache),
            "The field \"Path to Apache configuration file\" contains a line break or a zero "
            "byte, which a file path cannot hold. Please remove it and save again.");
  // An apostrophe matters only where it enters application.cfg.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail", "C:\\it's\\httpd.conf"), kInstall, kApache), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("o'mail"), kInstall, kApache),
            "The field \"SMTP Server\" contains the character ', which application.cfg cannot "
            "hold: it would end the value early. Please remove it and save again.");
  // A backslash that ends or doubles a value matters only there too (see ConfigReadBackTest).
  EXPECT_EQ(UnstorableTextWarning(Fields("a\\b", "\\\\srv\\conf\\"), kInstall, kApache), "");
  EXPECT_NE(UnstorableTextWarning(Fields("\\\\srv\\b"), kInstall, kApache), "");
  // A value goes into application.cfg's code page; a path to the file system as it is.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail.café", "C:\\Жx\\httpd.conf"), kInstall, kApache),
            "");
  EXPECT_EQ(UnstorableTextWarning(Fields("почта"), kInstall, kApache),
            "The field \"SMTP Server\" contains the character п (U+043F), which application.cfg "
            "cannot hold: the system writes it in the code page Windows-1252. Please remove it "
            "and save again.");
}

TEST_F(SaveChecks, TheInstallationFolderMustFitApplicationCfgAndHttpdConf) {
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "C:\\O'Brien\\Wendrix", std::nullopt),
            "The installation folder \"C:\\O'Brien\\Wendrix\" contains the character ', which "
            "application.cfg cannot hold. Please install Korvane Wendrix in another folder.");
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "/opt/a\nb", std::nullopt),
            "The installation folder \"/opt/a\nb\" contains a line break, which application.cfg "
            "cannot hold. Please install Korvane Wendrix in another folder.");
  // real_root is the folder and "\\www\\wendrix\\cgi-bin": a network path's leading pair of
  // backslashes would be read back as one.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "\\\\server\\share\\$W@ %x", std::nullopt),
            "The installation folder \"\\\\server\\share\\$W@ %x\" contains two backslashes in a "
            "row, which application.cfg cannot hold. Please install Korvane Wendrix in another "
            "folder.");
  EXPECT_NE(UnstorableTextWarning(Fields("mail"), "C:\\a\\\\b", std::nullopt), "");
  // The files are Windows-1252: ö fits, Ж does not.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "C:\\$W@ %x\\Körvane", std::nullopt), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "C:\\Жx", std::nullopt),
            "The installation folder \"C:\\Жx\" contains the character Ж (U+0416), which "
            "application.cfg cannot hold. Please install Korvane Wendrix in another folder.");
  // A double quote ends httpd.conf's quoted paths, which are written only when Apache is found.
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "/opt/\"w\"", std::nullopt), "");
  EXPECT_EQ(UnstorableTextWarning(Fields("mail"), "/opt/\"w\"", kApache),
            "The installation folder \"/opt/\"w\"\" contains the character \", which httpd.conf "
            "cannot hold. Please install Korvane Wendrix in another folder.");
}

}  // namespace
}  // namespace wdx
