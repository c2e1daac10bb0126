// Runs the real WDXConfig the way an administrator's installation holds it: a copy of the
// program in a fresh installation folder, the stand-ins' environment and a script of user
// actions, then looks at what it printed, its exit code and the files it left.
//
// WDX_E2E_PROGRAM names the program (default: the native build's WDXConfig). With
// WDX_E2E_WINE=1 it is a Windows build run through the wine wrapper: the registry is wine's
// own (a test's .reg text is imported before the run and removed afterwards), the computer
// name is the host's, and IIS is the tests' provider beside the program (iis-standin.dll, or
// WDX_E2E_IIS_PROVIDER), registered in the wine prefix once per run, serving the same stand-in
// file through the directory-service library; without a directory service, wine's library is
// switched off for the run.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Skips the rest of the test when the program runs under wine.
#define WDX_E2E_NATIVE_ONLY(reason) \
  if (::wdx::e2e::UnderWine()) GTEST_SKIP() << "under wine: " << (reason)

namespace wdx::e2e {

bool UnderWine();

// What one run of the program showed.
struct Outcome {
  int exitCode = -1;               // -1 when it did not end by itself
  std::vector<std::string> lines;  // standard output, one entry a line
  std::string errors;              // standard error
};

// Limits put on the program's process.
struct Limits {
  long fileSizeBytes = -1;      // RLIMIT_FSIZE; -1 for none
  long addressSpaceBytes = -1;  // RLIMIT_AS; -1 for none
  long asUser = -1;  // the user and group id the program runs as (from the superuser); -1: ours
};

using Lines = std::vector<std::string>;

// The program under test.
std::string ProgramPath();

// Runs a command line with /bin/sh in `folder`, as a shell would run it for a newcomer: the
// environment holds only what finding programs and running wine need. Standard error goes with
// standard output into `lines`.
Outcome RunShell(const std::string& commandLine, const std::string& folder);

// The values that the dumps in a run's output gave `key` ("edLogo.Text"), in order.
Lines Dumped(const Outcome& run, const std::string& key);

// The text with every backslash doubled, as the scripted front-end prints it.
std::string Doubled(const std::string& text);

// The Windows path of a native absolute path: Z: is the Linux root on both builds.
std::string WinPath(const std::string& nativePath);

std::string ReadBytes(const std::string& nativePath);
void WriteBytes(const std::string& nativePath, const std::string& bytes);
bool PathExists(const std::string& nativePath);
// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::string& nativePath);

// The texts the program shows, as the scripted front-end prints them.
extern const char* const kTitle;
std::string Box(const std::string& caption, const std::string& escapedText);
std::string ErrorReport(const std::string& escapedText);  // the default error report
extern const char* const kIisQuestion;
extern const char* const kApacheQuestion;
extern const char* const kUnableWarning;
extern const char* const kApacheNotFound;
extern const char* const kStartPageFile;       // "Korvane Wendrix V3.0.url"
extern const char* const kGettingStartedFile;  // "Getting Started (A step by step guide).url"

// The content of a .url file naming `url`.
std::string Shortcut(const std::string& url);
// A line of application.cfg's settings: `'key'=>'value',` as the program writes it.
inline std::string ConfigEntry(const std::string& key, const std::string& value) {
  return std::string(10, ' ') + "'" + key + "'=>'" + value + "',\r\n";
}

// The IIS stand-in's web site 1 root, as a fresh server has it.
inline const std::string kSiteRoot =
    "[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\nPath=C:\\Inetpub\\wwwroot\n";

// The Apache block for an installation folder (in Windows form), with CR LF line ends.
std::string ApacheBlock(const std::string& installDir);

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const std::string& Root() const { return root_; }          // scratch folder of the test
  std::string Inst(const std::string& relative = "") const;  // native path in the installation
  std::string InstallDir() const { return WinPath(inst_); }  // as the program sees it
  std::string CgiBin() const { return Inst("www/wendrix/cgi-bin"); }
  std::string ConfigPath() const { return CgiBin() + "/application.cfg"; }
  std::string ComputerName() const;  // what the program gets as the computer's name

  // The IIS stand-in file (native builds; an empty one, which holds no IIS, is the default).
  void UseMetabase(const std::string& text);
  std::string Metabase() const { return ReadBytes(metabase_); }
  const std::string& MetabaseFile() const { return metabase_; }
  void NoDirectoryService() { metabaseSet_ = false; }
  // The registry as .reg text (REGEDIT4).
  void UseRegistry(const std::string& regText);
  // An Apache registry key with one version subkey whose ServerRoot is `serverRoot`.
  void UseApacheServerRoot(const std::string& serverRoot);
  // An Apache installation in the scratch folder whose httpd.conf holds `conf`, registered
  // with a ServerRoot that ends in a backslash; returns the native path of httpd.conf.
  std::string InstallApache(const std::string& conf);
  // Renames the installation folder (the program's) to `name`, in the scratch folder.
  void RenameInstallation(const std::string& name);
  // An environment variable for the run (replacing a default such as LC_ALL).
  void SetEnv(const std::string& name, const std::string& value);
  void UnsetEnv(const std::string& name);

  // Runs the program with the arguments and the script's lines.
  Outcome Run(const std::vector<std::string>& args, const std::vector<std::string>& script,
              const Limits& limits = {});
  // Set-up mode ("0").
  Outcome RunSetup(const std::vector<std::string>& script, const Limits& limits = {}) {
    return Run({"0"}, script, limits);
  }

 private:
  std::string root_;
  std::string inst_;
  std::string program_;
  std::string metabase_;
  bool metabaseSet_ = true;
  bool registryImported_ = false;
  std::string registryFile_;
  std::vector<std::pair<std::string, std::string>> env_;
};

}  // namespace wdx::e2e
