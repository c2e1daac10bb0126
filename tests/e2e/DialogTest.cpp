// The dialog as it comes up: the defaults from the computer name, the failure to read it, and
// the language of its texts.
#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

// The dump of the dialog after a set-up start without web servers.
Lines DefaultDump(const std::string& name) {
  return {
      "frmWendrixSetup.Caption=... finalizing setup",
      "btOk.Caption=Save",
      "btOk.Enabled=True",
      "btOk.Visible=True",
      "btCancel.Caption=Cancel",
      "btCancel.Enabled=False",
      "btCancel.Visible=True",
      "PageControl1.Enabled=True",
      "PageControl1.Visible=True",
      "PageControl1.ActivePage=TabSheet1",
      "TabSheet1.Caption=Korvane Wendrix",
      "TabSheet1.Enabled=True",
      "TabSheet1.TabVisible=True",
      "Image1.Visible=True",
      "Label3.Caption=Korvane Wendrix Configuration",
      "Label3.Enabled=True",
      "Label3.Visible=True",
      "GroupBox2.Caption= Domain Name / Server Name [:Port] ",
      "GroupBox2.Enabled=True",
      "GroupBox2.Visible=True",
      "Label2.Caption=http://MyServer:",
      "Label2.Enabled=True",
      "Label2.Visible=True",
      "edDomainName.Text=" + name,
      "edDomainName.Enabled=True",
      "edDomainName.Visible=True",
      "GroupBox3.Caption= Mail Settings ",
      "GroupBox3.Enabled=True",
      "GroupBox3.Visible=True",
      "Label1.Caption=SMTP Server:",
      "Label1.Enabled=True",
      "Label1.Visible=True",
      "Label4.Caption=EMail Address:",
      "Label4.Enabled=True",
      "Label4.Visible=True",
      "Label7.Caption=Used in the \"From\" field of every email sent by Korvane Wendrix.",
      "Label7.Enabled=True",
      "Label7.Visible=True",
      "edSMTPServer.Text=mail." + name,
      "edSMTPServer.Enabled=True",
      "edSMTPServer.Visible=True",
      "edEmailFrom.Text=wendrix@" + name,
      "edEmailFrom.Enabled=True",
      "edEmailFrom.Visible=True",
      "GroupBox4.Caption= Your Company Logo ",
      "GroupBox4.Enabled=True",
      "GroupBox4.Visible=True",
      "Label5.Caption=HTTP Path:",
      "Label5.Enabled=True",
      "Label5.Visible=True",
      "edLogo.Text=/wendrix/images/normal/YourLogo.gif",
      "edLogo.Enabled=True",
      "edLogo.Visible=True",
      "Panel1.Caption=",
      "Panel1.Enabled=True",
      "Panel1.Visible=True",
      "Label8.Caption=To complete the Korvane Wendrix setup, please provide the above "
      "information. If you are unsure, leave the default settings. They can be manually "
      "changed later in the Manager Menu | System | Configuration.",
      "Label8.Enabled=True",
      "Label8.Visible=True",
      "tsApache.Caption=Apache Web Server",
      "tsApache.Enabled=True",
      "tsApache.TabVisible=False",
      "Label6.Caption=Apache Configuration",
      "Label6.Enabled=True",
      "Label6.Visible=True",
      "Image2.Visible=True",
      "GroupBox1.Caption= Path to Apache configuration file (HTTPD.CONF)  ",
      "GroupBox1.Enabled=True",
      "GroupBox1.Visible=True",
      "edHTTPDConf.Text=C:\\\\Program Files\\\\Apache Group\\\\Apache\\\\conf\\\\httpd.conf",
      "edHTTPDConf.Enabled=True",
      "edHTTPDConf.Visible=True",
      "Button1.Caption=Browse...",
      "Button1.Enabled=True",
      "Button1.Visible=True",
      "LangControl.Language=English",
  };
}

class E2eDialogTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    WriteBytes(ConfigPath(), "");
  }
};

TEST_F(E2eDialogTest, DefaultsComeFromTheComputerNameAndCancelIsDisabled) {
  // A disabled Cancel does nothing, so the dialog is still open when the script ends.
  const Outcome run = RunSetup({"dump", "click btCancel"});
  Lines expected = DefaultDump(ComputerName());
  expected.push_back("script: ended with the dialog open");
  EXPECT_EQ(run.lines, expected);
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(FolderNames(Inst()).size(), 2u);  // nothing written before "Save"

  WDX_E2E_NATIVE_ONLY("the computer name is wine's");
  SetEnv("WENDRIX_COMPUTERNAME", "FIFTEEN-CHARS-X");  // the longest name that fits
  const Outcome longest = RunSetup({"dump"});
  EXPECT_EQ(Dumped(longest, "edDomainName.Text"), Lines({"FIFTEEN-CHARS-X"}));
  EXPECT_EQ(Dumped(longest, "edSMTPServer.Text"), Lines({"mail.FIFTEEN-CHARS-X"}));
  EXPECT_EQ(Dumped(longest, "edEmailFrom.Text"), Lines({"wendrix@FIFTEEN-CHARS-X"}));
}

TEST_F(E2eDialogTest, AComputerNameThatDoesNotFitIsReportedAndLeavesTheDesignValues) {
  WDX_E2E_NATIVE_ONLY("the computer name is wine's");
  SetEnv("WENDRIX_COMPUTERNAME", "SIXTEEN-CHARS-XY");
  // Detection is skipped as well: an Apache in the registry changes nothing.
  UseApacheServerRoot(WinPath(Root()) + "\\apache\\");
  const Outcome run = RunSetup({"answer OK", "dump", "click btCancel"});
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(run.lines[0], ErrorReport("Win32 Error.  Code: 111.\\nThe file name is too long."));
  EXPECT_EQ(Dumped(run, "edDomainName.Text"), Lines({""}));
  EXPECT_EQ(Dumped(run, "edSMTPServer.Text"), Lines({""}));
  EXPECT_EQ(Dumped(run, "edEmailFrom.Text"), Lines({""}));
  EXPECT_EQ(Dumped(run, "btCancel.Enabled"), Lines({"True"}));
  EXPECT_EQ(Dumped(run, "edHTTPDConf.Text"),
            Lines({"C:\\\\Program Files\\\\Apache Group\\\\Apache\\\\conf\\\\httpd.conf"}));
  EXPECT_EQ(run.lines.back(), "closed");  // Cancel works and writes nothing
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(FolderNames(Inst()).size(), 2u);
  EXPECT_EQ(ReadBytes(ConfigPath()), "");
}

TEST_F(E2eDialogTest, AMissingDirectoryServiceIsToldAtStartAndSaveAsksNothingOfIis) {
  NoDirectoryService();
  const Outcome run = RunSetup({"answer OK", "click btOk", "answer OK"});
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0].rfind("box Error | Korvane Wendrix IIS installation aborted.", 0), 0u);
  EXPECT_EQ(run.lines[1], kUnableWarning);
  EXPECT_EQ(run.lines[2], "closed");
  EXPECT_EQ(run.exitCode, 0);
}

TEST_F(E2eDialogTest, LangSwitchesTheTranslatedTextsAndBack) {
  const Outcome run =
      RunSetup({"lang German", "dump", "lang Klingon", "dump", "lang english", "dump"});
  EXPECT_EQ(run.exitCode, 4);
  // German carries the untranslated texts that the language data holds.
  EXPECT_EQ(Dumped(run, "LangControl.Language"), Lines({"German", "German", "English"}));
  EXPECT_EQ(Dumped(run, "frmWendrixSetup.Caption"),
            Lines({"Korvane Wendrix Configuration", "Korvane Wendrix Configuration",
                   "... finalizing setup"}));
  EXPECT_EQ(Dumped(run, "GroupBox1.Caption"),
            Lines({" Path to Apache \"HTTPD.CONF\" file: ", " Path to Apache \"HTTPD.CONF\" file: ",
                   " Path to Apache configuration file (HTTPD.CONF)  "}));
  EXPECT_EQ(Dumped(run, "Label1.Caption"), Lines({"SMTP server:", "SMTP server:", "SMTP Server:"}));
  EXPECT_EQ(Dumped(run, "Label7.Caption"),
            Lines({"Used in the From field of every email send by Korvane Wendrix.",
                   "Used in the From field of every email send by Korvane Wendrix.",
                   "Used in the \"From\" field of every email sent by Korvane Wendrix."}));
  // What the user typed stays; the instructions, a text of the program's code beside the
  // language data, follow the language.
  const std::string name = "edDomainName.Text";
  EXPECT_EQ(Dumped(run, name), Lines(3, ComputerName()));
  const std::vector<std::string> instructions = Dumped(run, "Label8.Caption");
  ASSERT_EQ(instructions.size(), 3u);
  EXPECT_EQ(instructions[0].rfind("Geben Sie die obigen Angaben ein", 0), 0u);
  EXPECT_EQ(instructions[1], instructions[0]);
  EXPECT_EQ(instructions[2].rfind("To complete the Korvane Wendrix setup", 0), 0u);
}

TEST_F(E2eDialogTest, TheDialogStartsInTheLanguageOfTheUsersLocale) {
  WDX_E2E_NATIVE_ONLY("wine's locale comes from its own set-up");
  UnsetEnv("LC_ALL");
  SetEnv("LANG", "de_DE.UTF-8");
  const Outcome german = RunSetup({"dump"});
  EXPECT_EQ(Dumped(german, "LangControl.Language"), Lines({"German"}));
  EXPECT_EQ(Dumped(german, "frmWendrixSetup.Caption"), Lines({"Korvane Wendrix Configuration"}));
  SetEnv("LC_ALL", "C");  // the first one set wins
  const Outcome english = RunSetup({"dump"});
  EXPECT_EQ(Dumped(english, "LangControl.Language"), Lines({"English"}));
  EXPECT_EQ(Dumped(english, "frmWendrixSetup.Caption"), Lines({"... finalizing setup"}));
}

}  // namespace
}  // namespace wdx::e2e
