// Finding Apache in the registry, choosing httpd.conf with "Browse...", and where the block
// then goes.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

const std::string kDesignConf =
    "C:\\\\Program Files\\\\Apache Group\\\\Apache\\\\conf\\\\httpd.conf";  // as dumped

std::string DumpedPath(const std::string& windowsPath) {
  std::string out;
  for (char c : windowsPath) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

std::string RegString(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return "\"" + out + "\"";
}

const char* const kApacheKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache";

// A TCP port on the loopback interface that no one listens on just now.
int FreePort() {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (socket < 0 || ::bind(socket, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("no free port");
  }
  ::close(socket);
  return ntohs(address.sin_port);
}

// The start of an httpd.conf for the system's Apache on `server`: the modules the block needs.
std::string ApacheServerConf(const std::string& server, int port) {
  std::string conf = "ServerRoot \"" + server +
                     "\"\nServerName localhost\nListen 127.0.0.1:" + std::to_string(port) +
                     "\nPidFile " + server + "/httpd.pid\nDefaultRuntimeDir " + server +
                     "\nErrorLog " + server + "/error.log\nTypesConfig /dev/null\n";
  if (::geteuid() == 0) conf += "User www-data\nGroup www-data\n";  // it will not serve as root
  for (const char* module :
       {"mpm_event", "authz_core", "authz_host", "access_compat", "alias", "dir", "mime"}) {
    conf += std::string("LoadModule ") + module + "_module /usr/lib/apache2/modules/mod_" + module +
            ".so\n";
  }
  return conf;
}

class E2eApacheTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    WriteBytes(ConfigPath(), "");
  }
};

TEST_F(E2eApacheTest, OnlyTheFirstVersionSubkeyIgnoringCaseIsUsed) {
  const std::string beta = WinPath(Root()) + "\\beta\\";
  const std::string alpha = WinPath(Root()) + "\\alpha\\";
  // "Beta" comes first in the file and in plain byte order; ignoring case, "alpha" does.
  UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey +
              "\\Beta]\r\n\"ServerRoot\"=" + RegString(beta) + "\r\n\r\n" + kApacheKey +
              "\\alpha]\r\n\"ServerRoot\"=" + RegString(alpha) + "\r\n");
  const Outcome run = RunSetup({"dump"});
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"), Lines({DumpedPath(alpha + "conf\\httpd.conf")}));
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"True"}));
  EXPECT_EQ(Dumped(run, "btCancel.Enabled"), Lines({"False"}));

  // The Apache key alone, without a version below it, is no Apache.
  UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey + "]\r\n");
  const Outcome bare = RunSetup({"dump", "click btOk", "answer OK"});
  EXPECT_EQ(Dumped(bare, "edHTTPDConf.Text"), Lines({kDesignConf}));
  EXPECT_EQ(Dumped(bare, "tsApache.TabVisible"), Lines({"False"}));
  EXPECT_EQ(bare.lines.back(), "closed");
  EXPECT_EQ(bare.lines[bare.lines.size() - 2], kUnableWarning);
}

TEST_F(E2eApacheTest, AServerRootWithoutTrailingBackslashGivesAPathThatSaveDoesNotFind) {
  WriteBytes(Root() + "/apache/conf/httpd.conf", "Listen 80\r\n");
  UseApacheServerRoot(WinPath(Root()) + "\\apache");
  const Outcome run = RunSetup({"dump", "click btOk", "answer Yes", "answer OK", "answer OK"});
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"),
            Lines({DumpedPath(WinPath(Root()) + "\\apacheconf\\httpd.conf")}));
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"True"}));
  const Lines tail(run.lines.end() - 4, run.lines.end());
  EXPECT_EQ(tail, Lines({kApacheQuestion, kApacheNotFound, kUnableWarning, "closed"}));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(ReadBytes(Root() + "/apache/conf/httpd.conf"), "Listen 80\r\n");
  EXPECT_FALSE(PathExists(Root() + "/apache/conf/httpd.conf.korvane"));
  EXPECT_TRUE(PathExists(Inst(kStartPageFile)));  // the sequence went on after the box
}

TEST_F(E2eApacheTest, AMissingServerRootGivesARelativePathAndShowsTheTab) {
  UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey + "\\2.0]\r\n\"Other\"=\"x\"\r\n");
  // The relative path is looked up in the current folder (here the test's scratch folder).
  WriteBytes(Root() + "/conf/httpd.conf", "Listen 80");
  const Outcome run = RunSetup({"dump", "click btOk", "answer Yes"});
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"), Lines({"conf\\\\httpd.conf"}));
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"True"}));
  EXPECT_EQ(run.lines.back(), "closed");
  EXPECT_EQ(ReadBytes(Root() + "/conf/httpd.conf.korvane"), "Listen 80");
  EXPECT_EQ(ReadBytes(Root() + "/conf/httpd.conf"),
            "Listen 80\r\n" + ApacheBlock(InstallDir()) + "\r\n");
}

TEST_F(E2eApacheTest, AServerRootThatIsNoStringIsReportedAndHidesTheTab) {
  UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey +
              "\\1.3]\r\n\"ServerRoot\"=dword:00000001\r\n");
  const Outcome run = RunSetup({"answer OK", "dump", "click btOk", "answer OK"});
  ASSERT_FALSE(run.lines.empty());
  // No period is added after a closing apostrophe: its code is below that of ".".
  EXPECT_EQ(run.lines[0], ErrorReport("Invalid data type for 'ServerRoot'"));
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"False"}));
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"), Lines({kDesignConf}));
  // The rest of the defaults was skipped.
  EXPECT_EQ(Dumped(run, "edDomainName.Text"), Lines({""}));
  EXPECT_EQ(Dumped(run, "btCancel.Enabled"), Lines({"True"}));
  const Lines tail(run.lines.end() - 2, run.lines.end());
  EXPECT_EQ(tail, Lines({kUnableWarning, "closed"}));  // Apache is not asked about
}

TEST_F(E2eApacheTest, AServerRootThatCannotBeReadIsReportedAndHidesTheTab) {
  WDX_E2E_NATIVE_ONLY("the registry keeps no value whose data cannot be read");
  // A string value whose data is damaged: it exists, but its text cannot be had.
  UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey +
              "\\1.3]\r\n\"ServerRoot\"=hex(2):43,zz,00\r\n");
  const Outcome run = RunSetup({"answer OK", "dump", "click btOk", "answer OK"});
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(run.lines[0], ErrorReport("Failed to get data for 'ServerRoot'"));
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"False"}));
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"), Lines({kDesignConf}));
  EXPECT_EQ(Dumped(run, "edDomainName.Text"), Lines({""}));  // the other defaults were skipped
  const Lines tail(run.lines.end() - 2, run.lines.end());
  EXPECT_EQ(tail, Lines({kUnableWarning, "closed"}));
}

TEST_F(E2eApacheTest, BrowseOffersTheCurrentTextAndTakesOnlyAChosenFile) {
  InstallApache("Listen 80\r\n");
  const std::string chosen = Root() + "/other/httpd.conf";
  WriteBytes(chosen, "Listen 8080\r\n");
  const Outcome run = RunSetup({
      "set edHTTPDConf C:\\typed\\httpd.conf",
      "click Button1",
      "choose " + WinPath(chosen),
      "dump",
      "click Button1",
      "cancel",
      "dump",
      "click btOk",
      "answer Yes",
  });
  const std::string filter = " | Apache Config File|httpd.conf | ";
  const std::string initial = "C:\\\\Program Files\\\\Apache Group\\\\Apache\\\\conf";
  Lines opened;
  for (const std::string& line : run.lines) {
    if (line.rfind("open ", 0) == 0) opened.push_back(line);
  }
  EXPECT_EQ(opened, Lines({"open C:\\\\typed\\\\httpd.conf" + filter + initial,
                           "open " + DumpedPath(WinPath(chosen)) + filter + initial}));
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"),
            Lines(2, DumpedPath(WinPath(chosen))));  // cancel changed nothing
  EXPECT_EQ(run.lines.back(), "closed");
  EXPECT_EQ(ReadBytes(chosen), "Listen 8080\r\n" + ApacheBlock(InstallDir()) + "\r\n");
  EXPECT_EQ(ReadBytes(Root() + "/Apache Group/conf/httpd.conf"), "Listen 80\r\n");
}

// The installation folder enters application.cfg in the code page the system's programs read
// text in, and httpd.conf as the Apache found reads its paths: on Windows UTF-8 from Apache 2.0
// on and the ANSI code page before; on Linux, where a file name is its bytes, the locale's
// encoding for both (the C locale keeps Windows-1252). Wine runs in a UTF-8 locale, without
// which it cannot name the folder, and with Windows-1252 as its ANSI code page (the C one keeps
// the prefix's language, which another language would change for the tests after).
TEST_F(E2eApacheTest, TheFolderEntersEachFileAsItsReaderReadsIt) {
  RenameInstallation("Übersetzung Ärger");  // UTF-8 on disk
  const std::string utf8 = "Übersetzung Ärger";
  const std::string ansi =
      "\xDC"
      "bersetzung \xC4"
      "rger";
  struct Case {
    const char* locale;
    const char* version;
    std::string config;
    std::string conf;
  };
  const std::vector<Case> cases = UnderWine()
                                      ? std::vector<Case>{{"C.UTF-8", "2.0.55", ansi, utf8},
                                                          {"C.UTF-8", "1.3.27", ansi, ansi}}
                                      : std::vector<Case>{{"C", "2.0.55", ansi, ansi},
                                                          {"C", "1.3.27", ansi, ansi},
                                                          {"de_DE.UTF-8", "2.0.55", utf8, utf8},
                                                          {"de_DE.UTF-8", "1.3.27", utf8, utf8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.version);
    SetEnv("LC_ALL", c.locale);
    WriteBytes(ConfigPath(), ConfigEntry("real_root", "x"));
    const std::string conf = Root() + "/apache/conf/httpd.conf";
    WriteBytes(conf, "Listen 80\r\n");
    UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey + "\\" + c.version +
                "]\r\n\"ServerRoot\"=" + RegString(WinPath(Root() + "/apache") + "\\") + "\r\n");
    const Outcome run = RunSetup({"click btOk", "answer Yes"});  // the Apache question only
    ASSERT_EQ(run.lines.size(), 2u);
    ASSERT_EQ(run.lines.back(), "closed");
    EXPECT_NE(ReadBytes(ConfigPath()).find(c.config + "\\www\\wendrix\\cgi-bin"),
              std::string::npos);
    EXPECT_NE(ReadBytes(conf).find("/" + c.conf + "/www/wendrix/\""), std::string::npos);
  }
}

// A folder the files' encoding cannot hold is refused before anything is written.
TEST_F(E2eApacheTest, AFolderTheFilesCannotHoldIsRefusedBeforeAnythingIsWritten) {
  WDX_E2E_NATIVE_ONLY("wine's code page follows its own locale");
  RenameInstallation("Übersetzung");
  SetEnv("LC_ALL", "en_US.ISO-8859-15");  // a codeset the program does not write: ASCII only
  const std::string conf = InstallApache("Listen 80\r\n");
  const Outcome run = RunSetup({"click btOk", "answer OK"});
  ASSERT_GE(run.lines.size(), 1u);
  EXPECT_NE(run.lines.front().find("Ü (U+00DC), which application.cfg cannot hold"),
            std::string::npos)
      << run.lines.front();
  EXPECT_EQ(ReadBytes(ConfigPath()), "");
  EXPECT_EQ(ReadBytes(conf), "Listen 80\r\n");
  EXPECT_FALSE(PathExists(Inst(kStartPageFile)));
}

// The system's Apache serves the installation, its folder named in UTF-8 beyond ASCII, through
// the block that Save appended to its httpd.conf.
TEST_F(E2eApacheTest, TheSystemsApacheServesTheFolderThroughTheBlock) {
  WDX_E2E_NATIVE_ONLY("the Apache that serves is the Linux system's");
  if (::access("/usr/sbin/apache2", X_OK) != 0) {
    GTEST_SKIP() << "Apache is missing (scripts/install-deps.sh installs it)";
  }
  RenameInstallation("Übersetzung Ärger");
  WriteBytes(Inst("www/wendrix/default.htm"), "<p>Wendrix</p>\n");
  WriteBytes(ConfigPath(), ConfigEntry("real_root", "x"));
  const std::string server = Root() + "/apache";
  const int port = FreePort();
  WriteBytes(server + "/conf/httpd.conf", ApacheServerConf(server, port));
  UseRegistry(std::string("REGEDIT4\r\n\r\n") + kApacheKey +
              "\\2.4.71]\r\n\"ServerRoot\"=" + RegString(WinPath(server) + "\\") + "\r\n");
  SetEnv("LC_ALL", "C.UTF-8");
  const Outcome run = RunSetup({"click btOk", "answer Yes"});
  ASSERT_EQ(run.lines, Lines({kApacheQuestion, "closed"}));
  // Started as root, Apache serves as www-data, which must be able to read the folders.
  ASSERT_EQ(RunShell("chmod -R a+rX '" + Root() + "'", Root()).exitCode, 0);
  const Outcome served = RunShell("bash '" WDX_SOURCE_DIR "/tests/e2e/ApacheServe.sh' '" + server +
                                      "' " + std::to_string(port) + " /wendrix/",
                                  Root());
  EXPECT_EQ(served.exitCode, 0);
  ASSERT_FALSE(served.lines.empty());
  EXPECT_EQ(served.lines.front(), "HTTP/1.1 200 OK\r");
  EXPECT_EQ(served.lines.back(), "<p>Wendrix</p>");
}

TEST_F(E2eApacheTest, BrowseIsOutOfReachWhileTheApacheTabIsHidden) {
  const Outcome run = RunSetup({"click Button1", "dump"});
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"False"}));
  for (const std::string& line : run.lines) EXPECT_NE(line.rfind("open ", 0), 0u) << line;
  EXPECT_EQ(run.lines.back(), "script: ended with the dialog open");
  EXPECT_EQ(run.exitCode, 4);
}

}  // namespace
}  // namespace wdx::e2e
