// One "Save" of the dialog, run in this process with a failing file layer: every step of every
// file it writes is made to fail in turn. After each failure every file is its old or its new
// version, no temporary file is left, the report is the message of the file operation, and the
// dialog stays open for another try.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <set>
#include <sstream>

#include "LangControl/Source/LangControl.h"
#include "framework/controls/Application.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/FrontEndInl.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "setup/ConfigUnit.h"

namespace wdx {
namespace {

namespace fs = std::filesystem;

std::string ReadOrMissing(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "<missing>";
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class SaveFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageLibrary("English");
    char folder[] = "/tmp/wdx-save-XXXXXX";
    root_ = ::mkdtemp(folder);
    inst_ = root_ / "Wendrix App";
    files_ = {
        {inst_ / "Korvane Wendrix V3.0.url", "<missing>"},
        {inst_ / "Getting Started (A step by step guide).url", "<missing>"},
        {root_ / "metabase.ini", "; IIS\n[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\n"},
        {root_ / "Apache/conf/httpd.conf", "Listen 80\n"},
        {root_ / "Apache/conf/httpd.conf.korvane", "<missing>"},
        {inst_ / "www/wendrix/cgi-bin/application.cfg", "http_root\nother\n"}};
    WriteFile(root_ / "registry.reg",
              "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\1.3]\r\n"
              "\"ServerRoot\"=\"" +
                  Escaped(WindowsPath((root_ / "Apache").string())) + "\\\\\"\r\n");
    setenv("WENDRIX_REGISTRY", (root_ / "registry.reg").c_str(), 1);
    setenv("WENDRIX_METABASE", (root_ / "metabase.ini").c_str(), 1);
    setenv("WENDRIX_COMPUTERNAME", "WEBHOST", 1);
  }

  void TearDown() override {
    SetFileFaultHook(nullptr);
    unsetenv("WENDRIX_REGISTRY");
    unsetenv("WENDRIX_METABASE");
    unsetenv("WENDRIX_COMPUTERNAME");
    fs::remove_all(root_);
    ShutdownLanguageLibrary();
  }

  static std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
  }

  // Puts every file back to its state before the first Save.
  void Reset() const {
    for (const auto& [path, bytes] : files_) {
      fs::remove(path);
      if (bytes != "<missing>") WriteFile(path, bytes);
    }
  }

  std::map<fs::path, std::string> Snapshot() const {
    std::map<fs::path, std::string> state;
    for (const auto& [path, bytes] : files_) state[path] = ReadOrMissing(path);
    return state;
  }

  // Names of temporary files anywhere under the scratch folder.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".wdxtmp-") != std::string::npos) names.push_back(name);
    }
    return names;
  }

  struct Outcome {
    std::vector<std::string> Reports;  // what the default error report showed
    bool Closed = false;
  };

  // Activates the dialog and presses Save with `hook` in the file layer, answering Yes to every
  // question.
  Outcome Save(const TFileFaultHook& hook) const {
    Outcome outcome;
    SetMessageBoxPresenter(
        [](const TMessageBox& box) { return box.Buttons.Contains(mbYes) ? mrYes : mrOK; });
    Application().SetErrorBox(
        [&](const std::string&, const std::string& text) { outcome.Reports.push_back(text); });
    {
      std::unique_ptr<TfrmWendrixSetup> dialog(CreateSetupDialog(&Application()));
      dialog->RunMode = rmSetup;
      dialog->InstallDir = WindowsPath(inst_.string());
      DispatchEvent(dialog.get(), [&] { dialog->Activate(); });
      SetFileFaultHook(hook);
      DispatchEvent(dialog->btOk, [&] { dialog->btOk->Click(); });
      SetFileFaultHook(nullptr);
      outcome.Closed = dialog->IsClosed();
    }
    Application().SetErrorBox(nullptr);
    SetMessageBoxPresenter(nullptr);
    return outcome;
  }

  // The messages a failing file operation may report for the files of one Save.
  bool IsFileMessage(const std::string& report) const {
    if (report == "Stream write error." || report == "Stream read error." ||
        report == "I/O error 1117." ||
        report == "The request could not be performed because of an I/O device error.")
      return true;
    for (const auto& [path, bytes] : files_) {
      const std::string win = WindowsPath(path.string());
      if (report == "Cannot open file " + win + "." || report == "Cannot create file " + win + ".")
        return true;
    }
    return false;
  }

  fs::path root_, inst_;
  std::vector<std::pair<fs::path, std::string>> files_;
};

TEST_F(SaveFaultTest, EveryFailingStepLeavesEachFileOldOrNewAndNoTemporaryFile) {
  Reset();
  const auto old = Snapshot();
  // Every version of every file that the steps of a clean Save pass through: the IIS stand-in
  // is written once per directory-service call, each time whole.
  std::vector<std::string> steps;
  std::map<fs::path, std::set<std::string>> versions;
  auto record = [&] {
    for (const auto& [path, bytes] : Snapshot()) versions[path].insert(bytes);
  };
  const Outcome clean = Save([&](const char* step, const std::string& path) {
    steps.push_back(std::string(step) + " " + path);
    record();
    return 0;
  });
  record();
  ASSERT_TRUE(clean.Reports.empty()) << clean.Reports.front();
  ASSERT_TRUE(clean.Closed);
  const auto saved = Snapshot();
  for (const auto& [path, bytes] : saved) ASSERT_NE(bytes, old.at(path)) << path;
  ASSERT_GT(steps.size(), 30u);

  for (size_t failing = 0; failing < steps.size(); ++failing) {
    SCOPED_TRACE("failing step " + std::to_string(failing) + ": " + steps[failing]);
    Reset();
    size_t count = 0;
    const Outcome run =
        Save([&](const char*, const std::string&) { return count++ == failing ? EIO : 0; });
    // A failing read of the IIS stand-in is a failed lookup, which yields no object and no
    // error; every other failure ends Save with one report.
    if (run.Reports.empty()) {
      EXPECT_TRUE(run.Closed);
    } else {
      ASSERT_EQ(run.Reports.size(), 1u);
      EXPECT_TRUE(IsFileMessage(run.Reports[0])) << run.Reports[0];
      EXPECT_FALSE(run.Closed);
    }
    for (const auto& [path, bytes] : Snapshot()) {
      EXPECT_TRUE(versions[path].count(bytes)) << path << ": " << bytes;
    }
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
  }
}

TEST_F(SaveFaultTest, RunningOutOfMemoryReachesTheErrorReportWithTheDialogOpen) {
  Reset();
  const auto old = Snapshot();
  const Outcome run = Save([](const char* step, const std::string& path) -> int {
    if (std::string(step) == "write" && path.find("application.cfg") != std::string::npos)
      throw std::bad_alloc();
    return 0;
  });
  EXPECT_EQ(run.Reports, std::vector<std::string>{"Out of memory."});
  EXPECT_FALSE(run.Closed);
  const fs::path config = inst_ / "www/wendrix/cgi-bin/application.cfg";
  EXPECT_EQ(ReadOrMissing(config), old.at(config));
  EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

}  // namespace
}  // namespace wdx
