#pragma once

#include <stdexcept>
#include <string>

namespace wdx::infra {

// Thrown by ThrowFromLibrary: carries the code it was given.
class ProbeError : public std::runtime_error {
 public:
  ProbeError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// Defined in a separate static library, so the exception it throws crosses a
// library and translation-unit boundary before it is caught.
[[noreturn]] void ThrowFromLibrary(int code);

// Runs `threads` threads that each add 1 to a shared counter `perThread`
// times under a std::mutex, and returns the final count.
long CountWithThreads(int threads, int perThread);

// True when the library was compiled for Windows.
bool BuiltForWindows();

}  // namespace wdx::infra
