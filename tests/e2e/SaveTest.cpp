// "Save": the shortcut files, the two web servers each after its question, application.cfg,
// and what happens when a step fails.
#include <sys/stat.h>

#include <cstdio>

#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

const std::string kOldConf = "ServerRoot \"C:/Apache\"\nListen 80\n";
const std::string kOldConfig =
    "# Wendrix settings\r\n"
    "$config = {\r\n"
    "    'your_logo' => '/old.gif',\r\n"
    "    'email_settings_smtp' => 'old',\r\n"
    "    'email_settings_from' => 'old',\r\n"
    "    'http_root' => 'http://old',\r\n"
    "    'real_root' => 'C:\\old',\r\n"
    "};\r\n";

const char* const kWineAccessDenied = "Access denied.";

class E2eSaveTest : public E2eTest {
 protected:
  // IIS and Apache present, an application.cfg with every key.
  void SetUp() override {
    E2eTest::SetUp();
    conf_ = InstallApache(kOldConf);
    WriteBytes(ConfigPath(), kOldConfig);
    UseMetabase(kSiteRoot);
  }
  void Reset() {
    WriteBytes(conf_, kOldConf);
    std::remove((conf_ + ".korvane").c_str());
    WriteBytes(ConfigPath(), kOldConfig);
    UseMetabase(kSiteRoot);
    std::remove(Inst(kStartPageFile).c_str());
    std::remove(Inst(kGettingStartedFile).c_str());
  }

  std::string NewConfig(const std::string& logo = "/wendrix/images/normal/YourLogo.gif") const {
    const std::string name = ComputerName();
    return "# Wendrix settings\r\n$config = {\r\n" + ConfigEntry("your_logo", logo) +
           ConfigEntry("email_settings_smtp", "mail." + name) +
           ConfigEntry("email_settings_from", "wendrix@" + name) + ConfigEntry("http_root", "http://" + name) +
           ConfigEntry("real_root", InstallDir() + "\\www\\wendrix\\cgi-bin") + "};\r\n";
  }
  std::string Configured() const {  // the IIS stand-in after a first set-up
    return kSiteRoot + "\n[IIS://localhost/W3SVC/1/Root/wendrix]\nClass=IIsWebVirtualDir\nPath=" +
           InstallDir() +
           "\\www\\wendrix\nDefaultDoc=index.html, default.htm\nEnableDefaultDoc=True\n"
           "\n[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]\nClass=IIsWebVirtualDir\n"
           "AppRoot=/LM/W3SVC/1/Root/wendrix/cgi-bin\nAppIsolated=0\nPath=" +
           InstallDir() + "\\www\\wendrix\\cgi-bin\nEnableDefaultDoc=True\nAccessExecute=True\n";
  }
  std::string NewConf(const std::string& old) const {
    return old + ApacheBlock(InstallDir()) + "\r\n";
  }
  void ExpectShortcuts(const std::string& domain) {
    EXPECT_EQ(ReadBytes(Inst(kStartPageFile)),
              Shortcut("http://" + domain + "/wendrix/cgi-bin/bastrel.exe?action=start"));
    EXPECT_EQ(ReadBytes(Inst(kGettingStartedFile)),
              Shortcut("http://" + domain + "/wendrix/help/english/docs/step_by_step.html"));
  }
  void ExpectApacheUntouched() {
    EXPECT_EQ(ReadBytes(conf_), kOldConf);
    EXPECT_FALSE(PathExists(conf_ + ".korvane"));
  }

  std::string conf_;
};

TEST_F(E2eSaveTest, BothServersAnsweredYesAreConfiguredAndTheApplicationWritten) {
  const Outcome run = RunSetup({"click btOk", "answer Yes", "answer Yes"});
  EXPECT_EQ(run.lines, Lines({kIisQuestion, kApacheQuestion, "closed"}));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Metabase(), Configured());
  EXPECT_EQ(ReadBytes(conf_ + ".korvane"), kOldConf);
  EXPECT_EQ(ReadBytes(conf_),
            "ServerRoot \"C:/Apache\"\r\nListen 80\r\n" + ApacheBlock(InstallDir()) + "\r\n");
  ExpectShortcuts(ComputerName());
  EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
  EXPECT_EQ(FolderNames(CgiBin()), Lines({"application.cfg"}));  // no temporary files left
}

TEST_F(E2eSaveTest, EachServerIsTouchedOnlyWhenItsQuestionIsAnsweredYes) {
  {
    SCOPED_TRACE("No, No");
    const Outcome run = RunSetup({"click btOk", "answer No", "answer No", "answer OK"});
    EXPECT_EQ(run.lines, Lines({kIisQuestion, kApacheQuestion, kUnableWarning, "closed"}));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Metabase(), kSiteRoot);
    ExpectApacheUntouched();
    ExpectShortcuts(ComputerName());
    EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
  }
  Reset();
  {
    SCOPED_TRACE("Yes, No");
    const Outcome run = RunSetup({"click btOk", "answer Yes", "answer No"});
    EXPECT_EQ(run.lines, Lines({kIisQuestion, kApacheQuestion, "closed"}));
    EXPECT_EQ(Metabase(), Configured());
    ExpectApacheUntouched();
    EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
  }
  Reset();
  {
    SCOPED_TRACE("No, Yes");
    const Outcome run = RunSetup({"click btOk", "answer No", "answer Yes"});
    EXPECT_EQ(run.lines, Lines({kIisQuestion, kApacheQuestion, "closed"}));
    EXPECT_EQ(Metabase(), kSiteRoot);
    EXPECT_EQ(ReadBytes(conf_), NewConf("ServerRoot \"C:/Apache\"\r\nListen 80\r\n"));
    EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
  }
}

TEST_F(E2eSaveTest, WithApacheAloneItsAnswerDecidesAndWithoutServersOnlyTheWarningIsShown) {
  UseMetabase("");  // no IIS
  const Outcome yes = RunSetup({"click btOk", "answer Yes"});
  EXPECT_EQ(yes.lines, Lines({kApacheQuestion, "closed"}));
  EXPECT_EQ(ReadBytes(conf_), NewConf("ServerRoot \"C:/Apache\"\r\nListen 80\r\n"));
  EXPECT_EQ(ReadBytes(conf_ + ".korvane"), kOldConf);
  Reset();
  UseMetabase("");
  const Outcome no = RunSetup({"click btOk", "answer No", "answer OK"});
  EXPECT_EQ(no.lines, Lines({kApacheQuestion, kUnableWarning, "closed"}));
  ExpectApacheUntouched();
  EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());

  // A directory service without web site 1's root is no IIS either.
  Reset();
  const std::string otherSite = "[IIS://localhost/W3SVC/2/Root]\nClass=IIsWebVirtualDir\n";
  UseMetabase(otherSite);
  const Outcome absentRoot = RunSetup({"click btOk", "answer No", "answer OK"});
  EXPECT_EQ(absentRoot.lines, Lines({kApacheQuestion, kUnableWarning, "closed"}));
  EXPECT_EQ(Metabase(), otherSite);

  Reset();
  UseMetabase("");
  UseRegistry("REGEDIT4\r\n");
  const Outcome none = RunSetup({"click btOk", "answer OK"});
  EXPECT_EQ(none.lines, Lines({kUnableWarning, "closed"}));
  EXPECT_EQ(none.exitCode, 0);
  ExpectShortcuts(ComputerName());
  EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
}

TEST_F(E2eSaveTest, ASecondRunReusesWendrixRecreatesCgiBinAndAppendsASecondBlock) {
  ASSERT_EQ(RunSetup({"click btOk", "answer Yes", "answer Yes"}).exitCode, 0);
  const std::string firstConf = ReadBytes(conf_);
  ASSERT_EQ(Metabase(), Configured());
  // What the first run left, changed behind its back: wendrix must be reused (its own
  // properties rewritten, others kept), cgi-bin made anew.
  std::string changed = Configured();
  changed.replace(changed.find("Path=Z:"), changed.find("\nDefaultDoc") - changed.find("Path=Z:"),
                  "Path=C:\\elsewhere");
  changed.insert(changed.find("\n\n[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]") + 1,
                 "AccessRead=True\n");
  changed += "Marker=old\n";
  UseMetabase(changed);

  const Outcome second = RunSetup({"click btOk", "answer Yes", "answer Yes"});
  EXPECT_EQ(second.lines, Lines({kIisQuestion, kApacheQuestion, "closed"}));
  std::string expected = Configured();
  expected.insert(expected.find("\n\n[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]") + 1,
                  "AccessRead=True\n");
  EXPECT_EQ(Metabase(), expected);
  EXPECT_EQ(ReadBytes(conf_ + ".korvane"), firstConf);  // the file as it was before this run
  EXPECT_EQ(ReadBytes(conf_), NewConf(firstConf));      // two blocks now
  ExpectShortcuts(ComputerName());
  EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
}

TEST_F(E2eSaveTest, AMissingApplicationConfigIsReportedAndSaveCanBePressedAgain) {
  std::remove(ConfigPath().c_str());
  UseMetabase("");
  UseRegistry("REGEDIT4\r\n");
  std::string path = InstallDir() + "\\www\\wendrix\\cgi-bin\\application.cfg";
  std::string escaped;
  for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const std::string report = ErrorReport("Cannot open file " + escaped + ".");
  const Outcome run =
      RunSetup({"click btOk", "answer OK", "answer OK", "click btOk", "answer OK", "answer OK"});
  EXPECT_EQ(run.lines, Lines({kUnableWarning, report, kUnableWarning, report,
                              "script: ended with the dialog open"}));
  EXPECT_EQ(run.exitCode, 4);
  ExpectShortcuts(ComputerName());  // the steps before the failure stay done
  EXPECT_FALSE(PathExists(ConfigPath()));
}

TEST_F(E2eSaveTest, AReadOnlyShortcutFailsSaveBeforeAnyWebServerIsTouched) {
  WriteBytes(Inst(kGettingStartedFile), "old");
  ::chmod(Inst(kGettingStartedFile).c_str(), 0444);
  const std::string report = ErrorReport("File access denied.");
  const Outcome run = RunSetup({"click btOk", "answer OK", "click btOk", "answer OK"});
  EXPECT_EQ(run.lines, Lines({report, report, "script: ended with the dialog open"}));
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(ReadBytes(Inst(kStartPageFile)),
            Shortcut("http://" + ComputerName() + "/wendrix/cgi-bin/bastrel.exe?action=start"));
  EXPECT_EQ(ReadBytes(Inst(kGettingStartedFile)), "old");
  EXPECT_EQ(Metabase(), kSiteRoot);
  ExpectApacheUntouched();
  EXPECT_EQ(ReadBytes(ConfigPath()), kOldConfig);
}

TEST_F(E2eSaveTest, AFailingIisCallEndsSaveThereAndTheNextSaveStartsOver) {
  ::chmod(MetabaseFile().c_str(), 0444);  // SetInfo cannot write it
  const Outcome run = RunSetup({"click btOk", "answer Yes", "answer OK", "click btOk", "answer No",
                                "answer No", "answer OK"});
  // The system's text for "access denied", as each build's system words it.
  const std::string denied = UnderWine() ? kWineAccessDenied : "Access is denied.";
  EXPECT_EQ(run.lines, Lines({kIisQuestion, ErrorReport(denied), kIisQuestion, kApacheQuestion,
                              kUnableWarning, "closed"}));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Metabase(), kSiteRoot);
  ExpectApacheUntouched();
  EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig());
}

TEST_F(E2eSaveTest, AnApostropheInAnApplicationFieldIsRefusedBeforeAnythingIsWritten) {
  const std::string refused =
      "\" contains the character ', which application.cfg cannot hold: it would end the value "
      "early. Please remove it and save again.";
  const Outcome run = RunSetup({
      "set edDomainName o'host",
      "set edSMTPServer mail.o'host",
      "set edEmailFrom wendrix@o'host",
      "set edLogo /o'logo.gif",
      "set edHTTPDConf C:\\it's\\httpd.conf",  // not a field of application.cfg
      "click btOk",
      "answer OK",
      "dump",
      "set edDomainName ohost",
      "click btOk",
      "answer OK",
      "set edSMTPServer mail.ohost",
      "click btOk",
      "answer OK",
      "set edEmailFrom wendrix@ohost",
      "click btOk",
      "answer OK",
  });
  EXPECT_EQ(run.exitCode, 4);
  const Lines boxes = {
      Box("Warning", "The field \"Domain Name / Server Name [:Port]" + refused),
      Box("Warning", "The field \"SMTP Server" + refused),
      Box("Warning", "The field \"EMail Address" + refused),
      Box("Warning", "The field \"HTTP Path" + refused),
  };
  Lines shown;
  for (const std::string& line : run.lines) {
    if (line.rfind("box ", 0) == 0) shown.push_back(line);
  }
  EXPECT_EQ(shown, boxes);
  EXPECT_EQ(Dumped(run, "edSMTPServer.Text"), Lines({"mail.o'host"}));  // the dialog stays
  EXPECT_EQ(run.lines.back(), "script: ended with the dialog open");
  // Nothing at all was written, not even the shortcuts.
  EXPECT_EQ(FolderNames(Inst()).size(), 2u);
  EXPECT_EQ(ReadBytes(ConfigPath()), kOldConfig);
  EXPECT_EQ(Metabase(), kSiteRoot);
  ExpectApacheUntouched();

  // Put right, the same dialog saves.
  UseMetabase("");
  const Outcome fixed = RunSetup({"set edLogo /o'logo.gif", "click btOk", "answer OK",
                                  "set edLogo /ologo.gif", "click btOk", "answer No", "answer OK"});
  EXPECT_EQ(fixed.lines, Lines({boxes[3], kApacheQuestion, kUnableWarning, "closed"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), NewConfig("/ologo.gif"));
}

}  // namespace
}  // namespace wdx::e2e
