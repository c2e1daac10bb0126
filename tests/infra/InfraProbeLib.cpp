#include <mutex>
#include <thread>
#include <vector>

#include "tests/infra/InfraProbe.h"

namespace wdx::infra {

void ThrowFromLibrary(int code) {
  throw ProbeError("probe error " + std::to_string(code), code);
}

long CountWithThreads(int threads, int perThread) {
  std::mutex mutex;
  long count = 0;
  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      for (int i = 0; i < perThread; ++i) {
        std::lock_guard lock(mutex);
        ++count;
      }
    });
  }
  for (auto& w : workers) w.join();
  return count;
}

bool BuiltForWindows() {
#ifdef _WIN32
  return true;
#else
  return false;
#endif
}

}  // namespace wdx::infra
