#include "framework/ui/terminal/TextLayout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace wdx::terminal {
namespace {

using ::testing::ElementsAre;

TEST(TerminalText, LinesBreakAtCarriageReturnLineFeedOrBoth) {
  EXPECT_THAT(SplitLines("a\rb\nc\r\nd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(SplitLines("a\n\rb"), ElementsAre("a", "", "b"));
  EXPECT_THAT(SplitLines("a\r\n"), ElementsAre("a", ""));
  EXPECT_THAT(SplitLines(""), ElementsAre(""));
}

TEST(TerminalText, WrappingBreaksAtBlanksAndCutsLongWords) {
  EXPECT_THAT(WrapText("one two three", 7), ElementsAre("one two", "three"));
  EXPECT_THAT(WrapText("abcdefghij", 4), ElementsAre("abcd", "efgh", "ij"));
  EXPECT_THAT(WrapText("ab cd\ref", 10), ElementsAre("ab cd", "ef"));
  EXPECT_THAT(WrapText("exactly", 7), ElementsAre("exactly"));
}

TEST(TerminalText, MasksMatchIgnoringCaseWithWildcards) {
  EXPECT_TRUE(MatchesMask("HTTPD.CONF", "httpd.conf"));
  EXPECT_FALSE(MatchesMask("httpd.conf.default", "httpd.conf"));
  EXPECT_FALSE(MatchesMask("xhttpd.conf", "httpd.conf"));
  EXPECT_TRUE(MatchesMask("a.conf", "*.conf"));
  EXPECT_TRUE(MatchesMask("a.b.conf", "*.conf"));
  EXPECT_FALSE(MatchesMask("a.confx", "*.conf"));
  EXPECT_TRUE(MatchesMask("ab", "a?"));
  EXPECT_FALSE(MatchesMask("a", "a?"));
  EXPECT_TRUE(MatchesMask("", "*"));
}

TEST(TerminalText, FiltersGiveTheMasksAndDescriptionOfAnEntry) {
  EXPECT_THAT(FilterMasks("Apache Config File|httpd.conf", 1), ElementsAre("httpd.conf"));
  EXPECT_EQ(FilterDescription("Apache Config File|httpd.conf", 1), "Apache Config File");
  EXPECT_THAT(FilterMasks("Text|*.txt; *.log|All|*", 1), ElementsAre("*.txt", "*.log"));
  EXPECT_THAT(FilterMasks("Text|*.txt|All|*", 2), ElementsAre("*"));
  EXPECT_THAT(FilterMasks("Text|*.txt|All|*.*", 9), ElementsAre("*.txt"));
  EXPECT_THAT(FilterMasks("", 1), ElementsAre("*"));
}

TEST(TerminalText, PathsAreWindowsPathsWithDriveRoots) {
  EXPECT_EQ(JoinPath("Z:\\", "etc"), "Z:\\etc");
  EXPECT_EQ(JoinPath("Z:\\etc", "x"), "Z:\\etc\\x");
  EXPECT_EQ(FolderOf("Z:\\etc\\x"), "Z:\\etc");
  EXPECT_EQ(FolderOf("Z:\\etc"), "Z:\\");
  EXPECT_EQ(FolderOf("Z:\\"), "Z:\\");
  EXPECT_EQ(FolderOf("httpd.conf"), "");
  EXPECT_EQ(NameOf("C:\\Program Files\\httpd.conf"), "httpd.conf");
  EXPECT_EQ(ResolvePath("Z:\\etc\\apache", "..\\x.conf"), "Z:\\etc\\x.conf");
  EXPECT_EQ(ResolvePath("Z:\\etc\\apache", "\\tmp\\y"), "Z:\\tmp\\y");
  EXPECT_EQ(ResolvePath("Z:\\etc", "/tmp/./y/"), "Z:\\tmp\\y");
  EXPECT_EQ(ResolvePath("Z:\\etc", "C:\\a\\..\\.."), "C:\\");
  EXPECT_EQ(ResolvePath("Z:\\etc", "sub"), "Z:\\etc\\sub");
  EXPECT_EQ(ResolvePath("", "Z:\\etc\\"), "Z:\\etc");
}

}  // namespace
}  // namespace wdx::terminal
