#include "tools/formtool/FormTool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "LangControl/Source/LangControl.h"
#include "framework/components/ObjectText.h"
#include "tests/tools/ToolTestSupport.h"
#include "translations/CodeTexts.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {
namespace {

using namespace tooltest;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// The dialog as a plain form of registered classes: no handlers and no language control.
std::string PlainDialogSource() {
  std::string text = ShippedSource();
  const size_t lang = text.find("  object LangControl");
  text.erase(lang, text.find("\n  end\n", lang) + 7 - lang);
  std::istringstream lines(text);
  std::string line, plain;
  while (std::getline(lines, line)) {
    if (line.find("OnClick") != std::string::npos || line.find("OnActivate") != std::string::npos) {
      continue;
    }
    plain += line + "\n";
  }
  const size_t root = plain.find("TfrmWendrixSetup");
  return plain.replace(root, 16, "TForm");
}

TEST(FormToolLoad, WritesBackTheSameBytes) {
  const std::vector<uint8_t> stream = ObjectTextToBinary(PlainDialogSource());
  WriteBytes(TempPath("plain.bin"), stream);
  const ToolResult run = FormTool({"load", TempPath("plain.bin"), "-o", TempPath("plain.out")});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(ReadText(TempPath("plain.out")), std::string(stream.begin(), stream.end()));
}

TEST(FormToolLoad, ReportsTheErrorAndFails) {
  WriteBytes(TempPath("bad.bin"),
             ObjectTextToBinary("object F: TForm\n  object X: TNoSuchControl\n  end\nend\n"));
  ToolResult run = FormTool({"load", TempPath("bad.bin"), "-o", TempPath("bad.out")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, TempPath("bad.bin") + ": Class TNoSuchControl not found\n");
  WriteBytes(TempPath("bad.bin"), ObjectTextToBinary("object F: TUnknownForm\nend\n"));
  EXPECT_EQ(FormTool({"load", TempPath("bad.bin"), "-o", TempPath("bad.out")}).err,
            TempPath("bad.bin") + ": Class TUnknownForm not found\n");
  WriteBytes(TempPath("bad.bin"), {'T', 'P', 'F', '0', 1});
  EXPECT_EQ(FormTool({"load", TempPath("bad.bin"), "-o", TempPath("bad.out")}).err,
            TempPath("bad.bin") + ": Stream read error\n");
  run = FormTool({"dump", TempPath("missing.bin")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "Cannot open file " + TempPath("missing.bin") + "\n");
}

TEST(FormToolLoad, TheShippedFormComesBackByteForByte) {
  StartupLanguageLibrary("English");
  const std::vector<uint8_t> stream = ObjectTextToBinary(ShippedSource());
  WriteBytes(TempPath("shipped-in.bin"), stream);
  const ToolResult run =
      FormTool({"load", TempPath("shipped-in.bin"), "-o", TempPath("shipped-out.bin")});
  ShutdownLanguageLibrary();
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(ReadText(TempPath("shipped-out.bin")), std::string(stream.begin(), stream.end()));
}

// The dialog's source with the German and Spanish it has always shipped (every text as the
// English one) compiles to the same bytes as every build before; tests/setup holds them.
TEST(ShippedForm, CompilesToThePinnedBytes) {
  const std::string fixtures = WDX_SOURCE_DIR "/tests/setup/";
  // The files translate the program's code texts and the library's too, as the build gives them;
  // they stay beside the form.
  std::vector<std::string> problems;
  std::vector<TOtherText> others;
  for (const TCodeText& text : CollectCodeTexts(
           {{"StringsUnit.cpp", ReadText(WDX_SOURCE_DIR "/setup/StringsUnit.cpp")}}, problems)) {
    others.push_back({text.Name, text.English});
  }
  for (const PoEntry& message :
       ParsePoFile(ReadText(WDX_SOURCE_DIR "/translations/library/Library.pot"), "Library.pot")) {
    if (!message.IsHeader()) others.push_back({message.context, message.msgid});
  }
  StartupLanguageLibrary();
  const std::vector<uint8_t> stream =
      ImportProgramTranslations(
          ObjectTextToBinary(ReadText(WDX_SOURCE_DIR "/setup/WendrixSetup.frm")),
          {{"de.po", ReadText(fixtures + "po/de.po")}, {"es.po", ReadText(fixtures + "po/es.po")}},
          others)
          .Form;
  ShutdownLanguageLibrary();
  EXPECT_TRUE(AsString(stream) == ReadText(fixtures + "WendrixSetup.bin"));
}

TEST(FormToolShipped, WritesTheEmbeddedStreamWhichDumpShowsWhole) {
  ASSERT_EQ(FormTool({"shipped", "-o", TempPath("shipped.bin")}).code, 0);
  const std::string shipped = ReadText(TempPath("shipped.bin"));
  EXPECT_EQ(shipped, AsString(EmbeddedStream()));
  const ToolResult dump = FormTool({"dump", TempPath("shipped.bin")});
  ASSERT_EQ(dump.code, 0) << dump.err;
  // Every object of the source appears as a record of the dump.
  std::istringstream source(ShippedSource());
  std::string line;
  int objects = 0;
  while (std::getline(source, line)) {
    const size_t at = line.find("object ");
    if (at == std::string::npos) continue;
    ++objects;
    EXPECT_NE(dump.out.find(line + "\n"), std::string::npos) << line;
  }
  EXPECT_EQ(objects, 29);  // the form and its 28 components
  EXPECT_NE(dump.out.find("LanguageManager_Values = vaString ''\n  end\nend\n"), std::string::npos);
}

TEST(FormToolDump, AMalformedStreamShowsTheRecordsReadThenWhereReadingFailed) {
  const std::vector<uint8_t> good = ObjectTextToBinary(
      "object F: TForm\n  Caption = 'abc'\n  object B: TButton\n    Left = 10\n  end\nend\n");
  const std::string bytes(good.begin(), good.end());
  // Cut after the tag of Left's value, before the value itself.
  const size_t cut = bytes.find("\x04Left") + 6;
  WriteBytes(TempPath("cut.bin"), std::vector<uint8_t>(good.begin(), good.begin() + cut));
  ToolResult run = FormTool({"dump", TempPath("cut.bin")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "object F: TForm\n  Caption = vaString 'abc'\n  object B: TButton\n");
  EXPECT_EQ(run.err,
            TempPath("cut.bin") + ": offset " + std::to_string(cut) + ": Stream read error\n");
  // Not a form stream at all.
  WriteBytes(TempPath("cut.bin"), {'M', 'Z', 0x90, 0});
  run = FormTool({"dump", TempPath("cut.bin")});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, TempPath("cut.bin") + ": offset 0: Invalid stream format\n");
}

TEST(FormToolSource, IsReadWhereverAStreamIs) {
  StartupLanguageLibrary("English");
  WriteBytes(TempPath("form.bin"), ShippedStream());
  WriteText(TempPath("form.frm"), "// the dialog\n" + ShippedSource());
  for (const std::vector<std::string>& args : {std::vector<std::string>{"dump"},
                                               {"languages"},
                                               {"text"},
                                               {"pot", "-o"},
                                               {"po-export", "German", "-o"},
                                               {"load", "-o"}}) {
    std::vector<std::string> fromStream = {args[0], TempPath("form.bin")};
    fromStream.insert(fromStream.end(), args.begin() + 1, args.end());
    std::vector<std::string> fromSource = fromStream;
    fromSource[1] = TempPath("form.frm");
    if (args.back() == "-o") {
      fromStream.push_back(TempPath("from-stream.out"));
      fromSource.push_back(TempPath("from-source.out"));
    }
    const ToolResult stream = FormTool(fromStream), source = FormTool(fromSource);
    EXPECT_EQ(source.code, 0) << args[0] << ": " << source.err;
    EXPECT_EQ(source.out, stream.out) << args[0];
    EXPECT_EQ(ReadText(TempPath("from-source.out")), ReadText(TempPath("from-stream.out")));
  }
  ShutdownLanguageLibrary();
  WriteText(TempPath("bad.frm"), "object F: TForm\n  Anchors = [akLeft,]\nend\n");
  const ToolResult bad = FormTool({"dump", TempPath("bad.frm")});
  EXPECT_EQ(bad.code, 1);
  EXPECT_EQ(bad.err, TempPath("bad.frm") + ": Line 2: identifier expected\n");
}

// The shipped form and every form of the fuzz corpus that load accepts give back their bytes.
TEST(FormToolText, WritesSourceThatCompilesBackToTheSameBytes) {
  StartupLanguageLibrary("English");
  std::vector<std::string> forms = {TempPath("shipped.bin")};
  WriteBytes(forms.front(), ShippedStream());
  for (const auto& entry :
       std::filesystem::directory_iterator(WDX_SOURCE_DIR "/fuzz/corpus/form_reader")) {
    forms.push_back(entry.path().string());
  }
  int loadable = 0;
  for (const std::string& form : forms) {
    if (FormTool({"load", form, "-o", TempPath("loaded.bin")}).code != 0) continue;
    ++loadable;
    const ToolResult text = FormTool({"text", form});
    ASSERT_EQ(text.code, 0) << form << ": " << text.err;
    EXPECT_EQ(AsString(ObjectTextToBinary(text.out)), ReadText(form)) << form;
  }
  ShutdownLanguageLibrary();
  EXPECT_GE(loadable, 4);
  ASSERT_EQ(FormTool({"text", TempPath("shipped.bin"), "-o", TempPath("shipped.frm")}).code, 0);
  EXPECT_EQ(ReadText(TempPath("shipped.frm")), ShippedSource());
  WriteBytes(TempPath("cut.bin"), {'T', 'P', 'F', '0', 1});
  EXPECT_EQ(FormTool({"text", TempPath("cut.bin")}).err,
            TempPath("cut.bin") + ": Stream read error\n");
}

TEST(FormToolUsage, HelpGoesToStandardOutputAndMisuseToStandardErrorWithTwo) {
  for (const char* help : {"--help", "-h"}) {
    const ToolResult run = FormTool({help});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: formtool dump <file>\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("formtool --help\n"), std::string::npos);
  }
  const ToolResult misuse = FormTool({"dump"});
  EXPECT_EQ(misuse.out, "");
  EXPECT_EQ(misuse.err, FormTool({"--help"}).out);
}

TEST(FormToolUsage, WrongArgumentsExitWithTwo) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"dump"},
                                               {"load", "x"},
                                               {"load", "x", "-x", "y"},
                                               {"shipped"},
                                               {"text", "x", "-o"},
                                               {"po-import", "x", "-o", "y"},
                                               {"--help", "dump"},
                                               {"frobnicate", "x"}}) {
    const ToolResult run = FormTool(args);
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("usage: formtool dump <file>"), std::string::npos);
  }
}

}  // namespace
}  // namespace wdx
