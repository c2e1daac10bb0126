// The scripted front-end as other tools drive it: its actions, what it prints, and how it
// ends when the script does not fit the screen.
#include "tests/e2e/E2eHarness.h"

#include <algorithm>

namespace wdx::e2e {
namespace {

class E2eScriptTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    WriteBytes(ConfigPath(), "");
  }
};

TEST_F(E2eScriptTest, AnActionThatDoesNotFitTheScreenEndsTheRunWithThree) {
  const std::vector<std::pair<Lines, Lines>> cases = {
      {{"answer Yes"}, {"script: answer Yes: nothing is waiting for an answer"}},
      {{"cancel"}, {"script: cancel: nothing is waiting for an answer"}},
      {{"frobnicate now"}, {"script: unknown action: frobnicate now"}},
      {{"click NoSuchButton"}, {"script: no control named NoSuchButton"}},
      {{"set btOk text"}, {"script: btOk is not an edit"}},
      {{"click edLogo"}, {"script: edLogo is not a button"}},
      {{"click btOk", "dump"}, {kUnableWarning, "script: dump: a message box waits for an answer"}},
      {{"click btOk", "answer Yes"},
       {kUnableWarning, "script: answer Yes: the message box has no such button"}},
      {{"click btOk"}, {kUnableWarning, "script: ended while a message box waits for an answer"}},
  };
  for (const auto& [script, expected] : cases) {
    SCOPED_TRACE(script.back());
    const Outcome run = RunSetup(script);
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(run.exitCode, 3);
  }
}

TEST_F(E2eScriptTest, TheFileDialogWantsChooseOrCancel) {
  InstallApache("");
  const std::string open = "open " + [&] {
    std::string text = WinPath(Root()) + "\\Apache Group\\conf\\httpd.conf";
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
  }() + " | Apache Config File|httpd.conf | C:\\\\Program Files\\\\Apache Group\\\\Apache\\\\conf";
  const Outcome wrong = RunSetup({"click Button1", "answer OK"});
  EXPECT_EQ(wrong.lines,
            Lines({open, "script: answer OK: the file dialog waits for choose or cancel"}));
  EXPECT_EQ(wrong.exitCode, 3);
  const Outcome ended = RunSetup({"click Button1"});
  EXPECT_EQ(ended.lines, Lines({open, "script: ended while the file dialog waits for an answer"}));
  EXPECT_EQ(ended.exitCode, 3);
}

TEST_F(E2eScriptTest, BlankLinesCommentsAndCarriageReturnsAreSkippedAndSetTakesTheRestOfTheLine) {
  const Outcome run = RunSetup({
      "",
      "# a comment: click btOk",
      "set edDomainName  two blanks\r",  // a script with CR LF line ends
      "set edSMTPServer",                // no blank after the name: empty
      "set edEmailFrom a\rb\\c",         // a CR inside the text
      "dump",
  });
  EXPECT_EQ(Dumped(run, "edDomainName.Text"), Lines({" two blanks"}));
  EXPECT_EQ(Dumped(run, "edSMTPServer.Text"), Lines({""}));
  EXPECT_EQ(Dumped(run, "edEmailFrom.Text"), Lines({"a\\rb\\\\c"}));
  EXPECT_EQ(run.lines.back(), "script: ended with the dialog open");
  EXPECT_EQ(run.exitCode, 4);
}

TEST_F(E2eScriptTest, DumpPrintsEachPropertyAsNameDotPropertyInCreationOrder) {
  const Outcome run = RunSetup({"dump"});
  ASSERT_GE(run.lines.size(), 5u);
  EXPECT_EQ(run.lines[0], "frmWendrixSetup.Caption=... finalizing setup");  // the form first
  EXPECT_EQ(Lines(run.lines.begin() + 1, run.lines.begin() + 4),
            Lines({"btOk.Caption=Save", "btOk.Enabled=True", "btOk.Visible=True"}));
  EXPECT_EQ(run.lines[run.lines.size() - 2], "LangControl.Language=English");
  // Every line but the last is <name>.<property>=<value> with a known property, Booleans as
  // True or False; the file dialog has none of them and is not listed.
  for (size_t i = 0; i + 1 < run.lines.size(); ++i) {
    const std::string& line = run.lines[i];
    const size_t dot = line.find('.');
    const size_t equals = line.find('=');
    ASSERT_TRUE(dot != std::string::npos && equals != std::string::npos && dot < equals) << line;
    const std::string property = line.substr(dot + 1, equals - dot - 1);
    const std::string value = line.substr(equals + 1);
    EXPECT_TRUE(property == "Caption" || property == "Text" || property == "Enabled" ||
                property == "Visible" || property == "TabVisible" || property == "Language" ||
                property == "ActivePage")
        << line;
    if (property == "Enabled" || property == "Visible" || property == "TabVisible") {
      EXPECT_TRUE(value == "True" || value == "False") << line;
    }
    EXPECT_NE(line.rfind("OD.", 0), 0u) << line;
  }
}

// A translator's preview: the PO files of the folder WENDRIX_TRANSLATIONS names go on top of the
// translations built in; a problem with one is told on standard error and the rest is taken.
TEST_F(E2eScriptTest, APreviewTakesThePoFilesOfItsFolderOnTopOfTheBuiltInOnes) {
  const std::string folder = Root() + "/preview";
  WriteBytes(folder + "/de.po",
             "msgid \"\"\nmsgstr \"Language: de\\n\"\n\n"
             "msgctxt \"btCancel.Caption\"\nmsgid \"Cancel\"\nmsgstr \"Abbrechen\"\n\n"
             "msgctxt \"btFoo.Caption\"\nmsgid \"Foo\"\nmsgstr \"Truc\"\n");
  SetEnv("WENDRIX_TRANSLATIONS", UnderWine() ? WinPath(folder) : folder);
  const Outcome run = RunSetup({"lang German", "dump"});
  EXPECT_EQ(Dumped(run, "btCancel.Caption"), Lines({"Abbrechen"}));
  EXPECT_NE(run.errors.find("de.po:8: unknown context 'btFoo.Caption'"), std::string::npos)
      << run.errors;
}

// The messages of the program's code speak the language the dialog shows, from the user's locale
// on, and switch with it, their boxes' captions too.
TEST_F(E2eScriptTest, MessagesSpeakTheDialogsLanguageAndSwitchWithIt) {
  const char* const german =
      "box Warnung | Das Setup konnte den Webserver nicht konfigurieren. Bitte richten Sie ihn "
      "nach der Anleitung von Hand ein.";
  const struct {
    const char* locale;
    const char* first;  // the script's first action
    const char* warning;
  } cases[] = {
      {"de_DE.UTF-8", "dump", german},
      {"de_DE.UTF-8", "lang Spanish",
       "box Advertencia | El programa de instalación no pudo configurar el servidor web. Siga las "
       "instrucciones de configuración manual."},
      {"C", "lang German", german},
      {"de_DE.UTF-8", "lang English",
       "box Warning | The setup was unable to configure the Web Server. Please follow manual "
       "configuration setup."},
  };
  for (const auto& c : cases) {
    SetEnv("LC_ALL", c.locale);
    const Outcome run = RunSetup({c.first, "click btOk", "answer OK"});
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), c.warning), run.lines.end())
        << c.locale << " " << c.first << ": " << ::testing::PrintToString(run.lines);
  }
}

}  // namespace
}  // namespace wdx::e2e
