// Drives the real WDXConfig in a detached tmux session the way a person at a terminal would:
// keys go in with send-keys, and what the terminal shows comes back with capture-pane.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace wdx::terminal_test {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text);
// Runs a shell command; its standard output, and its exit status in `status`.
std::string Shell(const std::string& command, int* status = nullptr);
std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& bytes);
// The Windows form in which the program sees a Linux path.
std::string Windows(const fs::path& path);
// The line of the screen that holds `text`, or an empty string.
std::string LineWith(const std::string& screen, const std::string& text);
// The row of the screen that holds `text`, or -1.
int RowOf(const std::string& screen, const std::string& text);

extern const char kConfig[];     // application.cfg before a run
extern const char kHttpdConf[];  // httpd.conf before a run

class TerminalDialog : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // An Apache tree and the registry that names its server root.
  void WithApache();
  // The IIS stand-in; without web site 1's root there is no IIS.
  void WithIis(bool present);
  // The program's locale (LC_ALL; C unless set).
  void WithLocale(const std::string& locale) { env_.push_back("LC_ALL=" + locale); }

  std::string Tmux(const std::string& arguments);
  // Starts the program (command_: WDXConfig with argument 0 unless a test says otherwise) in a
  // terminal of the given size. When it ends, the terminal says "exit code <n>". The terminal
  // reports Ctrl+Tab to a program that asks for it.
  void Start(int columns = 120, int rows = 50);

  std::string Screen();
  // The screen with the escape sequences of its colours and attributes.
  std::string ScreenWithAttributes();
  // Where the cursor stands: {column, row}.
  std::pair<int, int> Cursor();
  // Polls the screen until `done` says so of a settled screen (two captures in a row alike),
  // failing the test after a while; the screen as last seen.
  std::string WaitUntil(const std::function<bool(const std::string&)>& done,
                        const std::string& what);
  // Polls the screen until it shows `text`; the screen as last seen.
  std::string WaitFor(const std::string& text);
  // Polls until the key help under the dialog reads `help` exactly; the screen as last seen.
  std::string WaitForHelp(const std::string& help);
  // Polls until the screen no longer shows `text`.
  std::string WaitForGone(const std::string& text);

  void Keys(std::initializer_list<std::string> keys);
  void Type(const std::string& text);
  // Sends keys and waits until the program has read them and waits for the next one, so that a
  // key that changes nothing on the screen can be shown to have done nothing.
  void KeysRead(std::initializer_list<std::string> keys);
  // Sends keys and waits until the screen shows `text`.
  std::string KeysThen(std::initializer_list<std::string> keys, const std::string& text);

  fs::path root_;
  fs::path install_;
  fs::path cgiBin_;
  fs::path apacheConf_;
  std::string socket_;
  std::string command_ = "./WDXConfig 0";
  int starts_ = 0;  // each start gets a tmux server of its own
  std::vector<std::string> env_;
};

}  // namespace wdx::terminal_test
