#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/ObjectText.h"
#include "framework/controls/Application.h"
#include "framework/controls/StdCtrls.h"
#include "setup/ConfigUnit.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/formtool/FormTool.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {
namespace {

using namespace tooltest;

// The 1-based number of the first line of `text` that contains `needle`, or 0.
int LineOf(const std::string& text, const std::string& needle) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.find(needle) != std::string::npos) return number;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// The PO reader and writer

std::string ParseError(const std::string& text) {
  try {
    ParsePoFile(text, "t.po");
  } catch (const PoError& error) {
    return error.what();
  }
  return "no error";
}

TEST(PoFileRead, EntriesWithTheirLinesCommentsFlagsAndEscapes) {
  const std::string text =
      "# translator comment\n"
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Language: de\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\r\n"
      "#. extracted\n"
      "#, c-format, fuzzy\n"
      "#: file.c:12\n"
      "#:\tlib/a.c:3  lib/b.c\r\n"
      "msgctxt \"a.Caption\"\n"
      "msgid \"one\\ttab \\\"q\\\" \\\\ \\101\\x42\"\n"
      "msgstr \"\"\n"
      "  \"two \"   \n"
      "\"lines\\n\"\n"
      "#~ msgid \"obsolete\"\n"
      "msgid \"n\"\n"
      "msgid_plural \"ns\"\n"
      "msgstr[0] \"x\"\n"
      "msgstr[1] \"xs\"\n";
  const std::vector<PoEntry> entries = ParsePoFile(text, "t.po");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[0].IsHeader());
  EXPECT_EQ(entries[0].line, 2);
  const auto fields = ParsePoHeader(entries[0].msgstr.at(0));
  EXPECT_EQ(PoHeaderField(fields, "language"), "de");
  EXPECT_EQ(PoHeaderField(fields, "Content-Type"), "text/plain; charset=UTF-8");
  EXPECT_EQ(PoHeaderField(fields, "Plural-Forms"), "");

  EXPECT_EQ(entries[1].line, 11);
  EXPECT_EQ(entries[1].references, (std::vector<std::string>{"file.c:12", "lib/a.c:3", "lib/b.c"}));
  EXPECT_TRUE(entries[1].hasContext);
  EXPECT_EQ(entries[1].context, "a.Caption");
  EXPECT_EQ(entries[1].msgid, "one\ttab \"q\" \\ AB");
  EXPECT_EQ(entries[1].msgstr, std::vector<std::string>{"two lines\n"});
  EXPECT_TRUE(entries[1].fuzzy);
  EXPECT_EQ(entries[1].extractedComments, std::vector<std::string>{"extracted"});

  EXPECT_EQ(entries[2].line, 17);
  EXPECT_TRUE(entries[2].references.empty());
  EXPECT_FALSE(entries[2].hasContext);
  EXPECT_FALSE(entries[2].fuzzy);
  EXPECT_TRUE(entries[2].plural);
  EXPECT_EQ(entries[2].msgidPlural, "ns");
  EXPECT_EQ(entries[2].msgstr, (std::vector<std::string>{"x", "xs"}));
}

TEST(PoFileRead, MalformedFilesNameTheLineAndTheReason) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"msgid \"a\\q\"\nmsgstr \"\"\n", "t.po:1: bad escape '\\q'"},
      {"msgid \"a\nmsgstr \"\"\n", "t.po:1: missing closing quote"},
      {"msgid a\"\nmsgstr \"\"\n", "t.po:1: missing opening quote after msgid"},
      {"msgid \"a\" x\nmsgstr \"\"\n", "t.po:1: text after the closing quote"},
      {"msgstr \"x\"\n", "t.po:1: msgstr without msgid"},
      {"msgid \"a\"\nmsgstr \"b\"\nmsgstr \"c\"\n", "t.po:3: msgstr without msgid"},
      {"msgid \"a\"\n\nmsgid \"b\"\nmsgstr \"\"\n", "t.po:3: msgid without msgstr"},
      {"msgid \"a\"\n", "t.po:1: msgid without msgstr"},
      {"msgctxt \"c\"\n", "t.po:1: msgctxt without msgid"},
      {"msgctxt \"c\"\nmsgctxt \"d\"\n", "t.po:2: msgctxt given twice"},
      {"msgid \"a\"\nmsgctxt \"d\"\n", "t.po:2: msgctxt after msgid"},
      {"\"loose\"\n", "t.po:1: string without a keyword"},
      {"msgidx \"a\"\n", "t.po:1: unknown keyword 'msgidx'"},
      {"msgid\n", "t.po:1: missing string after msgid"},
      {"msgid \"a\"\n# note\nmsgstr \"\"\n", "t.po:2: comment inside an entry"},
      {"msgid \"a\"\nmsgstr[0] \"\"\n", "t.po:2: msgstr[0] without msgid_plural"},
      {"msgid \"a\"\nmsgid_plural \"b\"\nmsgstr \"\"\n",
       "t.po:3: msgstr without plural index after msgid_plural"},
      {"msgid \"a\"\nmsgid_plural \"b\"\nmsgstr[1] \"\"\n", "t.po:3: msgstr[1] out of order"},
      {"msgid \"a\"\nmsgid_plural \"b\"\nmsgstr[99] \"\"\n", "t.po:3: too many plural forms"},
      {"msgid \"a\"\nmsgid_plural \"b\"\nmsgstr[x] \"\"\n", "t.po:3: malformed plural index"},
      {"msgid_plural \"b\"\n", "t.po:1: msgid_plural without msgid"},
      {"msgid \"a\\0\"\nmsgstr \"\"\n", "t.po:1: NUL character in string"},
      {"msgid \"a\x01\"\nmsgstr \"\"\n", "t.po:1: control character in string"},
      {"msgid \"a\"\nmsgstr \"\"\n\nmsgid \"a\"\nmsgstr \"b\"\n",
       "t.po:4: duplicate message (first at line 1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseError(c.text), c.error) << c.text;
  EXPECT_EQ(ParseError(std::string("msgid \"a\"\nmsgstr \"\0\"\n", 20)), "t.po:2: NUL byte");
  EXPECT_EQ(ParseError(std::string(kPoMaxLineLength + 1, '#')),
            "t.po:1: line longer than the reader's limit");
  // The same message in two contexts is two messages.
  EXPECT_EQ(ParseError("msgctxt \"x\"\nmsgid \"a\"\nmsgstr \"\"\nmsgid \"a\"\nmsgstr \"\"\n"),
            "no error");
}

TEST(PoFileRead, CommentsEndingInCarriageReturnsSurviveARoundTrip) {
  // Found by fuzzing: a comment line ending in CR CR LF kept a CR, which the writer's line
  // break then swallowed, so the entry changed on its way through the file.
  const auto entries = ParsePoFile("#. a\r\r\nmsgid \"x\"\nmsgstr \"\"\n", "cr.po");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].extractedComments, std::vector<std::string>{"a"});
  const auto again = ParsePoFile(WritePoFile(entries), "cr.po");
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].extractedComments, entries[0].extractedComments);
  EXPECT_EQ(WritePoFile(again), WritePoFile(entries));
}

TEST(PoFileWrite, QuotesEscapesAndSplitsAndReadsBackTheSame) {
  EXPECT_EQ(QuotePoString("a\"b\\c\n\t\r\x01\x7f\xe4"), "\"a\\\"b\\\\c\\n\\t\\r\\001\\177\xe4\"");
  PoEntry header;
  header.msgstr = {"Language: de\nX: y\n"};
  PoEntry entry;
  entry.hasContext = true;
  entry.context = "Label1.Caption";
  entry.msgid = "line one\nline two";
  entry.msgstr = {"Zeile\n"};
  entry.fuzzy = true;
  entry.extractedComments = {"note"};
  entry.references = {"Label1.Caption", "F.Caption"};
  const std::string text = WritePoFile({header, entry});
  EXPECT_EQ(text,
            "msgid \"\"\n"
            "msgstr \"\"\n"
            "\"Language: de\\n\"\n"
            "\"X: y\\n\"\n"
            "\n"
            "#. note\n"
            "#: Label1.Caption\n"
            "#: F.Caption\n"
            "#, fuzzy\n"
            "msgctxt \"Label1.Caption\"\n"
            "msgid \"\"\n"
            "\"line one\\n\"\n"
            "\"line two\"\n"
            "msgstr \"Zeile\\n\"\n");
  const std::vector<PoEntry> again = ParsePoFile(text, "t.po");
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[1].msgid, entry.msgid);
  EXPECT_EQ(again[1].msgstr, entry.msgstr);
  EXPECT_EQ(again[1].line, 10);
  EXPECT_EQ(again[1].references, entry.references);
  EXPECT_EQ(WritePoFile(again), text);
}

// ---------------------------------------------------------------------------------------------
// Export and import of a form's translations

class PoForm : public ::testing::Test {
 protected:
  void SetUp() override { StartupLanguageLibrary("English"); }
  void TearDown() override { ShutdownLanguageLibrary(); }

  // The dialog loaded from `stream` the way the program loads it.
  std::unique_ptr<TfrmWendrixSetup> Load(const std::vector<uint8_t>& stream) {
    return std::unique_ptr<TfrmWendrixSetup>(CreateSetupDialog(&Application(), stream));
  }

  static TLangControl* ControlOf(TComponent* form) {
    return dynamic_cast<TLangControl*>(form->FindComponent("LangControl"));
  }

  // Slot `slot` of the entry that translates `component`'s only translated property.
  static std::string Slot(TComponent* form, const std::string& component, int slot) {
    TComponentEntries& entries = *ControlOf(form)->Manager().Components();
    for (int i = 0; i < entries.Count(); ++i) {
      if (entries.Items(i)->Ref() && entries.Items(i)->Ref()->Name() == component) {
        auto* values =
            dynamic_cast<TInconsistentLangPropertyEntry*>(entries.Items(i)->Props()->Items(0));
        return values ? values->GetLangValue(slot).ToString() : "<not a language value>";
      }
    }
    return "<no entry>";
  }

  std::string ExportGerman() {
    WriteText(TempPath("shipped.bin"), AsString(ShippedStream()));
    const ToolResult run =
        FormTool({"po-export", TempPath("shipped.bin"), "German", "-o", TempPath("de.po")});
    EXPECT_EQ(run.code, 0) << run.err;
    return ReadText(TempPath("de.po"));
  }

  // Imports `po` (saved as de.po) into the shipped form; the written form, or "" when the tool
  // failed, with its error in `error`.
  std::string Import(const std::string& po, std::string* error = nullptr) {
    WriteText(TempPath("shipped.bin"), AsString(ShippedStream()));
    WriteText(TempPath("de.po"), po);
    std::remove(TempPath("out.bin").c_str());
    const ToolResult run = FormTool(
        {"po-import", TempPath("shipped.bin"), TempPath("de.po"), "-o", TempPath("out.bin")});
    if (error) *error = run.err;
    if (run.code != 0) {
      EXPECT_EQ(run.code, 1);
      EXPECT_FALSE(Exists(TempPath("out.bin"))) << "a failed import wrote its output";
      return "";
    }
    return ReadText(TempPath("out.bin"));
  }
};

TEST_F(PoForm, ExportsTheShippedGermanAsNineteenMessages) {
  const std::string po = ExportGerman();
  const std::vector<PoEntry> entries = ParsePoFile(po, "de.po");
  ASSERT_EQ(entries.size(), 20u);
  ASSERT_TRUE(entries[0].IsHeader());
  const auto header = ParsePoHeader(entries[0].msgstr.at(0));
  EXPECT_EQ(PoHeaderField(header, "Language"), "de");
  EXPECT_EQ(PoHeaderField(header, "Language-Team"), "German");
  EXPECT_EQ(PoHeaderField(header, "Content-Type"), "text/plain; charset=UTF-8");
  EXPECT_EQ(PoHeaderField(header, "Content-Transfer-Encoding"), "8bit");
  EXPECT_EQ(PoHeaderField(header, "Project-Id-Version"), "frmWendrixSetup");
  EXPECT_EQ(PoHeaderField(header, "X-Source-Language"), "English");

  const char* const contexts[] = {
      "btCancel.Caption",  "btOk.Caption",      "Button1.Caption",   "edHTTPDConf.Text",
      "edLogo.Text",       "Owner.Caption",     "GroupBox1.Caption", "GroupBox2.Caption",
      "GroupBox3.Caption", "GroupBox4.Caption", "Label1.Caption",    "Label2.Caption",
      "Label3.Caption",    "Label4.Caption",    "Label5.Caption",    "Label6.Caption",
      "Label7.Caption",    "TabSheet1.Caption", "tsApache.Caption"};
  for (size_t i = 0; i < 19; ++i) {
    EXPECT_TRUE(entries[i + 1].hasContext);
    EXPECT_EQ(entries[i + 1].context, contexts[i]);
    EXPECT_FALSE(entries[i + 1].plural || entries[i + 1].fuzzy);
  }
  // msgid: what the components show; msgstr: the German slot.
  EXPECT_EQ(entries[6].msgid, "... finalizing setup");
  EXPECT_EQ(entries[6].msgstr.at(0), "Korvane Wendrix Configuration");
  EXPECT_EQ(entries[7].msgid, " Path to Apache configuration file (HTTPD.CONF)  ");
  EXPECT_EQ(entries[7].msgstr.at(0), " Path to Apache \"HTTPD.CONF\" file: ");
  EXPECT_EQ(entries[11].msgid, "SMTP Server:");
  EXPECT_EQ(entries[11].msgstr.at(0), "SMTP server:");
  EXPECT_EQ(entries[4].msgid, "C:\\Program Files\\Apache Group\\Apache\\conf\\httpd.conf");
  EXPECT_NE(po.find("msgid \"C:\\\\Program Files\\\\Apache"), std::string::npos);
  // A text that equals the source is untranslated: msgstr empty, as gettext marks it.
  EXPECT_EQ(entries[4].msgstr.at(0), "");
  EXPECT_EQ(entries[1].msgstr.at(0), "");
  // Each message names its component and property.
  EXPECT_EQ(entries[1].references, std::vector<std::string>{"btCancel.Caption"});
  EXPECT_EQ(entries[6].references, std::vector<std::string>{"frmWendrixSetup.Caption"});
}

TEST_F(PoForm, ExportOfTheActiveLanguageAndOfAMissingOne) {
  WriteText(TempPath("shipped.bin"), AsString(ShippedStream()));
  ASSERT_EQ(FormTool({"po-export", TempPath("shipped.bin"), "en", "-o", TempPath("en.po")}).code,
            0);
  for (const PoEntry& entry : ParsePoFile(ReadText(TempPath("en.po")), "en.po")) {
    if (!entry.IsHeader()) {
      EXPECT_EQ(entry.msgstr.at(0), "") << entry.context;
    }
  }
  std::remove(TempPath("fr.po").c_str());
  const ToolResult run =
      FormTool({"po-export", TempPath("shipped.bin"), "French", "-o", TempPath("fr.po")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "Language 'French' not found in the form\n");
  EXPECT_FALSE(Exists(TempPath("fr.po")));
  EXPECT_EQ(FormTool({"po-export", TempPath("shipped.bin"), "German"}).code, 2);
  EXPECT_EQ(FormTool({"po-import", TempPath("shipped.bin"), "-o", TempPath("x")}).code, 2);
}

TEST_F(PoForm, ExportedFilesPassMsgfmtCheck) {
  ExportGerman();
  if (std::system("msgfmt --version > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "msgfmt is not on the PATH; the catalogue check is skipped";
  }
  const std::string command =
      "msgfmt --check -o /dev/null " + TempPath("de.po") + " 2> " + TempPath("msgfmt.txt");
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(TempPath("msgfmt.txt"));
  EXPECT_EQ(ReadText(TempPath("msgfmt.txt")), "");  // not even a warning
}

TEST_F(PoForm, ImportingTheExportUnchangedGivesTheSameBytes) {
  const std::string po = ExportGerman();
  EXPECT_EQ(Import(po), AsString(ShippedStream()));
  // The same through the library calls, and with the file in Windows-1252.
  const std::string ansi = Replaced(po, "charset=UTF-8", "charset=windows-1252");
  EXPECT_EQ(AsString(ImportFormTranslations(ShippedStream(), ansi, "de.po")),
            AsString(ShippedStream()));
}

TEST_F(PoForm, AChangedTranslationReachesTheGermanSlotAndTheLiveCaption) {
  std::string po = ExportGerman();
  po = Replaced(po, "msgid \"Save\"\nmsgstr \"\"", "msgid \"Save\"\nmsgstr \"Speichern\"");
  po = Replaced(po, "msgid \"Apache Web Server\"\nmsgstr \"\"",
                "msgid \"Apache Web Server\"\nmsgstr \"Apache-Webserver für \\\"Größe\\\"\"");
  const std::string written = Import(po);
  ASSERT_FALSE(written.empty());
  const std::vector<uint8_t> stream(written.begin(), written.end());
  {
    std::unique_ptr<TfrmWendrixSetup> form = Load(stream);
    EXPECT_EQ(Slot(form.get(), "btOk", 1), "Speichern");
    EXPECT_EQ(Slot(form.get(), "btOk", 2), "Save");  // Spanish untouched
    EXPECT_EQ(Slot(form.get(), "btOk", 0), "Save");  // and the live caption
    EXPECT_EQ(Slot(form.get(), "tsApache", 1),
              "Apache-Webserver für \"Größ"
              "e\"");
    EXPECT_EQ(Slot(form.get(), "btCancel", 1), "Cancel");
    ControlOf(form.get())->SetLanguage("German");
    EXPECT_EQ(form->btOk->Caption(), "Speichern");
    EXPECT_EQ(ControlOf(form.get())->Language(), "German");
  }
  // Exporting again shows the new texts, in UTF-8.
  WriteText(TempPath("changed.bin"), written);
  ASSERT_EQ(
      FormTool({"po-export", TempPath("changed.bin"), "German", "-o", TempPath("again.po")}).code,
      0);
  const std::string again = ReadText(TempPath("again.po"));
  EXPECT_NE(again.find("msgid \"Save\"\nmsgstr \"Speichern\"\n"), std::string::npos);
  EXPECT_NE(again.find("msgstr \"Apache-Webserver für \\\"Größe\\\"\"\n"), std::string::npos);
  // Only the two slots changed: importing the original file restores nothing else.
  EXPECT_EQ(written.size(), AsString(ShippedStream()).size() + 5 + 11);
}

TEST_F(PoForm, EmptyAndFuzzyTranslationsLeaveTheSlot) {
  std::string po = ExportGerman();
  po = Replaced(po, "msgid \"SMTP Server:\"\nmsgstr \"SMTP server:\"",
                "msgid \"SMTP Server:\"\nmsgstr \"\"");
  po = Replaced(po, "msgctxt \"btCancel.Caption\"\nmsgid \"Cancel\"\nmsgstr \"\"",
                "#, fuzzy\nmsgctxt \"btCancel.Caption\"\nmsgid \"Cancel\"\nmsgstr \"Abbruch\"");
  EXPECT_EQ(Import(po), AsString(ShippedStream()));
}

TEST_F(PoForm, ImportErrorsNameFileAndLineAndWriteNothing) {
  const std::string po = ExportGerman();
  const std::string file = TempPath("de.po");
  const auto expectError = [&](const std::string& bad, const std::string& lineOf,
                               const std::string& reason) {
    std::string error;
    EXPECT_EQ(Import(bad, &error), "");
    EXPECT_EQ(error, file + ":" + std::to_string(LineOf(bad, lineOf)) + ": " + reason + "\n");
  };
  expectError(Replaced(po, "\"btOk.Caption\"", "\"btFoo.Caption\""), "btFoo",
              "unknown context 'btFoo.Caption'");
  expectError(Replaced(po, "msgid \"Save\"", "msgid \"Store\""), "\"btOk.Caption\"",
              "msgid of 'btOk.Caption' is not the form's text \"Save\" (update-po merges the file "
              "with the form's texts)");
  expectError(po + "\nmsgid \"File\"\nmsgid_plural \"Files\"\nmsgstr[0] \"Datei\"\n"
                   "msgstr[1] \"Dateien\"\n",
              "msgid \"File\"", "plural forms are not supported");
  const std::string cancel = "msgid \"Cancel\"\nmsgstr \"\"";
  expectError(Replaced(po, cancel, "msgid \"Cancel\"\nmsgstr \"Can\\cel\""), "Can\\cel",
              "bad escape '\\c'");
  expectError(Replaced(po, cancel, "msgid \"Cancel\"\nmsgstr \"Cancel"), "msgstr \"Cancel",
              "missing closing quote");
  expectError(Replaced(po, cancel, "msgstr \"Cancel\""), "msgstr \"Cancel\"",
              "msgstr without msgid");
  expectError(Replaced(Replaced(po, "Language: de", "Language: tlh"), "Language-Team: German",
                       "Language-Team: Klingon <tlh@example.org>"),
              "msgid \"\"",
              "unknown language 'tlh' (formtool languages --table lists the languages there are)");
  expectError(Replaced(po, "Language: de", "Language: en_GB"), "msgid \"\"",
              "the file is for English, the language the form's texts are written in");
  expectError(Replaced(Replaced(po, "Language: de", "Language: "), "Language-Team: German",
                       "Language-Team: "),
              "msgid \"\"", "the header names no Language");
  expectError(Replaced(Replaced(po, "Language: de", "Language:  "), "Language-Team: German",
                       "Language-Team: Klingon <tlh@example.org>"),
              "msgid \"\"",
              "unknown language 'Klingon' (formtool languages --table lists the languages there "
              "are)");
  const std::string save = "msgid \"Save\"\nmsgstr \"\"";
  expectError(Replaced(po, save, "msgid \"Save\"\nmsgstr \"\xc3\""), "msgctxt \"btOk",
              "invalid UTF-8");
  expectError(Replaced(po, "msgctxt \"btOk.Caption\"\n", ""), "msgid \"Save\"",
              "message without a context");
  // Every problem of a run, each on its line, and the file read on after a malformed message.
  {
    const std::string bad = Replaced(Replaced(Replaced(po, "\"btOk.Caption\"", "\"btFoo.Caption\""),
                                              cancel, "msgid \"Cancel\"\nmsgstr \"Can\\cel\""),
                                     "msgid \"Browse...\"", "msgid \"Look...\"");
    std::string error;
    EXPECT_EQ(Import(bad, &error), "");
    EXPECT_EQ(error, file + ":" + std::to_string(LineOf(bad, "Can\\cel")) + ": bad escape '\\c'\n" +
                         file + ":" + std::to_string(LineOf(bad, "btFoo")) +
                         ": unknown context 'btFoo.Caption'\n" + file + ":" +
                         std::to_string(LineOf(bad, "\"Button1.Caption\"")) +
                         ": msgid of 'Button1.Caption' is not the form's text \"Browse...\" "
                         "(update-po merges the file with the form's texts)\n");
  }
  const size_t header = po.find("\n\n");
  expectError(po.substr(header + 2), "btCancel", "no header entry (msgid \"\")");
  // A file that cannot be read at all.
  std::remove(TempPath("out.bin").c_str());
  const ToolResult run = FormTool(
      {"po-import", TempPath("shipped.bin"), TempPath("missing.po"), "-o", TempPath("out.bin")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "Cannot open file " + TempPath("missing.po") + "\n");
  EXPECT_FALSE(Exists(TempPath("out.bin")));
}

// A form with a string table: a line of it is a message whose context is the line's name.
const char* const kStringTableForm =
    "object F: TForm\n"
    "  Caption = 'Main'\n"
    "  object Label1: TLabel\n"
    "    Caption = 'Hello'\n"
    "  end\n"
    "  object LangControl: TLangControl\n"
    "    Language = 'English'\n"
    "    LanguageManager_Langs = <\n"
    "      item\n"
    "        Name = 'English'\n"
    "        SubIndex = 0\n"
    "      end\n"
    "      item\n"
    "        Name = 'German'\n"
    "        SubIndex = 1\n"
    "      end>\n"
    "    LanguageManager_Comps = <\n"
    "      item\n"
    "        Items = <>\n"
    "        Props = <\n"
    "          item\n"
    "            Name = 'Caption'\n"
    "            Kind = tkLString\n"
    "            Count = 2\n"
    "            Values = {090000000001000048616C6C6F}\n"
    "          end>\n"
    "        SubType = [stPubPropObject]\n"
    "        Ref = Label1\n"
    "      end\n"
    "      item\n"
    "        Items = <\n"
    "          item\n"
    "            Name = 'Resources'\n"
    "            Items = <>\n"
    "            Props = <\n"
    "              item\n"
    "                Kind = tkLString\n"
    "                Index = 0\n"
    "                Count = 2\n"
    "                Values = {0C00000000010000546167206E656E6E}\n"
    "              end>\n"
    "            SubType = [stTStringsObject, stNoValidate]\n"
    "          end>\n"
    "        Props = <>\n"
    "        SubType = [stPubPropObject]\n"
    "        Ref = LangControl\n"
    "      end>\n"
    "    LanguageManager_Names = 'sGreeting'#13#10\n"
    "    LanguageManager_Values = 'Good day'#13#10\n"
    "  end\n"
    "end\n";

TEST_F(PoForm, StringTableLinesAreMessagesNamedAfterTheirStrings) {
  const std::vector<uint8_t> stream = ObjectTextToBinary(kStringTableForm);
  const std::string po = ExportFormTranslations(stream, "German");
  const std::vector<PoEntry> entries = ParsePoFile(po, "de.po");
  ASSERT_EQ(entries.size(), 3u) << po;
  EXPECT_EQ(entries[1].context, "Label1.Caption");
  EXPECT_EQ(entries[1].msgstr.at(0), "Hallo");
  EXPECT_EQ(entries[2].context, "sGreeting");
  EXPECT_EQ(entries[2].msgid, "Good day");
  EXPECT_EQ(entries[2].msgstr.at(0), "Tag nenn");
  // The reference names the control's string property and the line.
  EXPECT_EQ(entries[1].references, std::vector<std::string>{"Label1.Caption"});
  EXPECT_EQ(entries[2].references,
            std::vector<std::string>{"LangControl.LanguageManager_Values:1"});
  // What the import does not change comes back byte for byte.
  EXPECT_EQ(ImportFormTranslations(stream, po, "de.po"), stream);
  const std::vector<uint8_t> changed = ImportFormTranslations(
      stream, Replaced(po, "msgstr \"Tag nenn\"", "msgstr \"Guten Tag\""), "de.po");
  const std::string again = ExportFormTranslations(changed, "German");
  EXPECT_NE(again.find("msgctxt \"sGreeting\"\nmsgid \"Good day\"\nmsgstr \"Guten Tag\"\n"),
            std::string::npos)
      << again;
}

TEST_F(PoForm, EachLineOfAStringListIsAMessageNamedByItsNumber) {
  // The example's German, imported into its form and exported again, is the example's file: the
  // lines of its lists are messages of their own ("rgSize.Items[1]").
  const std::string folder = std::string(WDX_SOURCE_DIR) + "/examples/settings-dialog/";
  // The form's messages: those of its code's texts follow them.
  std::string po = ReadText(folder + "po/settings-de.po");
  po.resize(po.find("\n#: ../SettingsForm.cpp"));
  const std::vector<uint8_t> german = ImportFormTranslations(
      ObjectTextToBinary(ReadText(folder + "SettingsForm.frm")), po, "settings-de.po");
  const std::string exported = ExportFormTranslations(german, "German");
  EXPECT_NE(exported.find("msgctxt \"rgSize.Items[1]\"\nmsgid \"Medium\"\nmsgstr \"Mittel\""),
            std::string::npos);
  EXPECT_EQ("# The settings dialog's German texts.\n" + exported, po);
}

}  // namespace
}  // namespace wdx
