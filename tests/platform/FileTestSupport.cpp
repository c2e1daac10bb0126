#include "tests/platform/FileTestSupport.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/FileFaults.h"

namespace wdx::test {

void FileTest::SetUp() {
  char folder[] = "/tmp/wdx-files-XXXXXX";
  root_ = ::mkdtemp(folder);
  ::chmod(root_.c_str(), 0777);  // tests drop to another user inside it
  setenv("WENDRIX_DRIVE_C", root_.c_str(), 1);
}

void FileTest::TearDown() {
  SetFileFaultHook(nullptr);
  SetFileLockWait(std::chrono::milliseconds(5000));
  unsetenv("WENDRIX_DRIVE_C");
  std::system(("chattr -R -i " + root_ + " 2>/dev/null; rm -rf " + root_).c_str());
}

std::string FileTest::Win(const std::string& relative) {
  std::string path = "C:\\" + relative;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void FileTest::Write(const std::string& relative, const std::string& bytes) const {
  std::ofstream file(Native(relative), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FileTest::Read(const std::string& relative) const {
  std::ifstream file(Native(relative), std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

struct stat FileTest::Stat(const std::string& relative) const {
  struct stat info {};
  ::lstat(Native(relative).c_str(), &info);
  return info;
}

std::vector<std::string> FileTest::Names(const std::string& relative) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(root_ + "/" + relative)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool FileTest::IsRoot() {
  return ::geteuid() == 0;
}

std::string FileTest::AsUser(const std::function<std::string()>& body, unsigned id) {
  int pipe[2];
  if (::pipe(pipe) != 0) return "pipe failed";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipe[0]);
    std::string result;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(id, id, id) != 0 ||
        ::setresuid(id, id, id) != 0) {
      result = "cannot drop privileges";
    } else {
      try {
        result = body();
      } catch (const std::exception& error) {
        result = error.what();
      }
    }
    if (::write(pipe[1], result.data(), result.size()) < 0) ::_exit(2);
    ::_exit(0);
  }
  ::close(pipe[1]);
  std::string result;
  char chunk[512];
  for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;) result.append(chunk, n);
  ::close(pipe[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return result;
}

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no exception";
}

}  // namespace wdx::test
