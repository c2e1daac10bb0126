// One "Save" of the dialog, run in this process while the file layer fails one step at a time,
// with several errors, with unnamed temporary files and without. A failed step is either reported
// (one report naming the failure, the dialog open, every file old or a version a clean run passes
// through, no temporary file left) or the run ends exactly as a clean run ends.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstring>
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
#include "framework/rtl/Exceptions.h"
#include "framework/ui/FrontEndInl.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "setup/ConfigUnit.h"

namespace wdx {
namespace {

namespace fs = std::filesystem;

const std::string kMissing = "<missing>";

// Everything a Save may change about a file: its bytes, mode and extended attribute.
std::string StateOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return kMissing;
  std::ifstream file(path, std::ios::binary);
  std::stringstream state;
  char origin[64] = {};
  ::getxattr(path.c_str(), "user.origin", origin, sizeof origin - 1);
  state << file.rdbuf() << "|mode " << std::oct << (info.st_mode & 07777) << "|origin " << origin;
  return state.str();
}

// A file of the scratch installation before Save: its bytes and mode, with an attribute naming
// it; or nothing.
struct TFile {
  fs::path Path;
  std::string Bytes;
  mode_t Mode;
};

using TSnapshot = std::map<fs::path, std::string>;

class SaveFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageLibrary("English");
    // In memory where it can be, with extended attributes: flushing to a disk would be most of
    // the thousand Saves' time.
    char folder[] = "/dev/shm/wdx-save-XXXXXX";
    char fallback[] = "/tmp/wdx-save-XXXXXX";
    const char* made = ::mkdtemp(folder);
    const bool attributes = made && ::setxattr(made, "user.origin", "", 0, 0) == 0;
    if (made && !attributes) ::rmdir(made);
    root_ = attributes ? made : ::mkdtemp(fallback);
    inst_ = root_ / "Wendrix App";
    const fs::path conf = root_ / "Apache/conf";
    files_ = {{inst_ / "Korvane Wendrix V3.0.url", kMissing, 0},
              {inst_ / "Getting Started (A step by step guide).url", kMissing, 0},
              {root_ / "metabase.ini",
               "; IIS\n[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\n", 0640},
              {conf / "httpd.real.conf", "Listen 80\n", 0604},
              {conf / "httpd.conf.korvane", kMissing, 0},
              {inst_ / "www/wendrix/cgi-bin/application.cfg", "http_root\nother\n", 0660}};
    fs::create_directories(conf);
    fs::create_symlink("httpd.real.conf", conf / "httpd.conf");  // written through
    fs::create_directories(inst_ / "www/wendrix/cgi-bin");
    std::ofstream(root_ / "registry.reg")
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\1.3]\r\n"
        << "\"ServerRoot\"=\"" << Escaped(WindowsPath((root_ / "Apache").string())) << "\\\\\"\r\n";
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
    for (const TFile& file : files_) {
      fs::remove(file.Path);
      if (file.Bytes != kMissing) {
        std::ofstream(file.Path, std::ios::binary) << file.Bytes;
        ::chmod(file.Path.c_str(), file.Mode);
        const std::string name = file.Path.filename().string();
        ::setxattr(file.Path.c_str(), "user.origin", name.data(), name.size(), 0);
      }
    }
  }

  TSnapshot Snapshot() const {
    TSnapshot state;
    for (const TFile& file : files_) state[file.Path] = StateOf(file.Path);
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

  // Activates the dialog and presses Save with `hook` in the file layer, answering every question
  // with Yes (IIS's with `iis`). With `unnamed` false the system seems to offer no unnamed files.
  Outcome Save(const TFileFaultHook& hook, bool iis = true) const {
    Reset();
    Outcome outcome;
    SetMessageBoxPresenter([iis](const TMessageBox& box) {
      if (!box.Buttons.Contains(mbYes)) return mrOK;
      return iis || box.Text.find("IIS") == std::string::npos ? mrYes : mrNo;
    });
    Application().SetErrorBox(
        [&](const std::string&, const std::string& text) { outcome.Reports.push_back(text); });
    {
      std::unique_ptr<TfrmWendrixSetup> dialog(CreateSetupDialog(&Application()));
      dialog->RunMode = rmSetup;
      dialog->InstallDir = WindowsPath(inst_.string());
      DispatchEvent(dialog.get(), [&] { dialog->Activate(); });
      SetFileFaultHook([&](const char* step, const std::string& path) {
        return !unnamed_ && std::strcmp(step, "create unnamed") == 0 ? EOPNOTSUPP
                                                                     : hook(step, path);
      });
      DispatchEvent(dialog->btOk, [&] { dialog->btOk->Click(); });
      SetFileFaultHook(nullptr);
      outcome.Closed = dialog->IsClosed();
    }
    Application().SetErrorBox(nullptr);
    SetMessageBoxPresenter(nullptr);
    return outcome;
  }

  // Runs a clean Save, keeping its steps, every version of every file it passes through, and how
  // it ends; and how a Save ends whose lookup of IIS yields nothing, as when IIS is declined.
  void Prepare(bool unnamed) {
    unnamed_ = unnamed;
    steps_.clear();
    versions_.clear();
    auto record = [&] {
      for (const auto& [path, state] : Snapshot()) versions_[path].insert(state);
    };
    const Outcome clean = Save([&](const char* step, const std::string& path) {
      record();
      steps_.emplace_back(path, step);
      return 0;
    });
    record();
    ASSERT_TRUE(clean.Reports.empty()) << clean.Reports.front();
    ASSERT_TRUE(clean.Closed);
    clean_ = Snapshot();
    Reset();
    for (const auto& [path, state] : Snapshot()) ASSERT_NE(clean_.at(path), state) << path;
    ASSERT_TRUE(Save([](const char*, const std::string&) { return 0; }, false).Closed);
    declined_ = Snapshot();
    for (lookups_ = 0; steps_[lookups_] != std::pair<std::string, std::string>{Metabase(), "lock"};)
      ++lookups_;
  }

  Outcome SaveFailing(size_t failing, int error) const {
    size_t count = 0;
    return Save([&](const char*, const std::string&) { return count++ == failing ? error : 0; });
  }

  // What the default error report may show for `error` in a step of one of the files.
  std::set<std::string> Messages(int error) const {
    const unsigned code = error == EIO ? 1117 : error == ENOSPC ? 112 : 5;
    std::set<std::string> texts = {"Stream write error.", "Stream read error.",
                                   EInOutError(static_cast<int>(code)).what() + std::string("."),
                                   SystemErrorMessage(code)};
    for (TFile file : files_) {
      if (file.Path.filename() == "httpd.real.conf") file.Path.replace_filename("httpd.conf");
      texts.insert("Cannot open file " + WindowsPath(file.Path.string()) + ".");
      texts.insert("Cannot create file " + WindowsPath(file.Path.string()) + ".");
    }
    return texts;
  }

  // Why a run whose step `failing` failed with `error` broke the rule, or "" when it kept it.
  std::string Broken(const Outcome& run, size_t failing, int error) const {
    const TSnapshot now = Snapshot();
    if (const auto left = Leftovers(); !left.empty()) return "temporary file left: " + left[0];
    if (run.Reports.empty()) {
      if (!run.Closed) return "nothing reported, yet the dialog is open";
      // A directory-service lookup that fails yields nothing, without a word.
      const bool lookup = failing < lookups_ && steps_[failing].first == Metabase();
      if (now == clean_ || (lookup && now == declined_)) return "";
      return "nothing reported, yet the files are not as a clean Save leaves them";
    }
    if (error == EINTR) return "an interrupted call ended Save: " + run.Reports[0];
    if (run.Reports.size() != 1 || run.Closed) return "not one report with the dialog open";
    if (!Messages(error).count(run.Reports[0]))
      return "report of another failure: " + run.Reports[0];
    for (const auto& [path, state] : now) {
      if (!versions_.at(path).count(state))
        return path.string() + " is neither old nor new: " + state;
    }
    return "";
  }

  fs::path root_, inst_;
  std::vector<TFile> files_;
  bool unnamed_ = true;
  std::string Metabase() const { return (root_ / "metabase.ini").string(); }

  std::vector<std::pair<std::string, std::string>> steps_;  // of a clean Save: path, step
  std::map<fs::path, std::set<std::string>> versions_;
  TSnapshot clean_, declined_;
  size_t lookups_ = 0;  // the steps before the IIS stand-in is first locked
};

TEST_F(SaveFaultTest, EveryFailedStepIsReportedOrSaveEndsAsACleanSaveEnds) {
  for (const bool unnamed : {true, false}) {
    Prepare(unnamed);
    ASSERT_GT(steps_.size(), 100u);
    const int errors[] = {EIO, ENOSPC, EACCES};
    for (size_t failing = 0; failing < steps_.size(); ++failing) {
      for (const int error : {errors[failing % 3], EINTR}) {
        SCOPED_TRACE(std::string(unnamed ? "unnamed" : "named") + " temporary files, step " +
                     std::to_string(failing) + " " + steps_[failing].second + " " +
                     steps_[failing].first + " failing with " + std::strerror(error));
        EXPECT_EQ(Broken(SaveFailing(failing, error), failing, error), "");
      }
    }
  }
}

TEST_F(SaveFaultTest, AStepThatIgnoresItsErrorIsSeen) {
  Prepare(true);
  const std::set<std::string> changing = {"write", "rename", "chmod", "setxattr"};
  size_t seen = 0;
  for (size_t failing = 0; failing < steps_.size(); ++failing) {
    if (!changing.count(steps_[failing].second)) continue;
    SCOPED_TRACE(steps_[failing].second + " " + steps_[failing].first);
    EXPECT_NE(Broken(SaveFailing(failing, kIgnoredFault), failing, EIO), "");
    ++seen;
  }
  EXPECT_GE(seen, 20u);
}

TEST_F(SaveFaultTest, RunningOutOfMemoryReachesTheErrorReportWithTheDialogOpen) {
  Reset();
  const TSnapshot old = Snapshot();
  const Outcome run = Save([](const char* step, const std::string& path) -> int {
    if (std::string(step) == "write" && path.find("application.cfg") != std::string::npos)
      throw std::bad_alloc();
    return 0;
  });
  EXPECT_EQ(run.Reports, std::vector<std::string>{"Out of memory."});
  EXPECT_FALSE(run.Closed);
  const fs::path config = inst_ / "www/wendrix/cgi-bin/application.cfg";
  EXPECT_EQ(StateOf(config), old.at(config));
  EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

}  // namespace
}  // namespace wdx
