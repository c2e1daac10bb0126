// The template of a form's texts and the statistics of its languages, with gettext's own tools
// on what formtool writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "tests/tools/ToolTestSupport.h"
#include "translations/FormCatalogues.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {
namespace {

using namespace tooltest;

class PoCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageLibrary("English");
    WriteText(TempPath("form.bin"), AsString(ShippedStream()));
  }
  void TearDown() override { ShutdownLanguageLibrary(); }

  static std::string Template(const std::string& form) {
    const ToolResult run = FormTool({"pot", form, "-o", TempPath("form.pot")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    return ReadText(TempPath("form.pot"));
  }
  static std::string Export(const std::string& form, const std::string& language) {
    const std::string po = TempPath(language + ".po");
    const ToolResult run = FormTool({"po-export", form, language, "-o", po});
    EXPECT_EQ(run.code, 0) << run.err;
    return ReadText(po);
  }
  static std::vector<uint8_t> Import(const std::string& form, const std::string& po) {
    const ToolResult run = FormTool({"po-import", form, po, "-o", TempPath("out.bin")});
    EXPECT_EQ(run.code, 0) << run.err;
    return AsBytes(ReadText(TempPath("out.bin")));
  }
  // msgmerge of the translator's `po` with the template, as the translator runs it.
  static std::string Merged(const std::string& po, const std::string& pot) {
    std::string output;
    EXPECT_EQ(
        Shell("msgmerge --quiet --previous -o " + TempPath("merged.po") + " " + po + " " + pot,
              &output),
        0)
        << output;
    return ReadText(TempPath("merged.po"));
  }
  // The msgstr of every message of a PO file, keyed by context, with its fuzzy flag.
  static std::vector<std::string> Translations(const std::string& po) {
    std::vector<std::string> found;
    for (const PoEntry& entry : ParsePoFile(po, "t.po")) {
      if (!entry.IsHeader()) {
        found.push_back(entry.context + "=" + entry.msgstr.at(0) + (entry.fuzzy ? " (fuzzy)" : ""));
      }
    }
    return found;
  }
};

TEST_F(PoCatalogue, TheTemplateHasEveryTextWithItsContextAReferenceAndNoTranslation) {
  const std::string pot = Template(TempPath("form.bin"));
  const std::vector<PoEntry> entries = ParsePoFile(pot, "form.pot");
  const std::vector<PoEntry> german = ParsePoFile(Export(TempPath("form.bin"), "German"), "de.po");
  ASSERT_EQ(entries.size(), 20u);
  ASSERT_EQ(german.size(), 20u);
  const auto header = ParsePoHeader(entries[0].msgstr.at(0));
  EXPECT_EQ(PoHeaderField(header, "Language"), "");
  EXPECT_EQ(PoHeaderField(header, "Language-Team"), "");
  EXPECT_EQ(PoHeaderField(header, "Content-Type"), "text/plain; charset=UTF-8");
  EXPECT_EQ(PoHeaderField(header, "X-Source-Language"), "English");
  for (size_t i = 1; i < entries.size(); ++i) {
    // The contexts and the source texts of the exported files.
    EXPECT_EQ(entries[i].context, german[i].context);
    EXPECT_EQ(entries[i].msgid, german[i].msgid);
    EXPECT_EQ(entries[i].msgstr, std::vector<std::string>{""});
    EXPECT_FALSE(entries[i].fuzzy);
    ASSERT_EQ(entries[i].references.size(), 1u);
    // The reference names the component (the form by its own name) and the property.
    const std::string& context = entries[i].context;
    EXPECT_EQ(entries[i].references[0],
              context.rfind("Owner.", 0) == 0 ? "frmWendrixSetup." + context.substr(6) : context);
  }
  EXPECT_NE(pot.find("#: frmWendrixSetup.Caption\nmsgctxt \"Owner.Caption\"\n"
                     "msgid \"... finalizing setup\"\nmsgstr \"\"\n"),
            std::string::npos);
  // Misuse.
  EXPECT_EQ(FormTool({"pot", TempPath("form.bin")}).code, 2);
  EXPECT_EQ(FormTool({"pot", TempPath("form.bin"), "-x", TempPath("x.pot")}).code, 2);
  const ToolResult missing = FormTool({"pot", TempPath("none.bin"), "-o", TempPath("x.pot")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "Cannot open file " + TempPath("none.bin") + "\n");
  EXPECT_FALSE(Exists(TempPath("x.pot")));
}

TEST_F(PoCatalogue, MsgfmtAcceptsTheTemplateAndCountsWhatLanguagesCounts) {
  if (!HaveGettextTools()) GTEST_SKIP() << "gettext's tools are not on the PATH";
  Template(TempPath("form.bin"));
  std::string output;
  EXPECT_EQ(Shell("msgfmt --check --statistics -o /dev/null " + TempPath("form.pot"), &output), 0);
  // A template leaves the language open; that is the only remark.
  EXPECT_EQ(output, TempPath("form.pot") +
                        ":2: warning: header field 'Language' still has the initial default "
                        "value\n0 translated messages, 19 untranslated messages.\n");

  // Each language's line of `formtool languages` ends the way msgfmt --statistics counts the
  // PO file that po-export writes for it.
  const ToolResult languages = FormTool({"languages", TempPath("form.bin")});
  ASSERT_EQ(languages.code, 0) << languages.err;
  EXPECT_EQ(languages.out,
            "0 English: source language, 19 messages.\n"
            "1 German: 4 translated messages, 15 untranslated messages.\n"
            "2 Spanish: 4 translated messages, 15 untranslated messages.\n");
  for (const std::string language : {"German", "Spanish"}) {
    Export(TempPath("form.bin"), language);
    EXPECT_EQ(
        Shell("msgfmt --check --statistics -o /dev/null " + TempPath(language + ".po"), &output),
        0);
    EXPECT_NE(languages.out.find(language + ": " + output), std::string::npos) << output;
  }
}

TEST_F(PoCatalogue, MsgmergeWithTheTemplateLosesNoTranslation) {
  if (!HaveGettextTools()) GTEST_SKIP() << "gettext's tools are not on the PATH";
  std::string po = Export(TempPath("form.bin"), "German");
  po = Replaced(po, "msgid \"Save\"\nmsgstr \"\"", "msgid \"Save\"\nmsgstr \"Speichern\"");
  po = Replaced(po, "msgid \"Cancel\"\nmsgstr \"\"", "msgid \"Cancel\"\nmsgstr \"Abbrechen\"");
  WriteText(TempPath("de.po"), po);
  const std::vector<uint8_t> translated = Import(TempPath("form.bin"), TempPath("de.po"));
  Template(TempPath("form.bin"));
  const std::string merged = Merged(TempPath("de.po"), TempPath("form.pot"));
  EXPECT_EQ(Translations(merged), Translations(po));
  WriteText(TempPath("merged.po"), merged);
  EXPECT_EQ(Import(TempPath("form.bin"), TempPath("merged.po")), translated);
}

TEST_F(PoCatalogue, AfterTheFormChangedMsgmergeKeepsTheOldTranslationAsFuzzy) {
  if (!HaveGettextTools()) GTEST_SKIP() << "gettext's tools are not on the PATH";
  // The translator's file, made for the form as shipped.
  std::string po = Export(TempPath("form.bin"), "German");
  po = Replaced(po, "msgid \"Apache Web Server\"\nmsgstr \"\"",
                "msgid \"Apache Web Server\"\nmsgstr \"Apache-Webserver\"");
  po = Replaced(po, "msgid \"Cancel\"\nmsgstr \"\"", "msgid \"Cancel\"\nmsgstr \"Abbrechen\"");
  WriteText(TempPath("de.po"), po);
  // The form changes one text.
  WriteText(TempPath("changed.bin"),
            AsString(ObjectTextToBinary(Replaced(ShippedSource(), "Caption = 'Apache Web Server'",
                                                 "Caption = 'Apache HTTP Server'"))));
  Template(TempPath("changed.bin"));
  std::string merged = Merged(TempPath("de.po"), TempPath("form.pot"));
  const std::string fuzzy =
      "#: tsApache.Caption\n#, fuzzy\n#| msgctxt \"tsApache.Caption\"\n"
      "#| msgid \"Apache Web Server\"\nmsgctxt \"tsApache.Caption\"\n"
      "msgid \"Apache HTTP Server\"\nmsgstr \"Apache-Webserver\"\n";
  EXPECT_NE(merged.find(fuzzy), std::string::npos) << merged;
  // Imported as it is, the fuzzy message leaves German's text as it was; the others arrive.
  WriteText(TempPath("merged.po"), merged);
  WriteText(TempPath("merged.bin"),
            AsString(Import(TempPath("changed.bin"), TempPath("merged.po"))));
  std::string again = Export(TempPath("merged.bin"), "German");
  EXPECT_NE(again.find("msgid \"Cancel\"\nmsgstr \"Abbrechen\"\n"), std::string::npos);
  EXPECT_NE(again.find("msgid \"Apache HTTP Server\"\nmsgstr \"Apache Web Server\"\n"),
            std::string::npos);
  // The translator reviews the message; now it arrives too.
  merged =
      Replaced(merged, fuzzy,
               "#: tsApache.Caption\nmsgctxt \"tsApache.Caption\"\nmsgid \"Apache HTTP Server\"\n"
               "msgstr \"Apache-HTTP-Server\"\n");
  WriteText(TempPath("merged.po"), merged);
  WriteText(TempPath("merged.bin"),
            AsString(Import(TempPath("changed.bin"), TempPath("merged.po"))));
  again = Export(TempPath("merged.bin"), "German");
  EXPECT_NE(again.find("msgid \"Apache HTTP Server\"\nmsgstr \"Apache-HTTP-Server\"\n"),
            std::string::npos);
  EXPECT_NE(again.find("msgid \"Cancel\"\nmsgstr \"Abbrechen\"\n"), std::string::npos);
}

TEST_F(PoCatalogue, MsginitStartsANewLanguageThatImportAdds) {
  if (!HaveGettextTools()) GTEST_SKIP() << "gettext's tools are not on the PATH";
  Template(TempPath("form.bin"));
  std::string output;
  ASSERT_EQ(Shell("msginit --no-translator -l fr_FR.UTF-8 -i " + TempPath("form.pot") + " -o " +
                      TempPath("fr.po"),
                  &output),
            0)
      << output;
  std::string po = ReadText(TempPath("fr.po"));
  po = Replaced(po, "msgid \"Save\"\nmsgstr \"\"", "msgid \"Save\"\nmsgstr \"Enregistrer\"");
  WriteText(TempPath("fr.po"), po);
  WriteText(TempPath("fr.bin"), AsString(Import(TempPath("form.bin"), TempPath("fr.po"))));
  const ToolResult languages = FormTool({"languages", TempPath("fr.bin")});
  EXPECT_EQ(languages.out.substr(languages.out.find("3 ")),
            "3 French: 1 translated message, 18 untranslated messages.\n");
  EXPECT_EQ(Shell("msgfmt --statistics -o /dev/null " + TempPath("fr.po"), &output), 0);
  EXPECT_EQ(output, "1 translated message, 18 untranslated messages.\n");
}

TEST_F(PoCatalogue, LanguagesNamesEachInEnglishAndShowsOneWithoutASlot) {
  // A language stored by its native name, and a SubIndex beyond the slots (a damaged form).
  const std::string source =
      Replaced(Replaced(ShippedSource(), "Name = 'German'", "Name = 'Deutsch'"), "SubIndex = 2",
               "SubIndex = 7");
  WriteText(TempPath("odd.bin"), AsString(ObjectTextToBinary(source)));
  const ToolResult run = FormTool({"languages", TempPath("odd.bin")});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "0 English: source language, 19 messages.\n"
            "1 German: 4 translated messages, 15 untranslated messages.\n"
            "7 Spanish: no texts.\n");
  const auto header = ParsePoHeader(
      ParsePoFile(Export(TempPath("odd.bin"), "Deutsch"), "de.po").at(0).msgstr.at(0));
  EXPECT_EQ(PoHeaderField(header, "Language-Team"), "German");
  EXPECT_EQ(PoHeaderField(header, "Language"), "de");

  EXPECT_EQ(FormTool({"languages"}).code, 2);
  EXPECT_EQ(FormTool({"languages", TempPath("odd.bin"), "x"}).code, 2);
  const ToolResult missing = FormTool({"languages", TempPath("none.bin")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.out, "");
}

}  // namespace
}  // namespace wdx
