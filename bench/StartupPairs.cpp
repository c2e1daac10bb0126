// Runs two programs in turn, n times each, and prints the median processor time (user and system
// together, as the kernel accounts it for the finished child) of each and their ratio:
//
//   startup_pairs <n> <yardstick program> <program> [<argument>...]
//
// Runs are paired, the yardstick first, so that both see the same moment of a busy machine; the
// medians then say more than means would. Standard output of both goes to /dev/null; standard
// error stays, so a program that fails says why. Exits 1 when a run fails.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double CpuMicroseconds(const rusage& usage) {
  const auto micro = [](const timeval& t) { return t.tv_sec * 1e6 + t.tv_usec; };
  return micro(usage.ru_utime) + micro(usage.ru_stime);
}

// The processor time of one run of argv, or a negative number when it did not exit with 0 or 4
// (the dialog's exit code when its answer file ends with the dialog open, as it does here).
double TimeOneRun(char** argv) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execv(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return -1;
  const int code = WEXITSTATUS(status);
  return code == 0 || code == 4 ? CpuMicroseconds(usage) : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int pairs = argc >= 4 ? std::atoi(argv[1]) : 0;
  if (pairs <= 0) {
    std::fprintf(stderr,
                 "usage: startup_pairs <n> <yardstick program> <program> [<argument>...]\n");
    return 2;
  }
  char* yardstick[] = {argv[2], nullptr};
  std::vector<double> bare, program;
  for (int i = 0; i < pairs; ++i) {
    const double b = TimeOneRun(yardstick);
    const double p = TimeOneRun(argv + 3);
    if (b < 0 || p < 0) {
      std::fprintf(stderr, "startup_pairs: run %d of %s failed\n", i + 1,
                   b < 0 ? argv[2] : argv[3]);
      return 1;
    }
    bare.push_back(b);
    program.push_back(p);
  }
  const double medianBare = Median(bare), medianProgram = Median(program);
  std::printf("yardstick %.2f ms, program %.2f ms (medians of %d paired runs), ratio %.2f\n",
              medianBare / 1000, medianProgram / 1000, pairs, medianProgram / medianBare);
}
