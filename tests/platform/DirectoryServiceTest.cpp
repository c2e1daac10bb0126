// The directory service over the IIS stand-in file, as the setup program reaches it: the POSIX
// build's stand-in, and in the Windows build the real directory-service library routing the
// "IIS" namespace to the tests' provider (bin/iis-standin.dll). The same cases hold on both.
#include "platform/DirectoryService.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/System.h"
#include "tests/platform/StandInEnvironment.h"

namespace wdx {
namespace {

namespace fs = std::filesystem;

const std::string kRootSection =
    "[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\nPath=C:\\Inetpub\\wwwroot\n";

class DirectoryServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() / ("wdx-iis-" + std::to_string(stamp));
    fs::create_directories(dir_);
    file_ = dir_ / "metabase.ini";
    Write(kRootSection);
    SetVariable("WENDRIX_METABASE", file_.string());
    service_ = CreateDirectoryService();
  }
  void TearDown() override {
    service_.reset();
    SetVariable("WENDRIX_METABASE", "");
    std::error_code ignored;
    fs::permissions(file_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
  }
  void Write(const std::string& text) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << text;
  }
  std::string Read() {
    std::stringstream text;
    text << std::ifstream(file_, std::ios::binary).rdbuf();
    return text.str();
  }
  std::unique_ptr<IAutomationObject> Root() {
    auto root = service_->Lookup("IIS://localhost/W3SVC/1/Root");
    if (!root) ADD_FAILURE() << "no root object";
    return root;
  }
  // The message of the failure that `call` raises, or "" when it raises none.
  template <class Call>
  static std::string Failure(Call&& call) {
    try {
      call();
    } catch (const EOleException& error) {
      return error.Message();
    }
    return "";
  }

  fs::path dir_, file_;
  std::unique_ptr<IDirectoryService> service_;
};

TEST_F(DirectoryServiceTest, LooksUpSectionsIgnoringCaseAndNothingWithoutAFile) {
  EXPECT_TRUE(service_->Installed());
  EXPECT_NE(service_->Lookup("iis://LOCALHOST/w3svc/1/root"), nullptr);
  EXPECT_EQ(service_->Lookup("IIS://localhost/W3SVC/1/Root/wendrix"), nullptr);
  EXPECT_EQ(service_->Lookup("IIS://localhost/W3SVC/1"), nullptr);
  fs::remove(file_);
  EXPECT_EQ(service_->Lookup("IIS://localhost/W3SVC/1/Root"), nullptr);
}

TEST_F(DirectoryServiceTest, CreatedObjectsAndPropertiesAreWrittenAtSetInfo) {
  auto root = Root();
  auto app = root->Call("Create", {"IIsWebVirtualDir", "wendrix"});
  ASSERT_NE(app, nullptr);
  app->Put("Path", "Z:\\opt\\wdx\\www\\wendrix");
  app->Put("EnableDefaultDoc", true);
  EXPECT_EQ(service_->Lookup("IIS://localhost/W3SVC/1/Root/wendrix"), nullptr);  // not yet
  EXPECT_EQ(Read(), kRootSection);
  app->Call("SetInfo");
  EXPECT_EQ(Read(), kRootSection +
                        "\n[IIS://localhost/W3SVC/1/Root/wendrix]\nClass=IIsWebVirtualDir\n"
                        "Path=Z:\\opt\\wdx\\www\\wendrix\nEnableDefaultDoc=True\n");

  // AppCreate and AppDelete change the file at once, the first one bringing a created object
  // into being; AppDisable changes nothing.
  auto cgi = app->Call("Create", {"IIsWebVirtualDir", "cgi-bin"});
  cgi->Put("AccessExecute", true);
  cgi->Call("AppCreate", {true});
  const std::string created = Read();
  EXPECT_NE(created.find("[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]\nClass=IIsWebVirtualDir\n"
                         "AppRoot=/LM/W3SVC/1/Root/wendrix/cgi-bin\nAppIsolated=0\n"),
            std::string::npos)
      << created;
  EXPECT_EQ(created.find("AccessExecute"), std::string::npos);
  cgi->Call("AppCreate", {false});
  EXPECT_NE(Read().find("AppIsolated=1\n"), std::string::npos);
  cgi->Call("AppDisable");
  cgi->Call("AppDelete");
  EXPECT_EQ(Read().find("AppRoot"), std::string::npos);
  EXPECT_EQ(Read().find("AppIsolated"), std::string::npos);
  cgi->Call("SetInfo");
  EXPECT_NE(Read().find("Class=IIsWebVirtualDir\nAccessExecute=True\n"), std::string::npos);

  EXPECT_EQ(Failure([&] {
              app->Call("Create", {"IIsWebVirtualDir", "CGI-BIN"});
            }),
            "Cannot create a file when that file already exists.");
  EXPECT_EQ(Failure([&] {
              app->Call("Create", {"IIsWebVirtualDir", "a/b"});
            }),
            "The parameter is incorrect.");
  EXPECT_EQ(Failure([&] { app->Call("Create", {"IIsWebVirtualDir"}); }),
            "Invalid number of parameters.");
}

TEST_F(DirectoryServiceTest, DeleteRemovesTheSubtreeAndRefusesMissingChildren) {
  Write(
      "[IIS://localhost/W3SVC/1/Root]\n[IIS://localhost/W3SVC/1/Root/wendrix]\n"
      "[IIS://localhost/W3SVC/1/Root/wendrix/cgi-bin]\n[IIS://localhost/W3SVC/1/Root/wendrix2]\n");
  auto root = Root();
  root->Call("Delete", {"IIsWebVirtualDir", "WENDRIX"});
  EXPECT_EQ(Read(), "[IIS://localhost/W3SVC/1/Root]\n[IIS://localhost/W3SVC/1/Root/wendrix2]\n");
  EXPECT_EQ(Failure([&] {
              root->Call("Delete", {"IIsWebVirtualDir", "wendrix"});
            }),
            "The system cannot find the path specified.");
  EXPECT_EQ(Failure([&] { root->Call("Frobnicate"); }),
            "Method 'Frobnicate' not supported by automation object");
}

TEST_F(DirectoryServiceTest, RewritesKeepEveryLineTheyDoNotChange) {
  const std::string text =
      "; the test web site\r\n"
      "[IIS://localhost/W3SVC/1/Root]\r\n"
      "Class = IIsWebVirtualDir\r\n"
      "Path=C:\\Inetpub\\wwwroot\r\n"
      "\r\n"
      "# wendrix, written by hand\r\n"
      "[IIS://localhost/W3SVC/1/Root/wendrix]\r\n"
      "Path=C:\\old\r\n"
      "[IIS://localhost/W3SVC/2/Root]\r\n"
      "[IIS://localhost/W3SVC/1/Root/wendrix]\r\n"
      "DefaultDoc=old.htm\r\n";
  Write(text);
  auto app = service_->Lookup("IIS://localhost/W3SVC/1/Root/wendrix");
  ASSERT_NE(app, nullptr);
  app->Put("Path", "Z:\\new");
  app->Put("DefaultDoc", "index.html");
  app->Put("EnableDefaultDoc", true);
  app->Call("SetInfo");
  std::string expected = text;
  expected.replace(expected.find("Path=C:\\old"), 11, "Path=Z:\\new");
  expected.replace(expected.find("DefaultDoc=old.htm"), 18,
                   "DefaultDoc=index.html\r\nEnableDefaultDoc=True");
  EXPECT_EQ(Read(), expected);
}

TEST_F(DirectoryServiceTest, AFileThatCannotBeWrittenOrReadGivesItsReasonAndStaysAsItWas) {
  auto root = Root();
  fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  root->Put("Path", "x");
  EXPECT_EQ(Failure([&] { root->Call("SetInfo"); }), SystemErrorMessage(5));
  EXPECT_EQ(Read(), kRootSection);

  fs::permissions(file_, fs::perms::owner_write, fs::perm_options::add);
  Write(kRootSection + "garbage without an equals sign\n");
  EXPECT_EQ(Failure([&] { root->Call("SetInfo"); }),
            file_.string() + ", line 4: Name=Value expected");
  if (LookupReportsMalformedFile()) {
    EXPECT_EQ(Failure([&] { service_->Lookup("IIS://localhost/W3SVC/1/Root"); }),
              file_.string() + ", line 4: Name=Value expected");
  } else {
    EXPECT_EQ(service_->Lookup("IIS://localhost/W3SVC/1/Root"), nullptr);
  }
  fs::remove(file_);
  EXPECT_NE(Failure([&] { root->Call("SetInfo"); }), "");
}

}  // namespace
}  // namespace wdx
