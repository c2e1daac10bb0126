// What a person types into the terminal dialog: characters in any locale, the editing and page
// keys whatever the terminal sends for them, the key help, and a terminal too small to show it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/terminal/TerminalHarness.h"

namespace wdx::terminal_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The last colour or attribute sequence before `text` on its line of a screen captured with its
// attributes.
std::string AttributesBefore(const std::string& screen, const std::string& text) {
  const std::string line = LineWith(screen, text);
  const size_t at = line.find(text);
  const size_t start = line.rfind("\033[", at);
  if (at == std::string::npos || start == std::string::npos) return {};
  return line.substr(start, line.find('m', start) + 1 - start);
}

TEST_F(TerminalDialog, TypingInALocaleThatIsNotUtf8NeverStallsTheDialog) {
  WithIis(false);
  // The plain C locale, and a UTF-8 locale the machine does not have, which is the same to the
  // program. The terminal sends UTF-8; a letter the locale cannot decode shows as one "?".
  for (const char* locale : {"C", "xx_XX.UTF-8"}) {
    SCOPED_TRACE(locale);
    env_ = {"WENDRIX_METABASE=" + (root_ / "metabase.ini").string()};
    WithLocale(locale);
    Start();
    WaitFor("wendrix@WEBHOST");
    Keys({"Tab", "Tab"});
    Type("\xC3\xA9x");  // é, then a letter
    Keys({"Tab"});
    Type("y");
    const std::string screen = WaitFor("mail.WEBHOSTy");
    EXPECT_THAT(LineWith(screen, "http://MyServer:"), HasSubstr("WEBHOST?x "));
    // Enter still reaches the dialog: Save runs.
    KeysThen({"Enter"}, "The setup was unable to configure the Web Server.");
  }
}

TEST_F(TerminalDialog, AUtf8LocaleTypesAnyCharacterAndSavesItInUtf8) {
  WithIis(false);
  WithLocale("C.UTF-8");
  Start();
  WaitFor("wendrix@WEBHOST");
  Keys({"Tab", "Tab", "Tab"});
  Type("éЖ€保");  // Latin, Cyrillic, a sign and a wide character
  WaitFor("mail.WEBHOSTéЖ€保");
  KeysThen({"Enter"}, "The setup was unable to configure the Web Server.");
  KeysThen({"Enter"}, "exit code 0");
  // application.cfg is in the locale's encoding.
  EXPECT_THAT(ReadFile(cgiBin_ / "application.cfg"),
              HasSubstr("'email_settings_smtp'=>'mail.WEBHOSTéЖ€保',"));
}

TEST_F(TerminalDialog, EditingKeysWorkWhateverTheTerminalSendsForThem) {
  WithIis(false);
  // The description of xterm says End is "ESC O F"; this terminal sends "ESC [ 4 ~".
  env_.push_back("TERM=xterm-256color");
  Start();
  WaitFor("wendrix@WEBHOST");
  Keys({"Tab", "Tab", "Home", "End"});
  Type("Q");
  // A sequence no key is known for is dropped whole.
  Type("\033[99;9~");
  Type("Z");
  const std::string screen = WaitFor("WEBHOSTQZ");
  EXPECT_THAT(screen, Not(HasSubstr("[4~")));
  EXPECT_THAT(screen, Not(HasSubstr("99;9")));
}

TEST_F(TerminalDialog, AFieldScrolledPastItsWidthShowsItsTextAgainWhenCutBack) {
  WithIis(false);
  Start();
  WaitFor("wendrix@WEBHOST");
  Keys({"Tab", "Tab"});
  Type(std::string(80, 'x'));
  std::string screen = WaitFor(std::string(50, 'x'));
  EXPECT_THAT(LineWith(screen, "http://MyServer:"), Not(HasSubstr("WEBHOST")));
  Tmux("send-keys -t dialog -N 80 BSpace");
  screen = WaitFor("http://MyServer: WEBHOST ");
  // The cursor stands right after the text.
  const std::string line = LineWith(screen, "http://MyServer: WEBHOST");
  const std::pair<int, int> after(static_cast<int>(line.find("WEBHOST") + 7),
                                  RowOf(screen, "http://MyServer: WEBHOST"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (Cursor() != after && std::chrono::steady_clock::now() < deadline) {
  }
  EXPECT_EQ(Cursor(), after);
}

TEST_F(TerminalDialog, TheKeyHelpSaysWhatTheKeysDoNow) {
  WithIis(false);
  WithApache();
  Start();
  WaitFor("wendrix@WEBHOST");
  // Save has the focus. Cancel is disabled, so Escape does nothing and the help does not offer
  // it.
  WaitForHelp("Tab/Shift+Tab: next/previous  Ctrl+PgDn/PgUp: pages  Enter/Space: Save");
  // On the tab strip; in a field; on Browse... of the other page.
  Keys({"Tab"});
  WaitForHelp("Tab/Shift+Tab: next/previous  Left/Right: pages  Enter: Save");
  Keys({"Tab"});
  WaitForHelp("Tab/Shift+Tab: next/previous  Ctrl+PgDn/PgUp: pages  Enter: Save");
  Keys({"C-NPage", "Tab"});
  WaitForHelp("Tab/Shift+Tab: next/previous  Ctrl+PgDn/PgUp: pages  Enter/Space: Browse...");
}

TEST_F(TerminalDialog, WhileABoxIsOpenTheKeyHelpGivesTheBoxsKeys) {
  WithIis(false);
  WithApache();
  Start();
  WaitFor("wendrix@WEBHOST");
  KeysThen({"Enter"}, "Setup Korvane Wendrix under Apache Web Server?");
  const std::string screen = WaitFor("Left/Right: choose  Enter/Space: Yes  Y/N: Yes/No");
  EXPECT_THAT(screen, Not(HasSubstr("Tab/Shift+Tab")));
  KeysThen({"Right"}, "Left/Right: choose  Enter/Space: No  Y/N: Yes/No");
}

TEST_F(TerminalDialog, CtrlTabAndCtrlPageDownSwitchPagesFromAnyControl) {
  WithIis(false);
  WithApache();
  Start();
  WaitFor("wendrix@WEBHOST");
  const std::string conf = Windows(apacheConf_ / "httpd.conf");
  // From a field the focus follows onto the new page, to its first control.
  Keys({"Tab", "Tab"});
  KeysThen({"C-Tab"}, "[ Apache Web Server ]");
  Type("!");
  WaitFor(conf + "!");
  KeysThen({"C-S-Tab"}, "[ Korvane Wendrix ]");
  Type("a");
  WaitFor("WEBHOSTa");
  KeysThen({"C-NPage"}, "[ Apache Web Server ]");
  KeysThen({"C-PPage"}, "[ Korvane Wendrix ]");
  // Ctrl+Tab goes round from the last page to the first.
  KeysThen({"C-Tab"}, "[ Apache Web Server ]");
  KeysThen({"C-Tab"}, "[ Korvane Wendrix ]");
  // From a button too the focus goes to the new page's first field, where Enter presses Save.
  Keys({"BTab", "BTab"});
  WaitForHelp("Tab/Shift+Tab: next/previous  Ctrl+PgDn/PgUp: pages  Enter/Space: Save");
  KeysThen({"C-NPage"}, "[ Apache Web Server ]");
  KeysThen({"Enter"}, "Setup Korvane Wendrix under Apache Web Server?");
}

TEST_F(TerminalDialog, TheFocusedFieldStandsOutFromTheOthers) {
  WithIis(false);
  Start();
  WaitFor("wendrix@WEBHOST");
  Keys({"Tab", "Tab"});
  WaitFor("Enter: Save");
  std::string screen = ScreenWithAttributes();
  const std::string focused = AttributesBefore(screen, "WEBHOST ");
  const std::string other = AttributesBefore(screen, "mail.WEBHOST");
  EXPECT_FALSE(focused.empty());
  EXPECT_NE(focused, other);
  // The next field takes the look over.
  Keys({"Tab"});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  do {
    screen = ScreenWithAttributes();
  } while (AttributesBefore(screen, "mail.WEBHOST") != focused &&
           std::chrono::steady_clock::now() < deadline);
  EXPECT_EQ(AttributesBefore(screen, "mail.WEBHOST"), focused);
  EXPECT_EQ(AttributesBefore(screen, "WEBHOST "), other);
}

TEST_F(TerminalDialog, ATooSmallTerminalSaysHowToLeaveAndEscapeLeaves) {
  WithIis(false);
  Start(40, 10);
  const std::string screen = WaitFor("Esc leaves the setup without saving.");
  EXPECT_THAT(screen, HasSubstr("at least 93 x 35 characters"));
  KeysThen({"Escape"}, "exit code 0");
  EXPECT_EQ(ReadFile(cgiBin_ / "application.cfg"), kConfig);
  EXPECT_FALSE(fs::exists(install_ / "Korvane Wendrix V3.0.url"));
}

}  // namespace
}  // namespace wdx::terminal_test
