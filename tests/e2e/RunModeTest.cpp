// The first argument chooses what the program does; only "0" and "1" do anything.
#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

const std::string kWendrixTree = kSiteRoot +
                                 "\n[IIS://localhost/W3SVC/1/Root/wendrix]\n"
                                 "Class=IIsWebVirtualDir\nPath=C:\\old\n"
                                 "\n[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]\n"
                                 "Class=IIsWebVirtualDir\nAccessExecute=True\n"
                                 "\n[IIS://localhost/W3SVC/1/Root/wendrix2]\n"
                                 "Class=IIsWebVirtualDir\n";

class E2eRunModeTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    WriteBytes(ConfigPath(), "'http_root'=>'old',\r\n");
    UseMetabase(kWendrixTree);
  }
  // Nothing in the installation or the IIS configuration was touched.
  void ExpectUntouched() {
    EXPECT_EQ(FolderNames(Inst()).size(), 2u);  // the program and www
    EXPECT_EQ(ReadBytes(ConfigPath()), "'http_root'=>'old',\r\n");
    EXPECT_EQ(Metabase(), kWendrixTree);
  }
};

TEST_F(E2eRunModeTest, AnyOtherFirstArgumentEndsAtOnceTouchingNothing) {
  const std::vector<std::vector<std::string>> others = {{},     {"00"}, {"01"}, {"1 "},
                                                        {" 1"}, {"O"},  {""},   {"2", "0"}};
  for (const auto& args : others) {
    SCOPED_TRACE(args.empty() ? "(no argument)" : "first argument '" + args[0] + "'");
    const Outcome run = Run(args, {"dump", "click btOk", "answer Yes", "answer Yes"});
    EXPECT_EQ(run.lines, Lines({"closed"}));
    EXPECT_EQ(run.exitCode, 0);
    ExpectUntouched();
  }
}

TEST_F(E2eRunModeTest, ZeroOrOneFollowedByMoreArgumentsActsAsThatArgumentAlone) {
  UseMetabase("");  // no IIS, so that set-up asks nothing
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"0", "1"}, std::vector<std::string>{"0", "extra", "00"}}) {
    SCOPED_TRACE(args[1]);
    const Outcome run = Run(args, {"click btOk", "answer OK"});
    EXPECT_EQ(run.lines, Lines({kUnableWarning, "closed"}));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(PathExists(Inst(kStartPageFile)));
  }
  UseMetabase(kWendrixTree);
  const Outcome removal = Run({"1", "0"}, {"click btOk"});
  EXPECT_EQ(removal.lines, Lines({"closed"}));
  EXPECT_EQ(removal.exitCode, 0);
  EXPECT_EQ(Metabase(),
            kSiteRoot + "\n[IIS://localhost/W3SVC/1/Root/wendrix2]\nClass=IIsWebVirtualDir\n");
}

TEST_F(E2eRunModeTest, RemovalDeletesWendrixWithEverythingBelowAndEndsQuietlyWhenAbsent) {
  const Outcome removal = Run({"1"}, {});
  EXPECT_EQ(removal.lines, Lines({"closed"}));
  EXPECT_EQ(removal.exitCode, 0);
  // wendrix2 only shares the prefix of the name: it stays.
  EXPECT_EQ(Metabase(),
            kSiteRoot + "\n[IIS://localhost/W3SVC/1/Root/wendrix2]\nClass=IIsWebVirtualDir\n");
  EXPECT_EQ(FolderNames(Inst()).size(), 2u);
  EXPECT_EQ(ReadBytes(ConfigPath()), "'http_root'=>'old',\r\n");

  // A second removal finds no wendrix: the failing Delete is swallowed.
  UseMetabase(kSiteRoot);
  const Outcome again = Run({"1"}, {});
  EXPECT_EQ(again.lines, Lines({"closed"}));
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(Metabase(), kSiteRoot);

  // No IIS at all: nothing to do, nothing said.
  UseMetabase("");
  const Outcome noIis = Run({"1"}, {});
  EXPECT_EQ(noIis.lines, Lines({"closed"}));
  EXPECT_EQ(noIis.exitCode, 0);
}

TEST_F(E2eRunModeTest, RemovalWithoutTheDirectoryServiceShowsTheAbortBoxAndEnds) {
  NoDirectoryService();
  const Outcome run = Run({"1"}, {"answer OK"});
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_EQ(run.lines[0].rfind(
                "box Error | Korvane Wendrix IIS installation aborted. Reason:\\rActive "
                "Directory Services Interface is not installed on this computer.\\rVisit: ",
                0),
            0u)
      << run.lines[0];
  EXPECT_TRUE(run.lines[0].ends_with("\\rfor details and download.")) << run.lines[0];
  EXPECT_EQ(run.lines[1], "closed");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace wdx::e2e
