// A Windows program that only waits, so that the wine server of its prefix stays up while it
// runs: wine ends a prefix's server as soon as the last program in it has ended, and a program
// that connects just as the server closes its socket is cut off before it runs. ctest starts the
// keeper before the Windows build's first test and ends it after the last
// (cmake/wine-keep-server.sh).
//
//   wine_server_keeper.exe <ready file>   creates the file once it runs, then waits until ended
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: wine_server_keeper <ready file>\n", stderr);
    return 2;
  }
  std::FILE* ready = std::fopen(argv[1], "w");
  if (!ready || std::fclose(ready) != 0) {
    std::fprintf(stderr, "wine_server_keeper: cannot create %s\n", argv[1]);
    return 1;
  }
  Sleep(INFINITE);
  return 0;
}
