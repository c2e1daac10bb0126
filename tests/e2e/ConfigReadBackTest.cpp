// application.cfg read back the way the web application's CGI programs read it: Perl evaluates
// the file, and every value must come back exactly as it was typed, or be refused before Save
// writes anything.
#include "tests/e2e/E2eHarness.h"

namespace wdx::e2e {
namespace {

const std::string kPerlConfig =
    "%settings = (\r\n          'your_logo'=>'x',\r\n          'email_settings_smtp'=>'x',\r\n"
    "          'email_settings_from'=>'x',\r\n          'http_root'=>'x',\r\n"
    "          'real_root'=>'x',\r\n);\r\n1;\r\n";

class E2eConfigReadBackTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    if (RunShell("command -v perl", Root()).exitCode != 0)
      GTEST_SKIP() << "perl is missing (scripts/install-deps.sh installs it)";
    WriteBytes(ConfigPath(), kPerlConfig);
  }
  // Every setting as Perl reads it, "<name>=<value>" in the order of the names.
  Lines PerlReads() const {
    const Outcome perl = RunShell(
        "perl -e 'our %settings; do $ARGV[0] or die($@ || $!); print \"$_=$settings{$_}\\n\" "
        "for sort keys %settings' './Wendrix App/www/wendrix/cgi-bin/application.cfg'",
        Root());
    EXPECT_EQ(perl.exitCode, 0) << "Perl cannot read application.cfg";
    return perl.lines;
  }
};

TEST_F(E2eConfigReadBackTest, EveryValueReadsBackAsTyped) {
  const Lines values = {"C:\\Korvane\\logo.gif",
                        "a\\b",
                        "$HOME @ARGV %ENV",
                        "\"q\" #{x} ;=>, ~`",
                        "Gr\xfc\xdf"
                        "e \x80 \xe9t\xe9",
                        "",
                        "\\x",
                        "e\\"
                        "mail"};
  for (size_t i = 0; i + 4 <= values.size(); i += 4) {
    SCOPED_TRACE(i);
    const Outcome run = RunSetup({"set edLogo " + values[i], "set edSMTPServer " + values[i + 1],
                                  "set edEmailFrom " + values[i + 2],
                                  "set edDomainName " + values[i + 3], "click btOk", "answer OK"});
    EXPECT_EQ(run.lines, Lines({kUnableWarning, "closed"}));
    EXPECT_EQ(
        PerlReads(),
        Lines({"email_settings_from=" + values[i + 2], "email_settings_smtp=" + values[i + 1],
               "http_root=http://" + values[i + 3],
               "real_root=" + InstallDir() + "\\www\\wendrix\\cgi-bin", "your_logo=" + values[i]}));
  }
}

TEST_F(E2eConfigReadBackTest, ABackslashAtTheEndOrTwoInARowAreRefusedAndNothingIsWritten) {
  const std::string refused =
      "\" ends in a backslash or contains two backslashes in a row, which application.cfg cannot "
      "hold: the web application would not read the value as typed. Please change it and save "
      "again.";
  const Outcome run = RunSetup(
      {"set edSMTPServer mail\\", "click btOk", "answer OK", "set edSMTPServer mail\\\\x",
       "click btOk", "answer OK", "set edSMTPServer mail", "set edLogo C:\\dir\\", "click btOk",
       "answer OK", "set edLogo logo", "set edDomainName \\\\host", "click btOk", "answer OK"});
  EXPECT_EQ(run.lines,
            Lines({Box("Warning", "The field \"SMTP Server" + refused),
                   Box("Warning", "The field \"SMTP Server" + refused),
                   Box("Warning", "The field \"HTTP Path" + refused),
                   Box("Warning", "The field \"Domain Name / Server Name [:Port]" + refused),
                   "script: ended with the dialog open"}));
  EXPECT_EQ(ReadBytes(ConfigPath()), kPerlConfig);
  EXPECT_EQ(FolderNames(Inst()).size(), 2u);  // the program and www: no shortcut either
  EXPECT_EQ(PerlReads(), Lines({"email_settings_from=x", "email_settings_smtp=x", "http_root=x",
                                "real_root=x", "your_logo=x"}));
}

}  // namespace
}  // namespace wdx::e2e
