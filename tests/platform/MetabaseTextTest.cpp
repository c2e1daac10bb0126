// The IIS stand-in file's text model: what it reads, and that an edit touches only its lines.
#include "platform/metabase/MetabaseText.h"

#include <gtest/gtest.h>

#include <string>

namespace wdx {
namespace {

const std::string kRoot = "IIS://localhost/W3SVC/1/Root";
const std::string kApp = kRoot + "/wendrix";

TMetabase Parse(const std::string& text) {
  return TMetabase::Parse(text, "iis.ini");
}

std::string Value(const TMetabase& metabase, const std::string& path, const std::string& name) {
  std::string value;
  return metabase.Get(path, name, value) ? value : "<none>";
}

TEST(MetabaseTextTest, ReadsSectionsAndValuesAndWritesEveryByteBack) {
  const std::string text =
      "; IIS stand-in\r\n"
      "\r\n"
      "  [IIS://localhost/W3SVC/1/Root]  \r\n"
      "Class=IIsWebVirtualDir\n"
      "  Path =C:\\Inetpub\\wwwroot  \r"
      "# comment\r\n"
      "DefaultDoc= a=b, c \r\n"
      "[iis://LOCALHOST/w3svc/1/root/wendrix]\r\n"
      "Path=";  // no line end at the end
  const TMetabase metabase = Parse(text);
  EXPECT_EQ(metabase.Text(), text);
  EXPECT_TRUE(metabase.Has("IIS://LocalHost/W3SVC/1/ROOT"));
  EXPECT_TRUE(metabase.Has(kApp));
  EXPECT_FALSE(metabase.Has(kRoot + "/wendrix/cgi-bin"));
  // Names are trimmed; a value keeps its leading blanks and loses its trailing ones.
  EXPECT_EQ(Value(metabase, kRoot, "path"), "C:\\Inetpub\\wwwroot");
  EXPECT_EQ(Value(metabase, kRoot, "DefaultDoc"), " a=b, c");
  EXPECT_EQ(Value(metabase, kApp, "Path"), "");
  EXPECT_EQ(Value(metabase, kApp, "Class"), "<none>");
  EXPECT_EQ(Parse("").Text(), "");
  // A UTF-8 byte order mark before the first section stays where it is.
  const std::string marked = "\xEF\xBB\xBF[IIS://a]\r\nA=1\r\n";
  EXPECT_EQ(Parse(marked).Text(), marked);
  EXPECT_EQ(Value(Parse(marked), "IIS://a", "A"), "1");
}

TEST(MetabaseTextTest, MalformedTextIsReportedWithFileAndLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"Class=x\n", "iis.ini, line 1: a value before the first section"},
      {"; c\r\n\r\n[IIS://a\r\n", "iis.ini, line 3: a section name must end with ']'"},
      {"[IIS://a]\rPath\r", "iis.ini, line 2: Name=Value expected"},
      {"[IIS://a]\n=x\n", "iis.ini, line 2: Name=Value expected"},
      {"[IIS://a]\n\n\n[]\n", "iis.ini, line 4: a section needs the path of its object"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      Parse(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const EMetabaseError& error) {
      EXPECT_EQ(error.Message(), c.message);
      EXPECT_EQ(error.Code(), metabase_code::kInvalidData);
    }
  }
}

TEST(MetabaseTextTest, SettingAValueRewritesOnlyItsOwnLine) {
  const std::string text =
      "[IIS://localhost/W3SVC/1/Root]\r\n"
      "  path = C:\\old   \r\n"
      "; keep\r\n"
      "Other=1\r\n";
  TMetabase metabase = Parse(text);
  metabase.Set(kRoot, "Path", " C:\\old");  // the same value: the line stays as it is
  EXPECT_EQ(metabase.Text(), text);
  metabase.Set(kRoot, "PATH", "D:\\new");
  EXPECT_EQ(metabase.Text(),
            "[IIS://localhost/W3SVC/1/Root]\r\n"
            "  path =D:\\new\r\n"
            "; keep\r\n"
            "Other=1\r\n");
}

TEST(MetabaseTextTest, ANewValueFollowsTheObjectsLastValueWithTheFilesLineEnd) {
  TMetabase metabase = Parse(
      "[IIS://localhost/W3SVC/1/Root]\r\n"
      "Class=IIsWebVirtualDir\r\n"
      "; comments and blank lines after the values stay after them\r\n"
      "\r\n"
      "[IIS://localhost/W3SVC/1/Root/wendrix]\n");
  metabase.Set(kRoot, "Path", "C:\\x");
  metabase.Set(kApp, "Path", "C:\\y");
  metabase.Set(kApp, "Class", "IIsWebVirtualDir");
  EXPECT_EQ(metabase.Text(),
            "[IIS://localhost/W3SVC/1/Root]\r\n"
            "Class=IIsWebVirtualDir\r\n"
            "Path=C:\\x\r\n"
            "; comments and blank lines after the values stay after them\r\n"
            "\r\n"
            "[IIS://localhost/W3SVC/1/Root/wendrix]\n"
            "Path=C:\\y\r\n"
            "Class=IIsWebVirtualDir\r\n");

  // At the end of a file without a final line end, the new line becomes the last one.
  TMetabase open = Parse("[IIS://a]\nA=1");
  open.Set("IIS://a", "B", "2");
  EXPECT_EQ(open.Text(), "[IIS://a]\nA=1\nB=2");
}

TEST(MetabaseTextTest, ARepeatedSectionIsOneObjectWhoseValuesStayInTheirBlocks) {
  TMetabase metabase = Parse(
      "[IIS://a]\n"
      "First=1\n"
      "[IIS://b]\n"
      "B=1\n"
      "[iis://A]\n"
      "Second=2\n"
      "First=ignored\n");
  EXPECT_EQ(Value(metabase, "IIS://a", "First"), "1");  // the first line that names it
  EXPECT_EQ(Value(metabase, "IIS://a", "Second"), "2");
  EXPECT_EQ(Value(metabase, "IIS://b", "Second"), "<none>");
  metabase.Set("IIS://a", "Second", "two");
  metabase.Set("IIS://a", "Third", "3");
  metabase.Erase("IIS://a", "First");  // every line that names it
  EXPECT_EQ(metabase.Text(),
            "[IIS://a]\n"
            "[IIS://b]\n"
            "B=1\n"
            "[iis://A]\n"
            "Second=two\n"
            "Third=3\n");
  // With the last value gone, new values follow the one before it.
  metabase.Erase("IIS://a", "Third");
  metabase.Erase("IIS://a", "Second");
  metabase.Set("IIS://a", "Fourth", "4");
  EXPECT_EQ(metabase.Text(), "[IIS://a]\n[IIS://b]\nB=1\n[iis://A]\nFourth=4\n");
}

TEST(MetabaseTextTest, AddedSectionsGoToTheEndSetApartByABlankLine) {
  TMetabase metabase = Parse("; only a comment");
  metabase.Add(kRoot);
  metabase.Add("iis://localhost/w3svc/1/ROOT");  // already there
  metabase.Set(kApp, "Class", "IIsWebVirtualDir");
  EXPECT_EQ(metabase.Text(),
            "; only a comment\n"
            "\n"
            "[IIS://localhost/W3SVC/1/Root]\n"
            "\n"
            "[IIS://localhost/W3SVC/1/Root/wendrix]\n"
            "Class=IIsWebVirtualDir\n");
  TMetabase empty = Parse("");
  empty.Add("IIS://a");
  EXPECT_EQ(empty.Text(), "[IIS://a]\n");
  TMetabase blankEnd = Parse("[IIS://a]\r\n\r\n");
  blankEnd.Add("IIS://b");
  EXPECT_EQ(blankEnd.Text(), "[IIS://a]\r\n\r\n[IIS://b]\r\n");
}

TEST(MetabaseTextTest, RemovingATreeTakesEveryBlockOfItAndBelowAndNothingElse) {
  TMetabase metabase = Parse(
      "; head\n"
      "[IIS://r]\n"
      "A=1\n"
      "\n"
      "[IIS://r/wendrix]\n"
      "B=2\n"
      "; about cgi-bin\n"
      "[IIS://r/wendrix/cgi-bin]\n"
      "[IIS://r/wendrix2]\n"
      "C=3\n"
      "[IIS://R/WENDRIX]\n"
      "D=4\n");
  EXPECT_FALSE(metabase.RemoveTree("IIS://r/absent"));
  EXPECT_TRUE(metabase.RemoveTree("iis://r/Wendrix"));
  EXPECT_EQ(metabase.Text(), "; head\n[IIS://r]\nA=1\n\n[IIS://r/wendrix2]\nC=3\n");
  EXPECT_FALSE(metabase.Has("IIS://r/wendrix/cgi-bin"));
  EXPECT_EQ(Value(metabase, "IIS://r/wendrix2", "C"), "3");
  // The remaining objects still edit in their own places.
  metabase.Set("IIS://r", "A2", "x");
  metabase.Set("IIS://r/wendrix2", "C2", "y");
  EXPECT_EQ(metabase.Text(), "; head\n[IIS://r]\nA=1\nA2=x\n\n[IIS://r/wendrix2]\nC=3\nC2=y\n");
}

}  // namespace
}  // namespace wdx
