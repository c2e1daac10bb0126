#include "platform/DirectoryService.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace wdx {
namespace {

class MetabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/wdx-iis-XXXXXX";
    dir_ = ::mkdtemp(folder);
    file_ = dir_ + "/metabase.ini";
    Write("[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\nPath=C:\\Inetpub\\wwwroot\n");
    setenv("WENDRIX_METABASE", file_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("WENDRIX_METABASE");
    std::system(("rm -rf " + dir_).c_str());
  }
  void Write(const std::string& text) { std::ofstream(file_) << text; }
  std::string Read() {
    std::stringstream text;
    text << std::ifstream(file_).rdbuf();
    return text.str();
  }
  std::string dir_, file_;
};

TEST_F(MetabaseTest, LooksUpSectionsIgnoringCase) {
  auto service = CreateDirectoryService();
  EXPECT_TRUE(service->Installed());
  EXPECT_NE(service->Lookup("iis://LOCALHOST/w3svc/1/root"), nullptr);
  EXPECT_EQ(service->Lookup("IIS://localhost/W3SVC/1/Root/wendrix"), nullptr);
  unsetenv("WENDRIX_METABASE");
  auto absent = CreateDirectoryService();
  EXPECT_FALSE(absent->Installed());
  EXPECT_EQ(absent->Lookup("IIS://localhost/W3SVC/1/Root"), nullptr);
}

TEST_F(MetabaseTest, CreatedObjectsAndPropertiesAreWrittenAtSetInfo) {
  auto service = CreateDirectoryService();
  auto root = service->Lookup("IIS://localhost/W3SVC/1/Root");
  auto app = root->Call("Create", {"IIsWebVirtualDir", "wendrix"});
  ASSERT_NE(app, nullptr);
  app->Put("Path", "Z:\\opt\\wdx\\www\\wendrix");
  app->Put("EnableDefaultDoc", true);
  EXPECT_EQ(service->Lookup("IIS://localhost/W3SVC/1/Root/wendrix"), nullptr);  // not yet
  app->Call("SetInfo");
  EXPECT_EQ(Read(),
            "[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\nPath=C:\\Inetpub\\wwwroot\n\n"
            "[IIS://localhost/W3SVC/1/Root/wendrix]\nClass=IIsWebVirtualDir\n"
            "Path=Z:\\opt\\wdx\\www\\wendrix\nEnableDefaultDoc=True\n");
  auto cgi = app->Call("Create", {"IIsWebVirtualDir", "cgi-bin"});
  cgi->Call("SetInfo");
  cgi->Call("AppCreate", {true});
  EXPECT_NE(Read().find("AppRoot=/LM/W3SVC/1/Root/wendrix/cgi-bin\nAppIsolated=0\n"),
            std::string::npos);
  cgi->Call("AppDisable");
  cgi->Call("AppDelete");
  EXPECT_EQ(Read().find("AppRoot"), std::string::npos);
  EXPECT_THROW(app->Call("Create", {"IIsWebVirtualDir", "cgi-bin"}), EOleException);
}

TEST_F(MetabaseTest, DeleteRemovesTheSubtreeAndRefusesMissingChildren) {
  Write(
      "[IIS://localhost/W3SVC/1/Root]\n[IIS://localhost/W3SVC/1/Root/wendrix]\n"
      "[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]\n[IIS://localhost/W3SVC/1/Root/wendrix2]\n");
  auto service = CreateDirectoryService();
  auto root = service->Lookup("IIS://localhost/W3SVC/1/Root");
  root->Call("Delete", {"IIsWebVirtualDir", "WENDRIX"});
  EXPECT_EQ(Read(), "[IIS://localhost/W3SVC/1/Root]\n\n[IIS://localhost/W3SVC/1/Root/wendrix2]\n");
  EXPECT_THROW(root->Call("Delete", {"IIsWebVirtualDir", "wendrix"}), EOleException);
  try {
    root->Call("Frobnicate");
    FAIL();
  } catch (const EOleException& e) {
    EXPECT_STREQ(e.what(), "Method 'Frobnicate' not supported by automation object");
  }
}

TEST_F(MetabaseTest, AFileThatCannotBeWrittenGivesTheSystemsText) {
  auto service = CreateDirectoryService();
  auto root = service->Lookup("IIS://localhost/W3SVC/1/Root");
  ::chmod(file_.c_str(), 0444);
  root->Put("Path", "x");
  try {
    root->Call("SetInfo");
    FAIL();
  } catch (const EOleException& e) {
    EXPECT_STREQ(e.what(), "Access is denied.");
  }
  EXPECT_NE(Read().find("Path=C:\\Inetpub\\wwwroot"), std::string::npos);
  Write("garbage without sections\n");
  EXPECT_EQ(service->Lookup("IIS://localhost/W3SVC/1/Root"), nullptr);
}

}  // namespace
}  // namespace wdx
