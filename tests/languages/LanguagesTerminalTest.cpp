// The test program built with languages/po in the terminal: a user of each of its languages sees
// the dialog in that language in a UTF-8 terminal, every text whole, the Japanese in two cells a
// character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/terminal/TerminalHarness.h"

namespace wdx::terminal_test {
namespace {

struct TUser {
  const char* Locale;
  std::vector<std::string> Texts;  // the first once the dialog is up
};

class LanguageDialog : public TerminalDialog, public ::testing::WithParamInterface<TUser> {};

TEST_P(LanguageDialog, TheUserSeesTheDialogInTheirLanguage) {
  env_ = {"LC_ALL=", "LC_MESSAGES=", "LC_CTYPE=C.UTF-8", std::string("LANG=") + GetParam().Locale};
  WithIis(false);
  Start();
  const std::string screen = WaitFor(GetParam().Texts.front());
  for (const std::string& text : GetParam().Texts) {
    EXPECT_NE(screen.find(text), std::string::npos) << text << "\n" << screen;
  }
}

INSTANTIATE_TEST_SUITE_P(FourScripts, LanguageDialog,
                         ::testing::Values(TUser{"ru_RU.UTF-8",
                                                 {"[ Сохранить ]", "... завершение установки",
                                                  "Имя домена / сервера [:порт]", "Эл. почта:"}},
                                           TUser{"pl_PL.UTF-8",
                                                 {"[ Zapisz ]", "... kończenie instalacji",
                                                  "Ustawienia poczty", "Serwer SMTP:"}},
                                           TUser{"el_GR.UTF-8",
                                                 {"[ Φύλαξη ]", "... ολοκλήρωση εγκατάστασης",
                                                  "Λογότυπο εταιρείας", "Διαδρομή:"}},
                                           TUser{"ja_JP.UTF-8",
                                                 {"[ 保存 ]", "... セットアップの完了",
                                                  "ドメイン名 / サーバー名 [:ポート]", "メール:"}},
                                           TUser{"ar_EG.UTF-8", {"[ حفظ ]", "خادم SMTP:"}},
                                           TUser{"he_IL.UTF-8", {"[ שמירה ]", "שרת SMTP:"}}),
                         [](const ::testing::TestParamInfo<TUser>& user) {
                           return std::string(user.param.Locale, 2);
                         });

// An Arabic user's dialog is mirrored: Save stands left of Cancel, the labels at the right of
// their edits, the key help at the right.
TEST_F(TerminalDialog, ARightToLeftDialogIsMirrored) {
  env_ = {"LC_ALL=", "LC_MESSAGES=", "LC_CTYPE=C.UTF-8", "LANG=ar_EG.UTF-8"};
  WithIis(false);
  Start();
  const std::string screen = WaitFor("[ حفظ ]");
  const auto column = [&](const std::string& text) {
    const std::string line = LineWith(screen, text);
    return line.find(text);
  };
  EXPECT_LT(column("[ حفظ ]"), column("[ إلغاء ]")) << screen;
  const std::string smtp = LineWith(screen, "خادم SMTP:");
  EXPECT_GT(smtp.find("خادم SMTP:"), smtp.find("mail.")) << screen;
}

// A French user, with a French file that translates every message: the dialog, its key help, the
// question Save asks, the box's buttons and its key help show no English word.
TEST_F(TerminalDialog, AFrenchUserReadsNoEnglishWordFromTheDialogToItsBox) {
  env_ = {"LC_ALL=", "LC_MESSAGES=", "LC_CTYPE=C.UTF-8", "LANG=fr_FR.UTF-8"};
  WithIis(false);
  WithApache();
  Start();
  const auto noEnglish = [](const std::string& screen) {
    for (const char* word :
         {"Save", "Cancel", "Setup", "Shift", "next", "previous", "Enter", "Space", "Esc:", "Yes",
          "No/", "choose", "Mail", "Domain", "Browse", "Confirm ", "under"}) {
      EXPECT_EQ(screen.find(word), std::string::npos) << word << "\n" << screen;
    }
  };
  noEnglish(WaitFor("Tab/Maj+Tab : suivant/précédent  Ctrl+PgSuiv/PgPréc : onglets"));
  KeysThen({"Enter"}, "Installer Korvane Wendrix sous le serveur web Apache ?");
  noEnglish(WaitFor("Gauche/Droite : choisir  Entrée/Espace : Oui  O/N: Oui/Non"));
}

}  // namespace
}  // namespace wdx::terminal_test
