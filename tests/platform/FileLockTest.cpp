// Two read-modify-writes at once never lose an update; a killed replacement leaves nothing that
// the next one does not clear.
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "framework/rtl/Exceptions.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "tests/platform/FileTestSupport.h"

namespace wdx {
namespace {

using test::MessageOf;

class FileLockTest : public test::FileTest {
 protected:
  // A child that appends `line` to the file in one read-modify-write.
  pid_t Appender(const std::string& line) const {
    const pid_t pid = ::fork();
    if (pid == 0) {
      try {
        TFileUpdate update(Win("httpd.conf"));
        update.Replace(update.Bytes() + line);
        ::_exit(0);
      } catch (const std::exception&) {
        ::_exit(1);
      }
    }
    return pid;
  }
  static int ExitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(FileLockTest, WritersWaitForTheLockAndEachUpdateBuildsOnTheLast) {
  Write("httpd.conf", "Listen 80\n");
  // Another process holds the lock while two writers start; both must wait, then both lines must
  // be there.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const int held = ::open(Native("httpd.conf").c_str(), O_RDONLY);
    ::flock(held, LOCK_EX);
    if (::write(ready[1], "x", 1) != 1) ::_exit(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ::_exit(0);
  }
  char signal = 0;
  ASSERT_EQ(::read(ready[0], &signal, 1), 1);
  const pid_t first = Appender("first\n");
  const pid_t second = Appender("second\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Read("httpd.conf"), "Listen 80\n");
  EXPECT_EQ(ExitCode(holder), 0);
  EXPECT_EQ(ExitCode(first), 0);
  EXPECT_EQ(ExitCode(second), 0);
  const std::string text = Read("httpd.conf");
  EXPECT_TRUE(text == "Listen 80\nfirst\nsecond\n" || text == "Listen 80\nsecond\nfirst\n") << text;
}

TEST_F(FileLockTest, AWriterThatCannotGetTheLockInTimeChangesNothing) {
  Write("application.cfg", "old");
  const int held = ::open(Native("application.cfg").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  SetFileLockWait(std::chrono::milliseconds(100));
  EXPECT_EQ(MessageOf([&] { TFileUpdate update(Win("application.cfg")); }),
            "Cannot open file " + Win("application.cfg"));
  ::close(held);
  EXPECT_EQ(Read("application.cfg"), "old");
}

TEST_F(FileLockTest, AReplacementKilledAtAnyStepLeavesOldOrNewAndTheNextRunClearsTheRest) {
  Write("application.cfg", "old");
  for (int kill = 0;; ++kill) {
    SCOPED_TRACE(kill);
    const pid_t pid = ::fork();
    if (pid == 0) {
      int steps = 0;
      SetFileFaultHook([&](const char*, const std::string&) {
        if (steps++ == kill) ::raise(SIGKILL);
        return 0;
      });
      TFileUpdate update(Win("application.cfg"));
      update.Replace(std::string(200000, 'n'));
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string text = Read("application.cfg");
    EXPECT_TRUE(text == "old" || text == std::string(200000, 'n'));
    SaveFileReplacing(Win("application.cfg"), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"application.cfg"});
    if (WIFEXITED(status)) break;  // every step has been killed once
  }
}

}  // namespace
}  // namespace wdx
