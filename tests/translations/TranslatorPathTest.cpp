// The program that the translator's path built from a copy of the source with setup/po/fr.po
// added (tests/translations/translate-copy.sh, run first by ctest): in a French locale it starts
// in French, and the language switches to German and back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/terminal/TerminalHarness.h"

namespace wdx::terminal_test {
namespace {

// The French user's locale: French texts, a UTF-8 terminal whether or not the machine has
// fr_FR.UTF-8.
const std::vector<std::string> kFrenchUser = {"LC_ALL=", "LC_MESSAGES=", "LC_CTYPE=C.UTF-8",
                                              "LANG=fr_FR.UTF-8"};

// The values that the scripted front-end's dumps give `property`, in order.
std::vector<std::string> Dumped(const std::string& output, const std::string& property) {
  std::vector<std::string> values;
  const std::string key = "\n" + property + "=";
  for (size_t at = output.find(key); at != std::string::npos; at = output.find(key, at + 1)) {
    const size_t start = at + key.size();
    values.push_back(output.substr(start, output.find('\n', start) - start));
  }
  return values;
}

TEST(TranslatorPath, TheScriptedDumpShowsFrenchAndTheLanguageSwitchesBothWays) {
  const fs::path noIis = fs::temp_directory_path() / ("wdx-no-iis-" + std::to_string(::getpid()));
  WriteFile(noIis, "");
  std::string environment = "WENDRIX_METABASE=" + Quoted(noIis.string()) + " ";
  for (const std::string& variable : kFrenchUser) environment += Quoted(variable) + " ";
  const std::string output =
      "\n" +
      Shell("printf 'dump\\nlang German\\ndump\\nlang French\\ndump\\n' | env " + environment +
            "WENDRIX_COMPUTERNAME=WEBHOST WENDRIX_UI=script:- " + Quoted(WDX_PROGRAM) + " 0");
  fs::remove(noIis);
  EXPECT_EQ(Dumped(output, "btOk.Caption"),
            (std::vector<std::string>{"Enregistrer", "Save", "Enregistrer"}))
      << output;
  EXPECT_EQ(Dumped(output, "frmWendrixSetup.Caption"),
            (std::vector<std::string>{"... finalisation de l'installation",
                                      "Korvane Wendrix Configuration",
                                      "... finalisation de l'installation"}));
  EXPECT_EQ(Dumped(output, "LangControl.Language"),
            (std::vector<std::string>{"French", "German", "French"}));
}

// The terminal dialog of the French program.
class TranslatedDialog : public TerminalDialog {};

TEST_F(TranslatedDialog, AFrenchUserSeesItInFrench) {
  WithIis(false);
  env_.insert(env_.end(), kFrenchUser.begin(), kFrenchUser.end());
  Start();
  const std::string screen = WaitFor("[ Enregistrer ]");
  for (const char* text : {"... finalisation de l'installation", "Paramètres de messagerie",
                           "Serveur SMTP :", "[ Annuler ]"}) {
    EXPECT_NE(screen.find(text), std::string::npos) << text << "\n" << screen;
  }
}

}  // namespace
}  // namespace wdx::terminal_test
