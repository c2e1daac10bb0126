// po-import of a PO file for a language the form lacks: the language is added in the next slot.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "framework/components/ObjectText.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "setup/ConfigUnit.h"
#include "tests/tools/ToolTestSupport.h"
#include "translations/FormCatalogues.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {
namespace {

using namespace tooltest;

// The shipped form's template as a French PO file: Language-Team and Language as given, three
// translations (one of them fuzzy), the rest untranslated.
std::string FrenchPo(const std::string& team = "French <traduc@traduc.org>",
                     const std::string& language = "fr") {
  std::string po = WriteFormTemplate(ShippedStream());
  po = Replaced(po, "Language-Team: \\n", "Language-Team: " + team + "\\n");
  po = Replaced(po, "Language: \\n", "Language: " + language + "\\n");
  po = Replaced(po, "msgid \"Save\"\nmsgstr \"\"", "msgid \"Save\"\nmsgstr \"Enregistrer\"");
  po = Replaced(po, "msgid \"Apache Web Server\"\nmsgstr \"\"",
                "msgid \"Apache Web Server\"\nmsgstr \"Serveur Web Apache (\xc3\xa9t\xc3\xa9)\"");
  po = Replaced(po, "#: btCancel.Caption\n", "#: btCancel.Caption\n#, fuzzy\n");
  po = Replaced(po, "msgid \"Cancel\"\nmsgstr \"\"", "msgid \"Cancel\"\nmsgstr \"Annuler\"");
  return po;
}

// One "Values" record of an 8-bit text: its size, the type code 256 and the characters.
std::string RecordHex(const std::string& ansi) {
  std::string hex;
  const uint32_t size = static_cast<uint32_t>(4 + ansi.size());
  for (int i = 0; i < 4; ++i) hex += Format("%02X", (size >> (8 * i)) & 0xFF);
  hex += "00010000";
  for (const unsigned char c : ansi) hex += Format("%02X", c);
  return hex;
}

// The shipped form's source as it must read after French was added with `slot3` as the texts
// of the new slot, in the order of the component entries: a fourth language, and in every
// entry a fourth slot whose record follows the others.
std::string ShippedSourceWithFrench(const std::vector<std::string>& slot3) {
  std::string text = Replaced(ShippedSource(), "        SubIndex = 2\n      end>",
                              "        SubIndex = 2\n      end\n      item\n        Name = "
                              "'French'\n        SubIndex = 3\n      end>");
  size_t at = 0;
  for (const std::string& ansi : slot3) {
    at = text.find("Count = 3", at);
    if (at == std::string::npos) break;
    text.replace(at, 9, "Count = 4");
    at = text.find('}', at);
    text.insert(at, RecordHex(ansi));
  }
  EXPECT_EQ(text.find("Count = 3"), std::string::npos) << "an entry was left out";
  return text;
}

class PoNewLanguage : public ::testing::Test {
 protected:
  void SetUp() override { StartupLanguageLibrary("English"); }
  void TearDown() override { ShutdownLanguageLibrary(); }

  // The form with `po` imported, through the command line.
  std::vector<uint8_t> Imported(const std::string& po) {
    WriteText(TempPath("form.bin"), AsString(ShippedStream()));
    WriteText(TempPath("fr.po"), po);
    const ToolResult run =
        FormTool({"po-import", TempPath("form.bin"), TempPath("fr.po"), "-o", TempPath("out.bin")});
    EXPECT_EQ(run.code, 0) << run.err;
    return AsBytes(ReadText(TempPath("out.bin")));
  }
  // The last line of `formtool languages` for `form`.
  static std::string LastLanguage(const std::vector<uint8_t>& form) {
    std::string list = ListFormLanguages(form);
    list.pop_back();
    return list.substr(list.rfind('\n') + 1);
  }
};

TEST_F(PoNewLanguage, AddsTheLanguageInTheNextSlotAndKeepsEveryOtherByte) {
  const std::vector<uint8_t> written = Imported(FrenchPo());
  // Every untranslated and fuzzy text starts as the source text: what the component shows.
  std::vector<std::string> slot3;
  for (const PoEntry& entry : ParsePoFile(WriteFormTemplate(ShippedStream()), "form.pot")) {
    if (!entry.IsHeader()) slot3.push_back(entry.msgid);  // all of them ASCII
  }
  slot3.at(1) = "Enregistrer";
  slot3.at(18) = "Serveur Web Apache (\xe9t\xe9)";
  EXPECT_EQ(AsString(written), AsString(ObjectTextToBinary(ShippedSourceWithFrench(slot3))));
  // The new form loads and writes back byte for byte.
  EXPECT_EQ(AsString(LoadAndWriteBack(written)), AsString(written));
  EXPECT_EQ(LastLanguage(written), "3 French: 2 translated messages, 17 untranslated messages.");
}

TEST_F(PoNewLanguage, ALanguageControlSwitchesTheLiveFormToItAndBackExactly) {
  const std::vector<uint8_t> written = Imported(FrenchPo());
  std::unique_ptr<TfrmWendrixSetup> form(CreateSetupDialog(&Application(), written));
  auto* control = static_cast<TLangControl*>(form->FindComponent("LangControl"));
  const auto write = [&form] {
    TMemoryStream out;
    TWriter writer(out);
    writer.WriteRootComponent(form.get());
    return out.Bytes();
  };
  EXPECT_EQ(write(), written);
  control->SetLanguage("French");
  EXPECT_EQ(control->Language(), "French");
  EXPECT_EQ(form->btOk->Caption(), "Enregistrer");
  EXPECT_EQ(form->tsApache->Caption(), "Serveur Web Apache (été)");
  EXPECT_EQ(form->btCancel->Caption(), "Cancel");  // fuzzy: the source text
  EXPECT_EQ(form->Caption(), "... finalizing setup");
  control->SetLanguage("Spanish");
  EXPECT_EQ(form->btOk->Caption(), "Save");
  control->SetLanguage("Francais");
  EXPECT_EQ(form->btOk->Caption(), "Enregistrer");
  control->SetLanguage("English");
  EXPECT_EQ(form->btOk->Caption(), "Save");
  EXPECT_EQ(form->tsApache->Caption(), "Apache Web Server");
  EXPECT_EQ(write(), written);
}

TEST_F(PoNewLanguage, TheCodeMappedLikeTheUserLocaleDecidesThenTheTeamName) {
  const struct {
    const char* team;
    const char* language;
    const char* target;  // the language that receives the texts
    int languages;       // how many the form has afterwards
  } cases[] = {
      {"French <traduc@traduc.org>", "", "French", 4},
      {"Francais", "", "French", 4},  // the native name
      {"Fran\xc3\xa7"
       "ais",
       "fr", "French", 4},  // not the table's spelling: the code decides
      {"Norsk", "", "Norwegian", 4},
      {"none", "fr_CA.UTF-8", "French", 4},
      {"", "pt-BR", "Portuguese (Brazil)", 4},  // a variant of its own
      {"", "nb_NO", "Norwegian", 4},
      {"", "iw", "Hebrew", 4},
      {"Deutsch", "fr", "French", 4},  // a file started from German's: the code decides
      {"Deutsch", "", "German", 3},    // the form has it: no language is added
      {"Espa\xc3\xb1ol", "", "Spanish", 3},
      {"Klingon", "de_AT", "German", 3},
      {"", "ES", "Spanish", 3},
  };
  for (const auto& c : cases) {
    // Hebrew's code page has no é: the one accented translation is left out.
    const std::vector<uint8_t> written =
        Imported(Replaced(FrenchPo(c.team, c.language), " (\xc3\xa9t\xc3\xa9)", ""));
    const std::string list = ListFormLanguages(written);
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), c.languages) << c.team << c.language;
    EXPECT_NE(ExportFormTranslations(written, c.target).find("msgstr \"Enregistrer\""),
              std::string::npos)
        << c.team << " / " << c.language;
  }
}

// Earlier builds wrote every slot in Windows-1252, whatever its language, and marked nothing: such
// a form reads as it did and is written back byte for byte. The same texts written anew go into
// the language's code page, marked, and what it cannot hold goes as UTF-16.
TEST_F(PoNewLanguage, AFormOfAnEarlierBuildReadsAndWritesAsItDid) {
  std::vector<std::string> slot3;
  for (const PoEntry& entry : ParsePoFile(WriteFormTemplate(ShippedStream()), "form.pot")) {
    if (!entry.IsHeader()) slot3.push_back(entry.msgid);
  }
  slot3.at(0) =
      "Schlie\xDF"
      "en";  // "Schließen" in Windows-1252, in the Russian slot
  const std::string source =
      Replaced(ShippedSourceWithFrench(slot3), "Name = 'French'", "Name = 'Russian'");
  const std::vector<uint8_t> earlier = ObjectTextToBinary(source);
  EXPECT_EQ(LoadAndWriteBack(earlier), earlier);
  EXPECT_NE(ExportFormTranslations(earlier, "Russian")
                .find("msgstr \"Schlie\xc3\x9f"
                      "en\""),
            std::string::npos);
  // A Russian text in the Russian slot of a form written anew: Windows-1251, and the mark.
  std::string po = WriteFormTemplate(ShippedStream());
  po = Replaced(po, "Language: \\n", "Language: ru\\n");
  po = Replaced(po, "msgid \"Cancel\"\nmsgstr \"\"", "msgid \"Cancel\"\nmsgstr \"Отмена\"");
  const std::string written = AsString(Imported(po));
  EXPECT_NE(written.find(std::string("\x00\x01\x00\x00\xCE\xF2\xEC\xE5\xED\xE0WCP1", 14)),
            std::string::npos);
}

// Regional variants are languages of their own, side by side, each in its code page (Traditional
// Chinese in Big5, Simplified in GBK); a language beyond the table and its variants is added by its
// ISO code under its English name, its texts in Unicode; every one shows its text after a switch.
TEST_F(PoNewLanguage, VariantsAndLanguagesBeyondTheTableStandSideBySide) {
  const struct {
    const char* code;
    const char* language;  // as the form then names it
    const char* save;
  } cases[] = {
      {"zh_TW", "Chinese (Traditional)", "儲存"},
      {"zh_CN", "Chinese (Simplified)", "保存"},
      {"pt_BR", "Portuguese (Brazil)", "Salvar"},
      {"pt", "Portuguese", "Guardar"},
      {"sr", "Serbian (Cyrillic)", "Сачувај"},
      {"sr@latin", "Serbian (Latin)", "Sačuvaj"},
      {"hi", "Hindi", "सहेजें"},
  };
  std::vector<PoText> files;
  for (const auto& c : cases) {
    std::string po = WriteFormTemplate(ShippedStream());
    po = Replaced(po, "Language: \\n", std::string("Language: ") + c.code + "\\n");
    po = Replaced(po, "msgid \"Save\"\nmsgstr \"\"",
                  std::string("msgid \"Save\"\nmsgstr \"") + c.save + "\"");
    files.push_back({std::string(c.code) + ".po", po});
  }
  const std::vector<uint8_t> written = ImportFormTranslations(ShippedStream(), files);
  // Big5's and GBK's bytes of the two words.
  EXPECT_NE(AsString(written).find("\xC0\x78\xA6\x73"), std::string::npos);
  EXPECT_NE(AsString(written).find("\xB1\xA3\xB4\xE6"), std::string::npos);
  std::unique_ptr<TfrmWendrixSetup> form(CreateSetupDialog(&Application(), written));
  auto* control = static_cast<TLangControl*>(form->FindComponent("LangControl"));
  for (const auto& c : cases) {
    control->SetLanguage(c.language);
    EXPECT_EQ(form->btOk->Caption(), c.save) << c.language;
  }
  // Read back afresh, the form takes its own name and language and gives the same bytes.
  form.reset();
  StartupLanguageLibrary("English");
  EXPECT_EQ(LoadAndWriteBack(written), written);
}

// A translation in any script is stored in its language's code page, or beyond it in UTF-16, and
// comes back exactly: on screen after a switch, in the exported PO file, and in the bytes of a
// second import.
TEST_F(PoNewLanguage, EveryScriptRoundTripsThroughTheStreamAndPoFiles) {
  const std::string ansi("\x00\x01\x00\x00", 4);
  const std::string wide("\x02\x01\x00\x00", 4);
  const struct {
    const char* code;
    const char* language;
    const char* save;
    std::string stored;  // with its type code
  } cases[] = {
      {"ru", "Russian", "Сохранить", ansi + "\xD1\xEE\xF5\xF0\xE0\xED\xE8\xF2\xFC"},
      {"pl", "Polish", "Zapisz zmiany ł", ansi + "Zapisz zmiany \xB3"},
      {"el", "Greek", "Αποθήκευση", ansi + "\xC1\xF0\xEF\xE8\xDE\xEA\xE5\xF5\xF3\xE7"},
      {"ja", "Japanese", "保存", ansi + "\x95\xDB\x91\xB6"},
      // Windows-1250 has no ș (comma below), Windows-1256 no Farsi ی.
      {"ro", "Romanian", "Salvează și închide",
       wide + std::string("S\0a\0l\0v\0e\0a\0z\0\x03\x01 \0\x19\x02i\0 \0\xEE\0n\0c\0h\0i\0d\0e\0",
                          38)},
      {"fa", "Farsi", "ذخیره", wide + std::string("\x30\x06\x2E\x06\xCC\x06\x31\x06\x47\x06", 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    std::string po = WriteFormTemplate(ShippedStream());
    po = Replaced(po, "Language: \\n", std::string("Language: ") + c.code + "\\n");
    po = Replaced(po, "msgid \"Save\"\nmsgstr \"\"",
                  std::string("msgid \"Save\"\nmsgstr \"") + c.save + "\"");
    const std::vector<uint8_t> written = Imported(po);
    EXPECT_NE(AsString(written).find(c.stored), std::string::npos);
    std::unique_ptr<TfrmWendrixSetup> form(CreateSetupDialog(&Application(), written));
    static_cast<TLangControl*>(form->FindComponent("LangControl"))->SetLanguage(c.language);
    EXPECT_EQ(form->btOk->Caption(), c.save);
    const std::string exported = ExportFormTranslations(written, c.language);
    EXPECT_NE(exported.find(std::string("msgstr \"") + c.save + "\""), std::string::npos);
    EXPECT_EQ(Imported(exported), written);
  }
}

}  // namespace
}  // namespace wdx
