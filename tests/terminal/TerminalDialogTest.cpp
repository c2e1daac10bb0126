// The terminal dialog as a person sees and operates it: its layout, moving through it, saving,
// the file dialog and the boxes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/terminal/TerminalHarness.h"

namespace wdx::terminal_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(TerminalDialog, FirstScreenShowsTheDialogWithItsDefaults) {
  WithIis(true);
  WithApache();
  Start();
  const std::string screen = WaitFor("wendrix@WEBHOST");
  for (const char* caption :
       {"... finalizing setup", "[ Korvane Wendrix ]", "Apache Web Server",
        "Korvane Wendrix Configuration", " Domain Name / Server Name [:Port] ", " Mail Settings ",
        " Your Company Logo ", "http://MyServer:", "SMTP Server:", "EMail Address:", "HTTP Path:",
        "/wendrix/images/normal/YourLogo.gif", "[ Cancel ]", "[ Save ]",
        "Used in the \"From\" field of every email", "To complete the Korvane Wendrix setup"}) {
    EXPECT_THAT(screen, HasSubstr(caption));
  }
  // Each default stands in its field, right of its label.
  EXPECT_THAT(LineWith(screen, "http://MyServer:"), HasSubstr("http://MyServer: WEBHOST"));
  EXPECT_THAT(LineWith(screen, "SMTP Server:"), HasSubstr("mail.WEBHOST"));
  EXPECT_THAT(LineWith(screen, "EMail Address:"), HasSubstr("wendrix@WEBHOST"));
  // The layout follows the design: the groups top to bottom, the note under them, the buttons
  // in one row at the bottom with Cancel left of Save, the title line above everything.
  const int title = RowOf(screen, "... finalizing setup");
  const int domain = RowOf(screen, "Domain Name / Server Name");
  const int mail = RowOf(screen, "Mail Settings");
  const int logo = RowOf(screen, "Your Company Logo");
  const int note = RowOf(screen, "To complete the Korvane Wendrix setup");
  const int buttons = RowOf(screen, "[ Save ]");
  EXPECT_LT(title, domain);
  EXPECT_LT(domain, mail);
  EXPECT_LT(mail, logo);
  EXPECT_LT(logo, note);
  EXPECT_LT(note, buttons);
  const std::string buttonRow = LineWith(screen, "[ Save ]");
  EXPECT_LT(buttonRow.find("[ Cancel ]"), buttonRow.find("[ Save ]"));
  // The note is word-wrapped inside the panel: its end is on a later line.
  EXPECT_GT(RowOf(screen, "Manager Menu | System | Configuration."), note);
  // Nothing is written before Save.
  EXPECT_EQ(ReadFile(cgiBin_ / "application.cfg"), kConfig);
  EXPECT_FALSE(fs::exists(install_ / "Korvane Wendrix V3.0.url"));
}

TEST_F(TerminalDialog, TabMovesThroughTheFieldsInTabOrderAndPagesAreSwitched) {
  WithIis(false);
  WithApache();
  Start();
  WaitFor("wendrix@WEBHOST");
  // Save has the focus first; Cancel is disabled, so Tab goes to the tab strip, then into the
  // page's fields.
  Keys({"Tab", "Tab"});
  Type("a");
  Keys({"Tab"});
  Type("b");
  Keys({"Tab"});
  Type("c");
  Keys({"Tab"});
  Type("d");
  // After the last field Tab wraps round to Save, the tab strip and the first field again.
  Keys({"Tab", "Tab", "Tab"});
  Type("e");
  // Shift+Tab goes back: tab strip, Save, the logo field.
  Keys({"BTab", "BTab", "BTab"});
  Type("f");
  std::string screen = WaitFor("YourLogo.gifdf");
  EXPECT_THAT(LineWith(screen, "http://MyServer:"), HasSubstr("WEBHOSTae "));
  EXPECT_THAT(LineWith(screen, "SMTP Server:"), HasSubstr("mail.WEBHOSTb "));
  EXPECT_THAT(LineWith(screen, "EMail Address:"), HasSubstr("wendrix@WEBHOSTc "));
  // Editing with a cursor: Home, Delete, Left and Backspace, inserting in the middle.
  Keys({"BTab", "BTab", "Home", "DC", "Right", "Right"});
  Type("X");
  Keys({"End", "Left", "BSpace"});
  screen = WaitFor("aiXl.WEBHOSb");
  // Right on the tab strip shows the Apache page; Tab then reaches its field and button.
  Keys({"BTab", "BTab", "Right"});
  screen = WaitFor("[ Apache Web Server ]");
  EXPECT_THAT(screen, HasSubstr(" Path to Apache configuration file (HTTPD.CONF)  "));
  EXPECT_THAT(screen, HasSubstr("Apache Configuration"));
  EXPECT_THAT(screen, HasSubstr("[ Browse... ]"));
  EXPECT_THAT(screen, Not(HasSubstr("Mail Settings")));
  EXPECT_THAT(screen, HasSubstr(Windows(apacheConf_ / "httpd.conf")));
  Keys({"Tab", "End"});
  Type("!");
  WaitFor(Windows(apacheConf_ / "httpd.conf") + "!");
  // Left goes back to the first page, which kept what was typed.
  Keys({"BTab", "Left"});
  screen = WaitFor("[ Korvane Wendrix ]");
  EXPECT_THAT(screen, HasSubstr("aiXl.WEBHOSb"));
}

TEST_F(TerminalDialog, SaveWithBothServersAnswersBothQuestionsAndWritesTheFiles) {
  WithIis(true);
  WithApache();
  Start();
  WaitFor("wendrix@WEBHOST");
  Keys({"Tab", "Tab", "End"});
  Type(":8080");
  WaitFor("WEBHOST:8080");
  // Enter in a field presses the default button, Save.
  std::string screen = KeysThen({"Enter"}, "Setup Korvane Wendrix under IIS");
  EXPECT_THAT(screen, HasSubstr("Confirm"));
  EXPECT_THAT(screen, HasSubstr("[ Yes ]  [ No ]"));
  // The dialog stays drawn behind the box.
  EXPECT_THAT(screen, HasSubstr("... finalizing setup"));
  // The shortcuts are written before the first question.
  EXPECT_TRUE(fs::exists(install_ / "Korvane Wendrix V3.0.url"));
  screen = KeysThen({"y"}, "Setup Korvane Wendrix under Apache Web Server?");
  Keys({"Enter"});  // Yes has the focus
  screen = WaitFor("exit code 0");

  EXPECT_EQ(ReadFile(install_ / "Korvane Wendrix V3.0.url"),
            "[DEFAULT]\r\nBASEURL=http://WEBHOST:8080/wendrix/cgi-bin/bastrel.exe?action=start\r\n"
            "[InternetShortcut]\r\nURL=http://WEBHOST:8080/wendrix/cgi-bin/"
            "bastrel.exe?action=start\r\n");
  EXPECT_EQ(ReadFile(install_ / "Getting Started (A step by step guide).url"),
            "[DEFAULT]\r\nBASEURL=http://WEBHOST:8080/wendrix/help/english/docs/"
            "step_by_step.html\r\n[InternetShortcut]\r\nURL=http://WEBHOST:8080/wendrix/help/"
            "english/docs/step_by_step.html\r\n");
  EXPECT_EQ(ReadFile(cgiBin_ / "application.cfg"),
            "%settings = (\r\n"
            "          'http_root'=>'http://WEBHOST:8080',\r\n"
            "          'real_root'=>'" +
                Windows(cgiBin_) +
                "',\r\n"
                "          'your_logo'=>'/wendrix/images/normal/YourLogo.gif',\r\n"
                "          'email_settings_smtp'=>'mail.WEBHOST',\r\n"
                "          'email_settings_from'=>'wendrix@WEBHOST',\r\n"
                "          'log_level'=>'warning',\r\n"
                ");\r\n");
  EXPECT_EQ(ReadFile(apacheConf_ / "httpd.conf.korvane"),
            "ServerRoot \"/srv/apache\"\r\nListen 80\r\n");
  const std::string path = install_.string();  // the system's Apache takes the Linux folder
  const std::string httpd = ReadFile(apacheConf_ / "httpd.conf");
  EXPECT_EQ(httpd.rfind("ServerRoot \"/srv/apache\"\r\nListen 80\r\n"
                        "######### Korvane Wendrix installation BEGIN #########\r\n"
                        "Alias /wendrix/ \"" +
                            path + "/www/wendrix/\"\r\n",
                        0),
            0u)
      << httpd;
  EXPECT_THAT(httpd, HasSubstr("<Directory \"" + path + "/www/wendrix/cgi-bin/\">\r\n"));
  EXPECT_THAT(httpd, HasSubstr("######### Korvane Wendrix installation END #########\r\n\r\n"));
  const std::string metabase = ReadFile(root_ / "metabase.ini");
  EXPECT_THAT(metabase, HasSubstr("[IIS://localhost/W3SVC/1/Root/wendrix]"));
  EXPECT_THAT(metabase, HasSubstr("Path=" + Windows(install_ / "www" / "wendrix")));
  EXPECT_THAT(metabase, HasSubstr("[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]"));
}

TEST_F(TerminalDialog, WithoutApacheItsTabIsHiddenAndSaveOnlyWarns) {
  WithIis(false);
  Start();
  std::string screen = WaitFor("wendrix@WEBHOST");
  EXPECT_THAT(screen, HasSubstr("[ Korvane Wendrix ]"));
  EXPECT_THAT(screen, Not(HasSubstr("Apache")));
  // The hidden page cannot be reached from the tab strip.
  Keys({"Tab", "Right", "Right"});
  Type("q");  // nothing to type into on the strip
  screen = Screen();
  EXPECT_THAT(screen, HasSubstr("Mail Settings"));
  EXPECT_THAT(screen, Not(HasSubstr("Path to Apache")));
  // Save asks no question: the warning comes at once, and OK ends the program.
  screen = KeysThen({"Enter"}, "The setup was unable to configure the Web Server.");
  EXPECT_THAT(screen, HasSubstr("Warning"));
  EXPECT_THAT(screen, HasSubstr("[ OK ]"));
  EXPECT_THAT(screen, Not(HasSubstr("Confirm")));
  KeysThen({"Enter"}, "exit code 0");
  EXPECT_THAT(ReadFile(cgiBin_ / "application.cfg"), HasSubstr("'http_root'=>'http://WEBHOST',"));
  EXPECT_FALSE(fs::exists(root_ / "apache"));
}

TEST_F(TerminalDialog, BrowseChoosesAFileAndCancelLeavesTheFieldAsItWas) {
  WithIis(false);
  WithApache();
  WriteFile(apacheConf_ / "magic", "");
  WriteFile(apacheConf_ / "httpd.conf.default", "");
  WriteFile(apacheConf_ / "other" / "HTTPD.CONF", "Listen 81\n");
  WriteFile(apacheConf_ / "other" / "notes.txt", "");
  Start();
  WaitFor("wendrix@WEBHOST");
  const std::string detected = Windows(apacheConf_ / "httpd.conf");
  Keys({"Tab", "Right"});
  WaitFor("[ Browse... ]");
  Keys({"Tab", "Tab"});
  // The design's initial folder does not exist here, so the dialog starts in the folder of the
  // current file; it lists sub-folders and only the files the filter lets through.
  std::string screen = KeysThen({"Enter"}, "Look in: ");
  EXPECT_THAT(screen, HasSubstr("Look in: " + Windows(apacheConf_)));
  EXPECT_THAT(screen, HasSubstr("other\\"));
  EXPECT_THAT(screen, HasSubstr(".."));
  EXPECT_THAT(screen, HasSubstr("Files of type: Apache Config File (httpd.conf)"));
  EXPECT_THAT(screen, Not(HasSubstr("magic")));
  EXPECT_THAT(screen, Not(HasSubstr("httpd.conf.default")));
  EXPECT_THAT(LineWith(screen, "File name:"), HasSubstr("httpd.conf"));
  // Escape cancels: the field keeps its text.
  screen = KeysThen({"Escape"}, "[ Browse... ]");
  screen = WaitForGone("Look in: ");
  EXPECT_THAT(screen, HasSubstr(detected));

  // Into the sub-folder with Enter; its file matches ignoring case; Enter chooses it.
  KeysThen({"Enter"}, "Look in: ");
  screen = KeysThen({"Home", "Down", "Enter"}, "Look in: " + Windows(apacheConf_ / "other"));
  EXPECT_THAT(screen, HasSubstr("HTTPD.CONF"));
  EXPECT_THAT(screen, Not(HasSubstr("notes.txt")));
  Keys({"Down", "Enter"});
  screen = WaitForGone("Look in: ");
  EXPECT_THAT(screen, HasSubstr(Windows(apacheConf_ / "other" / "HTTPD.CONF")));

  // Up with "..", and a typed path in the name field, relative to the folder shown.
  KeysThen({"Enter"}, "Look in: " + Windows(apacheConf_ / "other"));
  KeysThen({"Home", "Enter"}, "Look in: " + Windows(apacheConf_) + " ");
  Keys({"Tab", "End"});
  Tmux("send-keys -t dialog -N 12 BSpace");
  Type("other\\typed.conf");
  Keys({"Enter"});
  screen = WaitForGone("Look in: ");
  EXPECT_THAT(screen, HasSubstr(Windows(apacheConf_ / "other" / "typed.conf")));
}

TEST_F(TerminalDialog, ATooSmallTerminalSaysWhatItNeedsUntilItIsLargeEnough) {
  WithIis(false);
  Start(40, 10);
  std::string screen = WaitFor("at least 93 x 35 characters");
  EXPECT_THAT(screen, HasSubstr("This dialog needs a terminal of"));
  EXPECT_THAT(screen, HasSubstr("this one is 40 x 10"));
  Tmux("resize-window -t dialog -x 100 -y 40");
  screen = WaitFor("wendrix@WEBHOST");
  EXPECT_THAT(screen, HasSubstr("... finalizing setup"));
  EXPECT_THAT(screen, Not(HasSubstr("93 x 35")));
  Tmux("resize-window -t dialog -x 80 -y 24");
  WaitFor("this one is 80 x 24");
}

TEST_F(TerminalDialog, AnErrorReportLeavesTheDialogOpen) {
  WithIis(false);
  fs::remove(cgiBin_ / "application.cfg");
  Start();
  WaitFor("wendrix@WEBHOST");
  KeysThen({"Enter"}, "The setup was unable to configure the Web Server.");
  std::string screen = KeysThen({"Enter"}, "Cannot open file");
  EXPECT_THAT(screen, HasSubstr("Korvane Wendrix [ Configuration ]"));
  EXPECT_THAT(screen, HasSubstr("Cannot open file " + Windows(cgiBin_ / "application.cfg") + "."));
  EXPECT_THAT(screen, HasSubstr("(X)"));
  screen = KeysThen({"Enter"}, "wendrix@WEBHOST");
  screen = WaitForGone("Cannot open file");
  EXPECT_THAT(screen, HasSubstr("... finalizing setup"));
  // Cancel is disabled, so Escape does nothing; the program keeps running.
  KeysRead({"Escape"});
  EXPECT_THAT(Screen(), HasSubstr("... finalizing setup"));
  EXPECT_THAT(Screen(), Not(HasSubstr("exit code")));
  // Save again runs the sequence again.
  KeysThen({"Enter"}, "The setup was unable to configure the Web Server.");
}

TEST_F(TerminalDialog, BoxTextBreaksAtCarriageReturns) {
  // No IIS stand-in at all: the directory-service library is missing, which the activation
  // reports in a box of four lines separated by carriage returns alone.
  Start();
  // The box is drawn top down: its last line shows once the whole box is there.
  std::string screen = WaitFor("for details and download.");
  const int first = RowOf(screen, "Korvane Wendrix IIS installation aborted. Reason:");
  EXPECT_EQ(RowOf(screen, "Active Directory Services Interface is not installed"), first + 1);
  EXPECT_EQ(RowOf(screen, "Visit: "), first + 2);
  EXPECT_EQ(RowOf(screen, "for details and download."), first + 3);
  EXPECT_THAT(LineWith(screen, "[ OK ]"), Not(HasSubstr("[ Yes ]")));
  // O is the OK button's shortcut; the activation then goes on with the defaults.
  Keys({"o"});
  screen = WaitFor("wendrix@WEBHOST");
  EXPECT_THAT(screen, Not(HasSubstr("installation aborted")));
}

TEST_F(TerminalDialog, EscapeCancelsWhileCancelIsEnabled) {
  // The computer name cannot be read: the defaults are skipped and Cancel stays enabled.
  WithIis(false);
  env_.push_back("WENDRIX_COMPUTERNAME=A-NAME-LONGER-THAN-15");
  Start();
  std::string screen = WaitFor("Win32 Error.  Code: 111.");
  EXPECT_THAT(screen, HasSubstr("Korvane Wendrix [ Configuration ]"));
  Keys({"Enter"});
  screen = WaitForGone("Win32 Error");
  EXPECT_THAT(screen, HasSubstr("[ Cancel ]"));
  EXPECT_THAT(LineWith(screen, "http://MyServer:"), Not(HasSubstr("WEBHOST")));
  // Detection was skipped too, so the Apache page keeps its design's tab.
  WaitForHelp(
      "Tab/Shift+Tab: next/previous  Ctrl+PgDn/PgUp: pages  Enter/Space: Save  Esc: Cancel");
  KeysThen({"Escape"}, "exit code 0");
  EXPECT_FALSE(fs::exists(install_ / "Korvane Wendrix V3.0.url"));
  EXPECT_EQ(ReadFile(cgiBin_ / "application.cfg"), kConfig);
}

TEST(TerminalFrontEnd, WithoutATerminalTheProgramSaysSoAndExitsWith2) {
  int status = 0;
  const std::string output =
      Shell("env -u WENDRIX_UI " + Quoted(WDX_PROGRAM) + " 0 </dev/null 2>&1", &status);
  EXPECT_EQ(status, 2);
  EXPECT_THAT(output, HasSubstr("There is no terminal to show the dialog in"));
}

}  // namespace
}  // namespace wdx::terminal_test
