// Finding Apache in the registry, choosing httpd.conf with "Browse...", and where the block
// then goes.
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

TEST_F(E2eApacheTest, BrowseIsOutOfReachWhileTheApacheTabIsHidden) {
  const Outcome run = RunSetup({"click Button1", "dump"});
  EXPECT_EQ(Dumped(run, "tsApache.TabVisible"), Lines({"False"}));
  for (const std::string& line : run.lines) EXPECT_NE(line.rfind("open ", 0), 0u) << line;
  EXPECT_EQ(run.lines.back(), "script: ended with the dialog open");
  EXPECT_EQ(run.exitCode, 4);
}

}  // namespace
}  // namespace wdx::e2e
