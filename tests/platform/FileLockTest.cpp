// Two read-modify-writes at once never lose an update, and none gets the file between another's
// read and replacement; a killed replacement leaves nothing that the next one does not clear.
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <map>

#include "framework/rtl/Exceptions.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "tests/platform/FileTestSupport.h"

namespace wdx {
namespace {

using test::MessageOf;

class FileLockTest : public test::FileTest {
 protected:
  // A child that appends `line` to the file in one read-modify-write, writing `tag` to `tries`
  // at each try of the lock.
  pid_t Appender(const std::string& line, int tries, char tag) const {
    const pid_t pid = ::fork();
    if (pid == 0) {
      SetFileFaultHook([=](const char* step, const std::string&) {
        return std::strcmp(step, "lock") == 0 && ::write(tries, &tag, 1) != 1 ? EIO : 0;
      });
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
  // Another process holds the lock while two writers start; a writer's second try of the lock
  // shows that it found the lock held and waits. The holder lets go when told.
  int tries[2], release[2];
  ASSERT_EQ(::pipe(tries), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const int held = ::open(Native("httpd.conf").c_str(), O_RDONLY);
    char go = 0;
    ::_exit(::flock(held, LOCK_EX) == 0 && ::write(tries[1], "h", 1) == 1 &&
                    ::read(release[0], &go, 1) == 1
                ? 0
                : 1);
  }
  char tag = 0;
  ASSERT_EQ(::read(tries[0], &tag, 1), 1);
  const pid_t first = Appender("first\n", tries[1], 'f');
  const pid_t second = Appender("second\n", tries[1], 's');
  std::map<char, int> seen;
  while (seen['f'] < 2 || seen['s'] < 2) {
    pollfd told{tries[0], POLLIN, 0};
    if (::poll(&told, 1, 10000) != 1 || ::read(tries[0], &tag, 1) != 1) break;
    ++seen[tag];
  }
  EXPECT_TRUE(seen['f'] >= 2 && seen['s'] >= 2) << "the writers did not wait for the lock";
  EXPECT_EQ(Read("httpd.conf"), "Listen 80\n");
  ASSERT_EQ(::write(release[1], "g", 1), 1);
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

TEST_F(FileLockTest, NoOtherWriterGetsTheFileFromTheReadToTheReplacement) {
  Write("application.cfg", "old");
  SetFileLockWait(std::chrono::milliseconds(0));
  TFileUpdate update(Win("application.cfg"));
  // Before every step up to the one that puts the new file in place, another writer tries the
  // file and is turned away; once it is in place, the next writer builds on it.
  int probes = 0;
  bool probing = false, replaced = false;
  SetFileFaultHook([&](const char* step, const std::string&) {
    if (probing || replaced) return 0;
    probing = true;
    EXPECT_EQ(MessageOf([&] { TFileUpdate probe(Win("application.cfg")); }),
              "Cannot open file " + Win("application.cfg"))
        << "before " << step;
    probing = false;
    replaced = std::strcmp(step, "rename") == 0;
    ++probes;
    return 0;
  });
  update.Replace("new");
  EXPECT_GE(probes, 10);
  EXPECT_EQ(Read("application.cfg"), "new");
}

TEST_F(FileLockTest, AReplacementKilledAtAnyStepLeavesOldOrNewAndTheNextRunClearsTheRest) {
  // Written in five pieces, so that kills land with part of the content in the temporary file.
  const std::string fresh(5 << 16, 'n');
  auto content = [&](TByteSink& sink) {
    for (size_t at = 0; at < fresh.size(); at += 1 << 16) sink.Put(fresh.substr(at, 1 << 16));
  };
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed temporary file" : "named temporary file");
    Write("application.cfg", "old");
    int midWrite = 0, leftBehind = 0;
    for (int kill = 0;; ++kill) {
      SCOPED_TRACE(kill);
      const pid_t pid = ::fork();
      if (pid == 0) {
        // Killed at step `kill`: by SIGUSR1 (which has no handler either) when part of the
        // content is written, so that such kills can be counted.
        int steps = 0, written = 0;
        SetFileFaultHook([&](const char* step, const std::string&) {
          if (!unnamed && std::strcmp(step, "create unnamed") == 0) return EOPNOTSUPP;
          const bool write = std::strcmp(step, "write") == 0;
          if (steps++ == kill) ::raise(write && written > 0 ? SIGUSR1 : SIGKILL);
          written += write;
          return 0;
        });
        TFileUpdate update(Win("application.cfg"));
        update.Replace(content);
        ::_exit(0);
      }
      int status = 0;
      ::waitpid(pid, &status, 0);
      midWrite += WIFSIGNALED(status) && WTERMSIG(status) == SIGUSR1;
      leftBehind += Names().size() > 1;
      const std::string text = Read("application.cfg");
      EXPECT_TRUE(text == "old" || text == fresh);
      SaveFileReplacing(Win("application.cfg"), "old");
      EXPECT_EQ(Names(), std::vector<std::string>{"application.cfg"});
      if (!WIFSIGNALED(status)) {  // every step has been killed once
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        break;
      }
    }
    EXPECT_GE(midWrite, 4);
    EXPECT_GE(leftBehind, unnamed ? 0 : 4);  // a named temporary file outlives its writer
  }
}

}  // namespace
}  // namespace wdx
