// The example settings dialog, with every standard control, as a person at a terminal operates it:
// Space, the arrows, the drop-down list and typing ahead choose; a memo takes its lines; a form
// shown modally and boxes of two and three buttons answer; the language switches.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/terminal/TerminalHarness.h"

namespace wdx::terminal_test {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

class StandardControls : public TerminalDialog {
 protected:
  void SetUp() override {
    TerminalDialog::SetUp();
    command_ = Quoted(WDX_SETTINGS_PROGRAM);
  }
};

TEST_F(StandardControls, TheKeysCheckChooseAndEditAsOnEveryPlatform) {
  Start(100, 40);
  std::string screen = WaitFor("[ General ]");
  for (const char* shown : {"[x] Send notifications", "(*) Light theme", "( ) Dark theme",
                            "(*) Medium", "Blue", "Paris", "[ OK ]"}) {
    EXPECT_THAT(screen, HasSubstr(shown));
  }
  // The tab strip, the name, then the check box: Space unchecks it.
  KeysThen({"Tab", "Tab", "Space"}, "[ ] Send notifications");
  // The radio buttons are one stop; an arrow checks the next one.
  KeysThen({"Tab", "Down"}, "(*) Dark theme");
  EXPECT_THAT(WaitFor("( ) Light theme"), HasSubstr("Up/Down: choose"));
  KeysThen({"Tab", "Up"}, "(*) Small");
  // The drop-down list opens under its field; Up and Enter take Green; typing chooses Red.
  KeysThen({"Tab", "M-Down"}, "Green ");
  KeysThen({"Up", "Enter"}, "Colour:        Green");
  KeysThen({"r"}, "Colour:        Red");
  // The editable combo box takes what is typed, Down the next item.
  KeysThen({"Tab", "End"}, "Paris");
  Type("!");
  WaitFor("Paris!");
  // Typed, the text names no item: Down goes to the first.
  KeysThen({"Down"}, "City:          London");
  // On the other page the list box chooses by typing ahead; the memo takes lines, Enter too.
  KeysThen({"C-NPage", "t", "h"}, "[ More ]");
  screen = ScreenWithAttributes();
  // The chosen item stands out in reverse.
  EXPECT_THAT(LineWith(screen, "Thursday"), ContainsRegex("\\[([0-9]+;)*7m")) << screen;
  EXPECT_THAT(LineWith(screen, "Monday"), Not(ContainsRegex("\\[([0-9]+;)*7m")));
  Keys({"Tab", "End"});
  Type(" one");
  Keys({"Enter"});
  Type("Third");
  screen = WaitFor("Third");
  EXPECT_THAT(screen, HasSubstr("First line one"));
  EXPECT_THAT(screen, Not(HasSubstr("Save the settings?")));
}

TEST_F(StandardControls, AModalFormBoxesOfThreeButtonsAndTheLanguageAnswer) {
  Start(100, 40);
  WaitFor("[ General ]");
  // Escape presses Cancel, whose box has OK and Cancel; Escape answers Cancel.
  KeysThen({"Escape"}, "Discard the changes?");
  WaitFor("Left/Right: choose  Enter/Space: OK  O/C: OK/Cancel");
  KeysThen({"Escape"}, "[ General ]");
  WaitForGone("Discard the changes?");
  // The about box, shown modally with its own keys; OK closes it with its result. (Shift+Tab
  // goes round from the tab strip to the last of the buttons.)
  KeysThen({"BTab", "BTab", "BTab", "BTab", "Enter"}, "A settings dialog in two languages.");
  WaitForHelp("Tab/Shift+Tab: next/previous  Enter/Space: OK  Esc: Cancel");
  Keys({"Enter"});
  std::string screen = WaitForGone("A settings dialog in two languages.");
  EXPECT_THAT(LineWith(screen, "[ About... ]"), HasSubstr("Closed with OK"));
  // German, the lines of the lists too, the choice kept.
  KeysThen({"Tab", "Enter"}, "Einstellungen");
  screen = WaitFor("(*) Mittel");
  EXPECT_THAT(screen, HasSubstr("Farbe:         Blau"));
  EXPECT_THAT(LineWith(screen, "[ Info... ]"), HasSubstr("OK gew"));  // the code's text too
  KeysThen({"Tab", "Enter"}, "Einstellungen speichern?");
  // The box speaks German too: its buttons, their letters and the key help.
  WaitFor("J/N/A: Ja/Nein/Abbrechen");
  KeysThen({"j"}, "exit code 0");
}

}  // namespace
}  // namespace wdx::terminal_test
