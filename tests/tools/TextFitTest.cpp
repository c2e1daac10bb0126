// Whether translated texts fit their controls: the captions that the Windows caption check of the
// GUI test makes too long (tests/win32gui/CaptionFitTest.cmake) are found here too, without
// Windows, each by the problem that check names; texts that fit are not named.
#include "translations/TextFit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "LangControl/Source/LangControl.h"
#include "tests/tools/ToolTestSupport.h"
#include "translations/FormTranslations.h"

namespace wdx {
namespace {

using tooltest::ShippedStream;

TEST(TextFit, FindsEveryCaptionTheWindowsCheckFindsAndNoOther) {
  const std::string long_ = "Korvane Wendrix configuration of the domain name, the server name";
  const struct {
    const char* context;
    std::string text;
    const char* problem;  // part of what is said; "" when the text fits
  } cases[] = {
      {"Label2.Caption", "http://MyServer.example.com:", "runs onto a neighbour on Windows"},
      {"Label7.Caption", long_ + ", the mail server and the sender of every mail",
       "lines on Windows"},
      {"btOk.Caption", "Save the configuration", "inside the button's border on Windows"},
      {"GroupBox2.Caption", long_ + ", the mail server", "inside the group box's frame"},
      {"TabSheet1.Caption", long_ + ", the mail server", "for the tabs on Windows"},
      {"Owner.Caption", long_ + " and its port - finalizing setup", "in the title bar"},
      {"btCancel.Caption", "Zberegty nalashtuvannya", "cells in the terminal, has 15"},
      {"GroupBox3.Caption", " Mail-Einstellungen ", ""},
      {"Label1.Caption", "SMTP-Server:", ""},
  };
  std::string po = ExportFormTranslations(ShippedStream(), "German");
  for (const auto& c : cases) {
    const std::string message = "msgctxt \"" + std::string(c.context) + "\"\n";
    const size_t at = po.find(message);
    ASSERT_NE(at, std::string::npos) << c.context;
    const size_t msgstr = po.find("msgstr \"", at);
    po.replace(msgstr, po.find('\n', msgstr) - msgstr, "msgstr \"" + c.text + "\"");
  }
  StartupLanguageLibrary();
  std::map<std::string, std::string> found;
  for (const TTextMisfit& misfit :
       CheckTextFit(ImportFormTranslations(ShippedStream(), po, "de.po"))) {
    EXPECT_EQ(misfit.Language, "German") << misfit.Place;
    found[misfit.Place] = misfit.Problem;
  }
  ShutdownLanguageLibrary();
  for (const auto& c : cases) {
    if (*c.problem == '\0') {
      EXPECT_EQ(found.count(c.context), 0u) << c.context << ": " << found[c.context];
    } else {
      EXPECT_NE(found[c.context].find(c.problem), std::string::npos)
          << c.context << ": " << found[c.context];
    }
  }
}

}  // namespace
}  // namespace wdx
