#include "tests/e2e/E2eHarness.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace wdx::e2e {

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

std::string Program() {
  return EnvOr("WDX_E2E_PROGRAM", WDX_E2E_DEFAULT_PROGRAM);
}

// The variables wine itself needs to find its prefix and its server (whose folder lies under
// TMPDIR: with another TMPDIR a program would get a server of its own); nothing else of the
// caller's environment reaches the program.
std::vector<std::pair<std::string, std::string>> WineEnvironment() {
  std::vector<std::pair<std::string, std::string>> env;
  for (const char* name : {"PATH", "HOME", "XDG_CACHE_HOME", "WDX_WINEPREFIX", "TMPDIR"}) {
    if (const char* value = std::getenv(name)) env.emplace_back(name, value);
  }
  return env;
}

struct Spawned {
  int exitCode = -1;  // -1 when it did not end by itself
  int signal = 0;     // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// How a spawned program ended, for a failure message.
std::string HowItEnded(const Spawned& run) {
  if (run.signal != 0) {
    return "was ended by signal " + std::to_string(run.signal) + " (" + ::strsignal(run.signal) +
           ")";
  }
  if (run.exitCode < 0) return "did not end in time and was killed";
  return "exited with status " + std::to_string(run.exitCode);
}

// Runs argv with exactly `env`, in `folder`, and collects both output streams.
Spawned Spawn(const std::vector<std::string>& argv,
              const std::vector<std::pair<std::string, std::string>>& env,
              const std::string& folder, const Limits& limits, int timeoutSeconds) {
  std::vector<std::string> envText;
  for (const auto& [name, value] : env) envText.push_back(name + "=" + value);
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& e : envText) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::setpgid(0, 0);
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    if (limits.fileSizeBytes >= 0) {
      // Writes beyond the limit fail with EFBIG instead of killing the program.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit size{static_cast<rlim_t>(limits.fileSizeBytes),
                        static_cast<rlim_t>(limits.fileSizeBytes)};
      ::setrlimit(RLIMIT_FSIZE, &size);
    }
    if (limits.addressSpaceBytes >= 0) {
      const rlimit space{static_cast<rlim_t>(limits.addressSpaceBytes),
                         static_cast<rlim_t>(limits.addressSpaceBytes)};
      ::setrlimit(RLIMIT_AS, &space);
    }
    if (limits.asUser >= 0) {
      const auto id = static_cast<uid_t>(limits.asUser);
      if (::setgroups(0, nullptr) != 0 || ::setresgid(id, id, id) != 0 ||
          ::setresuid(id, id, id) != 0)
        ::_exit(126);
    }
    ::execve(args[0], args.data(), envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  Spawned result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  auto open = [&] { return fds[0].fd >= 0 || fds[1].fd >= 0; };
  // Reads what the pipes hold within `waitMs`; the number of bytes read.
  auto drain = [&](int waitMs) {
    size_t read = 0;
    if (!open() || ::poll(fds, 2, waitMs) <= 0) return read;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char chunk[4096];
      const ssize_t n = ::read(fds[i].fd, chunk, sizeof chunk);
      if (n > 0) {
        sinks[i]->append(chunk, static_cast<size_t>(n));
        read += static_cast<size_t>(n);
      } else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
      }
    }
    return read;
  };
  // Under wine, the wine server started by the program inherits the pipes and outlives it, so
  // the end of the program, not the end of the pipes, ends the run.
  int status = 0;
  bool exited = false;
  bool killed = false;
  while (!exited) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(-pid, SIGKILL);
      killed = true;
    }
    drain(20);
    const int flags = killed || !open() ? 0 : WNOHANG;
    if (::waitpid(pid, &status, flags) == pid) {
      exited = true;
      while (drain(0) > 0) {
      }
    }
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) ::close(fd.fd);
  }
  if (!killed && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (!killed && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

// Runs a Windows command-line tool of the wine prefix (reg.exe); one that fails, unless it says
// `allowedError`, is an error.
void RunWineTool(const std::vector<std::string>& args, const std::string& allowedError = "") {
  std::vector<std::string> argv = {"/bin/bash", WDX_E2E_WINE_RUN};
  argv.insert(argv.end(), args.begin(), args.end());
  const Spawned run = Spawn(argv, WineEnvironment(), "/", {}, 120);
  const std::string said = run.out + run.err;
  if (run.exitCode != 0 && (allowedError.empty() || said.find(allowedError) == std::string::npos)) {
    throw std::runtime_error("wine " + args[0] + " " + HowItEnded(run) + ": " + said);
  }
}

// Removes an Apache installation from both registry views of the wine prefix.
void DeleteWineApacheKeys() {
  for (const char* view : {"/reg:64", "/reg:32"}) {
    RunWineTool({"reg", "delete", "HKLM\\SOFTWARE\\Apache Group", "/f", view},
                "Unable to find the specified registry key");
  }
}

// Registers the tests' IIS provider in the wine prefix, once per run of the tests.
void RegisterIisProvider() {
  static bool registered = false;
  if (registered) return;
  const std::string provider =
      EnvOr("WDX_E2E_IIS_PROVIDER",
            std::filesystem::path(Program()).parent_path().append("iis-standin.dll").string());
  if (!std::filesystem::exists(provider)) {
    throw std::runtime_error("no IIS provider " + provider + ": build the Windows build's tests");
  }
  RunWineTool({"regsvr32", "/s", WinPath(provider)});
  registered = true;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\\' ? "\\\\" : std::string(1, c);
  return out;
}

}  // namespace

std::string ProgramPath() {
  return Program();
}

Outcome RunShell(const std::string& commandLine, const std::string& folder) {
  const Spawned run =
      Spawn({"/bin/sh", "-c", "exec 2>&1\n" + commandLine}, WineEnvironment(), folder, {}, 120);
  Outcome outcome;
  outcome.exitCode = run.exitCode;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) outcome.lines.push_back(line);
  return outcome;
}

Lines Dumped(const Outcome& run, const std::string& key) {
  Lines values;
  for (const std::string& line : run.lines) {
    if (line.rfind(key + "=", 0) == 0) values.push_back(line.substr(key.size() + 1));
  }
  return values;
}

std::string Doubled(const std::string& text) {
  return Escaped(text);
}

bool UnderWine() {
  return EnvOr("WDX_E2E_WINE", "") == "1";
}

std::string WinPath(const std::string& nativePath) {
  std::string path = nativePath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

std::string ReadBytes(const std::string& nativePath) {
  std::ifstream file(nativePath, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + nativePath);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& nativePath, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(nativePath).parent_path());
  std::ofstream file(nativePath, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + nativePath);
}

bool PathExists(const std::string& nativePath) {
  struct stat info {};
  return ::lstat(nativePath.c_str(), &info) == 0;
}

std::vector<std::string> FolderNames(const std::string& nativePath) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(nativePath)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const char* const kTitle = "Korvane Wendrix [ Configuration ]";
const char* const kIisQuestion =
    "box Confirm | Setup Korvane Wendrix under IIS (Internet Information Server)?";
const char* const kApacheQuestion = "box Confirm | Setup Korvane Wendrix under Apache Web Server?";
const char* const kUnableWarning =
    "box Warning | The setup was unable to configure the Web Server. Please follow manual "
    "configuration setup.";
const char* const kApacheNotFound =
    "box Error | Apache configuration file httpd.conf not found. Installation aborted.\\r Please "
    "locate configuration file and re-run installation";
const char* const kStartPageFile = "Korvane Wendrix V3.0.url";
const char* const kGettingStartedFile = "Getting Started (A step by step guide).url";

std::string Box(const std::string& caption, const std::string& escapedText) {
  return "box " + caption + " | " + escapedText;
}

std::string ErrorReport(const std::string& escapedText) {
  return Box(kTitle, escapedText);
}

std::string Shortcut(const std::string& url) {
  return "[DEFAULT]\r\nBASEURL=" + url + "\r\n[InternetShortcut]\r\nURL=" + url + "\r\n";
}

std::string ApacheBlock(const std::string& installDir) {
  std::string path = installDir;
  std::replace(path.begin(), path.end(), '\\', '/');
  // The native build's Apache is the system's own: it takes the Linux folder that Z: maps.
  if (!UnderWine() && path.rfind("Z:", 0) == 0) path.erase(0, 2);
  return "######### Korvane Wendrix installation BEGIN #########\r\n"
         "Alias /wendrix/ \"" +
         path +
         "/www/wendrix/\"\r\n"
         "<Directory \"" +
         path +
         "/www/wendrix\">\r\n"
         "Options   FollowSymLinks\r\n"
         "AllowOverride None\r\n"
         "Order allow,deny\r\n"
         "Allow from all\r\n"
         "DirectoryIndex default.htm\r\n"
         "</Directory>\r\n"
         "\r\n"
         "<Directory \"" +
         path +
         "/www/wendrix/cgi-bin/\">\r\n"
         "Options  ExecCGI\r\n"
         "AllowOverride None\r\n"
         "Order allow,deny\r\n"
         "Allow from all\r\n"
         "AddHandler cgi-script .exe\r\n"
         "</Directory>\r\n"
         "######### Korvane Wendrix installation END #########\r\n";
}

void E2eTest::SetUp() {
  char folder[] = "/tmp/wdx-e2e-XXXXXX";
  if (!::mkdtemp(folder)) throw std::runtime_error("mkdtemp failed");
  root_ = std::filesystem::canonical(folder).string();
  inst_ = root_ + "/Wendrix App";  // a blank in the installation path, as under Program Files
  std::filesystem::create_directories(inst_ + "/www/wendrix/cgi-bin");
  const std::string source = Program();
  program_ = inst_ + "/" + std::filesystem::path(source).filename().string();
  std::filesystem::copy_file(source, program_);
  metabase_ = root_ + "/metabase.ini";
  WriteBytes(metabase_, "");
  env_ = {{"LC_ALL", "C"}, {"WENDRIX_COMPUTERNAME", "WEBHOST"}};
  if (UnderWine()) RegisterIisProvider();
}

void E2eTest::TearDown() {
  if (registryImported_) DeleteWineApacheKeys();
  // Folders a test made read-only must be writable again to be removed.
  std::error_code ignored;
  for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

std::string E2eTest::Inst(const std::string& relative) const {
  return relative.empty() ? inst_ : inst_ + "/" + relative;
}

std::string E2eTest::ComputerName() const {
  if (!UnderWine()) {
    for (const auto& [name, value] : env_) {
      if (name == "WENDRIX_COMPUTERNAME") return value;
    }
  }
  // Wine reports the host name the way Windows does: up to its first ".", upper-cased, 15
  // characters at most.
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  std::string name = host;
  name = name.substr(0, name.find('.'));
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name.substr(0, 15);
}

void E2eTest::UseMetabase(const std::string& text) {
  WriteBytes(metabase_, text);
  metabaseSet_ = true;
}

void E2eTest::UseRegistry(const std::string& regText) {
  registryFile_ = root_ + "/registry.reg";
  WriteBytes(registryFile_, regText);
  if (UnderWine()) {
    if (registryImported_ || regText.find('[') != std::string::npos) DeleteWineApacheKeys();
    registryImported_ = regText.find('[') != std::string::npos;
    if (registryImported_) RunWineTool({"reg", "import", WinPath(registryFile_)});
  }
}

void E2eTest::UseApacheServerRoot(const std::string& serverRoot) {
  UseRegistry(
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\1.3.27]\r\n"
      "\"ServerRoot\"=\"" +
      Escaped(serverRoot) + "\"\r\n");
}

std::string E2eTest::InstallApache(const std::string& conf) {
  const std::string path = root_ + "/Apache Group/conf/httpd.conf";
  WriteBytes(path, conf);
  UseApacheServerRoot(WinPath(root_ + "/Apache Group") + "\\");
  return path;
}

void E2eTest::RenameInstallation(const std::string& name) {
  const std::string renamed = root_ + "/" + name;
  std::filesystem::rename(inst_, renamed);
  program_ = renamed + program_.substr(inst_.size());
  inst_ = renamed;
}

void E2eTest::SetEnv(const std::string& name, const std::string& value) {
  UnsetEnv(name);
  env_.emplace_back(name, value);
}

void E2eTest::UnsetEnv(const std::string& name) {
  std::erase_if(env_, [&](const auto& entry) { return entry.first == name; });
}

Outcome E2eTest::Run(const std::vector<std::string>& args, const std::vector<std::string>& script,
                     const Limits& limits) {
  const std::string scriptFile = root_ + "/script.txt";
  std::string text;
  for (const std::string& line : script) text += line + "\n";
  WriteBytes(scriptFile, text);

  std::vector<std::pair<std::string, std::string>> env = env_;
  std::vector<std::string> argv;
  if (UnderWine()) {
    const auto wine = WineEnvironment();
    env.insert(env.end(), wine.begin(), wine.end());
    env.emplace_back("WENDRIX_UI", "script:" + WinPath(scriptFile));
    if (metabaseSet_) {
      env.emplace_back("WENDRIX_METABASE", WinPath(metabase_));
    } else {
      env.emplace_back("WINEDLLOVERRIDES", "activeds=");  // no directory-service library
    }
    argv = {"/bin/bash", WDX_E2E_WINE_RUN, program_};
  } else {
    env.emplace_back("WENDRIX_UI", "script:" + scriptFile);
    if (metabaseSet_) env.emplace_back("WENDRIX_METABASE", metabase_);
    if (!registryFile_.empty()) env.emplace_back("WENDRIX_REGISTRY", registryFile_);
    argv = {program_};
  }
  argv.insert(argv.end(), args.begin(), args.end());

  // The limit only catches a program that hangs: a loaded machine (a 50 MB rewrite beside two
  // compilers) must not turn a slow run into a failure.
  const Spawned run = Spawn(argv, env, root_, limits, 120);
  // The program always ends its output with "closed" or a "script:" line; a run that printed
  // nothing never got that far, and what it left on standard error tells why. A run cut off at
  // the limit fails saying so, whatever it printed before.
  if (run.out.empty() || (run.exitCode < 0 && run.signal == 0)) {
    ADD_FAILURE() << "the program " << (run.out.empty() ? "printed nothing" : "did not finish")
                  << ": it " << HowItEnded(run)
                  << (run.err.empty() ? ", with nothing on standard error"
                                      : ", and standard error held:\n" + run.err);
  }
  Outcome outcome;
  outcome.exitCode = run.exitCode;
  outcome.errors = run.err;
  std::stringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) outcome.lines.push_back(line);
  return outcome;
}

}  // namespace wdx::e2e
