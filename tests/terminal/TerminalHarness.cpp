#include "tests/terminal/TerminalHarness.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace wdx::terminal_test {

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

}  // namespace

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string Shell(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int code = ::pclose(pipe);
  if (status) *status = WIFEXITED(code) ? WEXITSTATUS(code) : -1;
  return output;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Windows(const fs::path& path) {
  std::string text = path.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return "Z:" + text;
}

std::string LineWith(const std::string& screen, const std::string& text) {
  std::istringstream lines(screen);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(text) != std::string::npos) return line;
  }
  return {};
}

int RowOf(const std::string& screen, const std::string& text) {
  std::istringstream lines(screen);
  int row = 0;
  for (std::string line; std::getline(lines, line); ++row) {
    if (line.find(text) != std::string::npos) return row;
  }
  return -1;
}

const char kConfig[] =
    "%settings = (\r\n"
    "          'http_root'=>'http://old',\r\n"
    "          'real_root'=>'C:\\old\\cgi-bin',\r\n"
    "          'your_logo'=>'/old.gif',\r\n"
    "          'email_settings_smtp'=>'mail.old',\r\n"
    "          'email_settings_from'=>'old@old',\r\n"
    "          'log_level'=>'warning',\r\n"
    ");\r\n";

const char kHttpdConf[] = "ServerRoot \"/srv/apache\"\r\nListen 80\r\n";

void TerminalDialog::SetUp() {
  int status = 0;
  Shell("tmux -V 2>/dev/null", &status);
  if (status != 0) GTEST_SKIP() << "tmux is not installed";
  std::string pattern = (fs::temp_directory_path() / "wdx-terminal-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  root_ = pattern;
  socket_ = "wdx-" + root_.filename().string();
  install_ = root_ / "Wendrix Site";
  cgiBin_ = install_ / "www" / "wendrix" / "cgi-bin";
  fs::create_directories(cgiBin_);
  fs::copy_file(WDX_PROGRAM, install_ / "WDXConfig");
  WriteFile(cgiBin_ / "application.cfg", kConfig);
  WriteFile(root_ / "tmux.conf", "set -g extended-keys on\n");
}

void TerminalDialog::TearDown() {
  if (!socket_.empty()) Tmux("kill-server 2>/dev/null");
  if (!root_.empty()) fs::remove_all(root_);
}

void TerminalDialog::WithApache() {
  apacheConf_ = root_ / "apache" / "conf";
  WriteFile(apacheConf_ / "httpd.conf", kHttpdConf);
  WriteFile(root_ / "registry.reg",
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\1.3.33]\r\n"
            "\"ServerRoot\"=\"" +
                Escaped(Windows(root_ / "apache") + "\\") + "\"\r\n");
  env_.push_back("WENDRIX_REGISTRY=" + (root_ / "registry.reg").string());
}

void TerminalDialog::WithIis(bool present) {
  WriteFile(root_ / "metabase.ini",
            present ? "[IIS://localhost/W3SVC/1/Root]\r\nClass=IIsWebVirtualDir\r\n"
                      "Path=C:\\Inetpub\\wwwroot\r\n"
                    : "[IIS://localhost/W3SVC/2/Root]\r\nClass=IIsWebVirtualDir\r\n");
  env_.push_back("WENDRIX_METABASE=" + (root_ / "metabase.ini").string());
}

std::string TerminalDialog::Tmux(const std::string& arguments) {
  return Shell("tmux -L " + socket_ + " -f " + Quoted((root_ / "tmux.conf").string()) + " " +
               arguments);
}

void TerminalDialog::Start(int columns, int rows) {
  // A server that is still shutting down keeps its socket for a moment, and a new session on it
  // would die with it: a second start in one test takes a server of its own.
  if (starts_++ > 0) {
    Tmux("kill-server 2>/dev/null");
    socket_ = "wdx-" + root_.filename().string() + "-" + std::to_string(starts_);
  }
  std::string script = "export WENDRIX_COMPUTERNAME=WEBHOST LC_ALL=C\n";
  for (const std::string& variable : env_) script += "export " + Quoted(variable) + "\n";
  script += "cd " + Quoted(install_.string()) + " && " + command_ +
            "\necho \"exit code $?\"\nsleep 600\n";
  WriteFile(root_ / "run.sh", script);
  Tmux("new-session -d -s dialog -x " + std::to_string(columns) + " -y " + std::to_string(rows) +
       " " + Quoted("sh " + Quoted((root_ / "run.sh").string())));
}

std::string TerminalDialog::Screen() {
  return Tmux("capture-pane -p -t dialog");
}

std::string TerminalDialog::ScreenWithAttributes() {
  return Tmux("capture-pane -p -e -t dialog");
}

std::pair<int, int> TerminalDialog::Cursor() {
  std::istringstream position(Tmux("display-message -p -t dialog '#{cursor_x} #{cursor_y}'"));
  std::pair<int, int> at{-1, -1};
  position >> at.first >> at.second;
  return at;
}

std::string TerminalDialog::WaitUntil(const std::function<bool(const std::string&)>& done,
                                      const std::string& what) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  // A screen counts only once two captures in a row agree, so that one taken halfway through
  // a redraw (a box whose frame is drawn but not yet its lines) is never judged.
  std::string screen;
  std::string previous;
  while (true) {
    screen = Screen();
    if (screen == previous && done(screen)) return screen;
    previous = screen;
    if (std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  }
  ADD_FAILURE() << "the screen " << what << ":\n" << screen;
  return screen;
}

std::string TerminalDialog::WaitFor(const std::string& text) {
  return WaitUntil(
      [&](const std::string& screen) { return screen.find(text) != std::string::npos; },
      "never showed \"" + text + "\"");
}

std::string TerminalDialog::WaitForHelp(const std::string& help) {
  return WaitUntil(
      [&](const std::string& screen) {
        std::string line = LineWith(screen, "Tab/Shift+Tab");
        line.erase(0, line.find_first_not_of(' '));
        line.erase(line.find_last_not_of(' ') + 1);
        return line == help;
      },
      "never showed the key help \"" + help + "\"");
}

std::string TerminalDialog::WaitForGone(const std::string& text) {
  return WaitUntil(
      [&](const std::string& screen) { return screen.find(text) == std::string::npos; },
      "kept showing \"" + text + "\"");
}

void TerminalDialog::Keys(std::initializer_list<std::string> keys) {
  std::string arguments;
  for (const std::string& key : keys) arguments += " " + key;
  Tmux("send-keys -t dialog" + arguments);
}

void TerminalDialog::Type(const std::string& text) {
  Tmux("send-keys -t dialog -l " + Quoted(text));
}

void TerminalDialog::KeysRead(std::initializer_list<std::string> keys) {
  // The program, the child of the terminal's shell, has read the keys once it has read more than
  // before and waits in a read of the terminal (system call 0 on file descriptor 0).
  std::string shell = Tmux("display-message -p -t dialog '#{pane_pid}'");
  shell.erase(shell.find('\n'));
  std::string pid;
  std::istringstream(ReadFile("/proc/" + shell + "/task/" + shell + "/children")) >> pid;
  const std::string proc = "/proc/" + pid;
  if (ReadFile(proc + "/syscall").empty()) GTEST_SKIP() << "no ptrace access to the program";
  auto bytesRead = [&] {  // "rchar: <n>", or -1 once the program has ended
    const std::string io = ReadFile(proc + "/io");
    return io.size() > 7 ? std::atol(io.c_str() + 7) : -1;
  };
  const long before = bytesRead();
  Keys(keys);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (bytesRead() <= before || ReadFile(proc + "/syscall").rfind("0 0x0 ", 0) != 0) {
    ASSERT_TRUE(fs::exists(proc)) << "the program ended";
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the program did not read the keys";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string TerminalDialog::KeysThen(std::initializer_list<std::string> keys,
                                     const std::string& text) {
  Keys(keys);
  return WaitFor(text);
}

}  // namespace wdx::terminal_test
