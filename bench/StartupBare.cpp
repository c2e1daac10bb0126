// The yardstick of the start-up benchmark: the least C++ program, one that prints a std::string.
// It is linked as any program is by default, against the shared C++ library.
#include <iostream>
#include <string>

int main() {
  const std::string text = "ready";
  std::cout << text << '\n';
}
