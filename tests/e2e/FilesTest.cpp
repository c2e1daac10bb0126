// The files "Save" writes, byte for byte, and what a failed write leaves behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

using namespace std::string_literals;  // zero bytes inside literals

class E2eFilesTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    UseRegistry("REGEDIT4\r\n");  // no Apache unless a test installs one
  }
  // Saves with no web server, so that only the warning comes before the files are written.
  Outcome SaveWith(const Lines& sets, const Limits& limits = {}) {
    Lines script = sets;
    script.insert(script.end(), {"click btOk", "answer OK", "answer OK"});
    return RunSetup(script, limits);
  }
};

TEST_F(E2eFilesTest, ApplicationConfigLinesWithAKeyBecomeEntriesAndTheRestStaysByteForByte) {
  WriteBytes(ConfigPath(),
             "# settings\n"
             "  'http_root' => 'x', 'your_logo' => 'y'\n"  // order 1 wins
             "  'real_root_dir' => 'x'\n"                  // a key inside a longer word
             "  'Your_Logo' => 'kept'\n"                   // keys are case-sensitive
             "email_settings_from email_settings_smtp\r\n"
             "# old http_root comment\r"
             "\tyour_logo again\n"
             "\n"
             "x=\0y\n"s                        // a zero byte is an ordinary character
             "after the zero: real_root\0\n"s  // and lines after it are still read
             "last line without break 'email_settings_from'");
  const Outcome run =
      SaveWith({"set edDomainName www.example.com:8080", "set edSMTPServer smtp.example.com",
                "set edEmailFrom web@example.com", "set edLogo /img/logo.gif"});
  EXPECT_EQ(run.lines, Lines({kUnableWarning, "closed"}));
  const std::string realRoot = InstallDir() + "\\www\\wendrix\\cgi-bin";
  EXPECT_EQ(ReadBytes(ConfigPath()), "# settings\r\n" + ConfigEntry("your_logo", "/img/logo.gif") +
                                         ConfigEntry("real_root", realRoot) +
                                         "  'Your_Logo' => 'kept'\r\n" +
                                         ConfigEntry("email_settings_smtp", "smtp.example.com") +
                                         ConfigEntry("http_root", "http://www.example.com:8080") +
                                         ConfigEntry("your_logo", "/img/logo.gif") + "\r\n" +
                                         "x=\0y\r\n"s + ConfigEntry("real_root", realRoot) +
                                         ConfigEntry("email_settings_from", "web@example.com"));
}

TEST_F(E2eFilesTest, EmptyAndLineFeedOnlyConfigsKeepTheirLines) {
  WriteBytes(ConfigPath(), "");
  EXPECT_EQ(SaveWith({}).exitCode, 0);
  EXPECT_EQ(ReadBytes(ConfigPath()), "");  // no line, no line break

  WriteBytes(ConfigPath(), "\n\nplain\n");
  EXPECT_EQ(SaveWith({}).exitCode, 0);
  EXPECT_EQ(ReadBytes(ConfigPath()), "\r\n\r\nplain\r\n");

  // An empty domain and blank-padded values go in as typed.
  WriteBytes(ConfigPath(), "http_root\nemail_settings_smtp\n");
  EXPECT_EQ(SaveWith({"set edDomainName", "set edSMTPServer  padded "}).exitCode, 0);
  EXPECT_EQ(ReadBytes(ConfigPath()),
            ConfigEntry("http_root", "http://") + ConfigEntry("email_settings_smtp", " padded "));
}

TEST_F(E2eFilesTest, ShortcutsNameTheDomainAsTypedAndReplaceOldFilesWholly) {
  WriteBytes(ConfigPath(), "");
  WriteBytes(Inst(kStartPageFile), std::string(500, 'x'));
  EXPECT_EQ(SaveWith({"set edDomainName intranet:8080"}).exitCode, 0);
  EXPECT_EQ(ReadBytes(Inst(kStartPageFile)),
            "[DEFAULT]\r\nBASEURL=http://intranet:8080/wendrix/cgi-bin/bastrel.exe?action=start\r\n"
            "[InternetShortcut]\r\nURL=http://intranet:8080/wendrix/cgi-bin/"
            "bastrel.exe?action=start\r\n");
  EXPECT_EQ(ReadBytes(Inst(kGettingStartedFile)),
            "[DEFAULT]\r\nBASEURL=http://intranet:8080/wendrix/help/english/docs/"
            "step_by_step.html\r\n[InternetShortcut]\r\nURL=http://intranet:8080/wendrix/help/"
            "english/docs/step_by_step.html\r\n");

  EXPECT_EQ(SaveWith({"set edDomainName"}).exitCode, 0);
  EXPECT_EQ(ReadBytes(Inst(kStartPageFile)),
            Shortcut("http:///wendrix/cgi-bin/bastrel.exe?action=start"));
  EXPECT_EQ(ReadBytes(Inst(kGettingStartedFile)),
            Shortcut("http:///wendrix/help/english/docs/step_by_step.html"));
}

TEST_F(E2eFilesTest, TheBackupIsTheOldHttpdConfByteForByte) {
  WriteBytes(ConfigPath(), "");
  const std::string old = "A\nB\r\nC\rD\0E\r\n\r\nlast"s;
  const std::string conf = InstallApache(old);
  WriteBytes(conf + ".korvane", "an older backup that is longer than the file");
  const Outcome run = RunSetup({"click btOk", "answer Yes"});
  EXPECT_EQ(run.lines, Lines({kApacheQuestion, "closed"}));
  EXPECT_EQ(ReadBytes(conf + ".korvane"), old);
  EXPECT_EQ(ReadBytes(conf),
            "A\r\nB\r\nC\r\nD\0E\r\n\r\nlast\r\n"s + ApacheBlock(InstallDir()) + "\r\n");
  EXPECT_EQ(FolderNames(Root() + "/Apache Group/conf"),
            Lines({"httpd.conf", "httpd.conf.korvane"}));
}

TEST_F(E2eFilesTest, AReadOnlyTargetIsReportedAndKeptWhole) {
  WriteBytes(ConfigPath(), "http_root\n");
  const std::string conf = InstallApache("Listen 80\n");
  ::chmod(conf.c_str(), 0444);
  const Outcome apache = RunSetup({"click btOk", "answer Yes", "answer OK"});
  EXPECT_EQ(apache.lines,
            Lines({kApacheQuestion,
                   ErrorReport("Cannot create file " +
                               Doubled(WinPath(Root()) + "\\Apache Group\\conf\\httpd.conf") + "."),
                   "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(conf), "Listen 80\n");
  EXPECT_EQ(ReadBytes(conf + ".korvane"), "Listen 80\n");  // written before the failure
  EXPECT_EQ(ReadBytes(ConfigPath()), "http_root\n");       // the sequence ended there

  UseRegistry("REGEDIT4\r\n");
  ::chmod(ConfigPath().c_str(), 0444);
  const Outcome config = SaveWith({});
  EXPECT_EQ(
      config.lines,
      Lines({kUnableWarning,
             ErrorReport("Cannot create file " +
                         Doubled(InstallDir() + "\\www\\wendrix\\cgi-bin\\application.cfg") + "."),
             "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), "http_root\n");
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg"}));
}

TEST_F(E2eFilesTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
  WDX_E2E_NATIVE_ONLY("a file-size limit would reach wine's own files");
  const Limits limit{2048};
  // application.cfg: the new text does not fit under the limit, the shortcuts do.
  std::string config;
  for (int i = 0; i < 200; ++i) config += "filler line " + std::to_string(i) + "\r\n";
  config += "http_root\r\n";
  WriteBytes(ConfigPath(), config);
  const Outcome run = SaveWith({}, limit);
  EXPECT_EQ(run.lines, Lines({kUnableWarning, ErrorReport("Stream write error."),
                              "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), config);
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg"}));

  // httpd.conf: the backup fits, the file with the block does not.
  WriteBytes(ConfigPath(), "");
  const std::string old(1600, '#');
  const std::string conf = InstallApache(old);
  const Outcome apache = RunSetup({"click btOk", "answer Yes", "answer OK"}, limit);
  EXPECT_EQ(apache.lines, Lines({kApacheQuestion, ErrorReport("Stream write error."),
                                 "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(conf), old);
  EXPECT_EQ(ReadBytes(conf + ".korvane"), old);
  EXPECT_EQ(FolderNames(Root() + "/Apache Group/conf"),
            Lines({"httpd.conf", "httpd.conf.korvane"}));

  // The IIS stand-in: SetInfo cannot write the grown file.
  UseRegistry("REGEDIT4\r\n");
  std::string metabase =
      "[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\nPath=C:\\Inetpub\\wwwroot\n";
  while (metabase.size() < 1900) metabase += "Padding=" + std::string(60, 'p') + "\n";
  UseMetabase(metabase);
  const Outcome iis = RunSetup({"click btOk", "answer Yes", "answer OK"}, limit);
  EXPECT_EQ(iis.lines, Lines({kIisQuestion, ErrorReport("There is not enough space on the disk."),
                              "script: ended with the dialog open"}));
  EXPECT_EQ(Metabase(), metabase);
  for (const std::string& name : FolderNames(Root())) {
    EXPECT_EQ(name.rfind("metabase.ini.", 0), std::string::npos) << name;
  }
}

TEST_F(E2eFilesTest, AFolderThatTakesNoNewFileLeavesTheOldConfigWhole) {
  WriteBytes(ConfigPath(), "http_root\n");
  ::chmod(CgiBin().c_str(), 0555);
  // The superuser may write into read-only folders: the program runs as nobody, whose file it is.
  Limits limits;
  if (::geteuid() == 0) {
    WDX_E2E_NATIVE_ONLY("wine runs as the user who owns its prefix");
    ::chmod(Root().c_str(), 0755);
    ::chown(ConfigPath().c_str(), 65534, 65534);
    ::chown(Inst().c_str(), 65534, 65534);  // the shortcuts are written there
    limits.asUser = 65534;
  }
  const Outcome run = SaveWith({}, limits);
  EXPECT_EQ(
      run.lines,
      Lines({kUnableWarning,
             ErrorReport("Cannot create file " +
                         Doubled(InstallDir() + "\\www\\wendrix\\cgi-bin\\application.cfg") + "."),
             "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), "http_root\n");
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg"}));
}

}  // namespace
}  // namespace wdx::e2e
