// Prints each argument as "argN=<text>" and exits with the number given as the
// first argument. Used to check that the test runner (and, in the Windows
// build, wine) passes arguments, output and exit codes through unchanged.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) std::printf("arg%d=<%s>\n", i, argv[i]);
  std::fflush(stdout);
  return argc > 1 ? std::atoi(argv[1]) : 0;
}
