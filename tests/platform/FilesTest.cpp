#include "platform/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/wdx-files-XXXXXX";
    root_ = ::mkdtemp(folder);
    setenv("WENDRIX_DRIVE_C", root_.c_str(), 1);
    unsetenv("WENDRIX_DRIVE_D");
  }
  void TearDown() override {
    unsetenv("WENDRIX_DRIVE_C");
    std::system(("rm -rf " + root_).c_str());
  }
  std::string root_;
};

TEST_F(FilesTest, MapsDrivesTheWayWineDoes) {
  EXPECT_EQ(NativePath("Z:\\opt\\wdx\\WDXConfig"), "/opt/wdx/WDXConfig");
  EXPECT_EQ(NativePath("z:"), "/");
  EXPECT_EQ(NativePath("C:\\Program Files\\x.conf"), root_ + "/Program Files/x.conf");
  EXPECT_EQ(NativePath("D:\\x"), "");  // a drive that is not configured does not exist
  EXPECT_EQ(NativePath("conf\\httpd.conf"), "conf/httpd.conf");
  EXPECT_EQ(NativePath("\\\\server\\share\\x"), "");
  EXPECT_EQ(WindowsPath("/tmp/x/WDXConfig"), "Z:\\tmp\\x\\WDXConfig");
  EXPECT_FALSE(FileExists("D:\\x"));
}

TEST_F(FilesTest, ReplacesFilesWholeAndKeepsTheOldOneOnFailure) {
  const std::string path = "C:\\application.cfg";
  SaveFileReplacing(path, std::string("a\0b", 3));
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(FileExists("C:\\"));
  EXPECT_TRUE(DirectoryExists("C:\\"));
  EXPECT_EQ(ReadFileBytes(path), std::string("a\0b", 3));
  SaveFileReplacing(path, "second");
  EXPECT_EQ(ReadFileBytes(path), "second");
  ::chmod((root_ + "/application.cfg").c_str(), 0444);
  EXPECT_THROW(SaveFileReplacing(path, "third"), EFCreateError);
  try {
    SaveFileReplacingInOut(path, "third");
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "File access denied");
  }
  try {
    SaveFileReplacingInOut("C:\\missing\\x.url", "x");
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 3);  // a missing folder is a path not found
    EXPECT_STREQ(e.what(), "Invalid filename");
  }
  try {
    SaveFileReplacing("C:\\missing\\x.cfg", "x");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_STREQ(e.what(), "Cannot create file C:\\missing\\x.cfg");
  }
  EXPECT_EQ(ReadFileBytes(path), "second");  // nothing left half-written
  try {
    ReadFileBytes("C:\\nothing.cfg");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file C:\\nothing.cfg");
  }
  EXPECT_THROW(ReadFileBytes("C:\\"), EFOpenError);
}

TEST_F(FilesTest, ListsFoldersSortedIgnoringCase) {
  ::mkdir((root_ + "/conf").c_str(), 0755);
  std::ofstream(root_ + "/b.txt") << "x";
  std::ofstream(root_ + "/A.txt") << "x";
  const auto entries = ListDirectory("C:\\");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, "A.txt");
  EXPECT_EQ(entries[1].Name, "b.txt");
  EXPECT_TRUE(entries[2].IsDirectory);
  EXPECT_TRUE(ListDirectory("D:\\").empty());
}

}  // namespace
}  // namespace wdx
