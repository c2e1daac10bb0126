// Checks that the toolchain of each build gives what the product relies on.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <future>
#include <mutex>
#include <thread>

#include "tests/infra/InfraProbe.h"

namespace wdx::infra {
namespace {

TEST(InfraSmoke, BuildIsSixtyFourBit) {
  EXPECT_EQ(sizeof(void*), 8u);
  EXPECT_EQ(sizeof(std::uintptr_t), 8u);
}

TEST(InfraSmoke, TargetMatchesTheConfiguredPlatform) {
  EXPECT_EQ(BuiltForWindows(), WDX_EXPECT_WINDOWS != 0);
#ifdef _WIN32
  EXPECT_TRUE(WDX_EXPECT_WINDOWS);
#else
  EXPECT_FALSE(WDX_EXPECT_WINDOWS);
#endif
}

TEST(InfraSmoke, MutexSerialisesThreads) {
  // Lost updates would show as a smaller count.
  EXPECT_EQ(CountWithThreads(4, 20000), 80000);
}

TEST(InfraSmoke, ConditionVariableWakesWaiter) {
  std::mutex mutex;
  std::condition_variable cv;
  bool ready = false;
  std::thread waker([&] {
    std::lock_guard lock(mutex);
    ready = true;
    cv.notify_one();
  });
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(30), [&] { return ready; }));
  }
  waker.join();
}

TEST(InfraSmoke, ExceptionCrossesLibraryBoundary) {
  try {
    ThrowFromLibrary(7);
    FAIL() << "no exception";
  } catch (const ProbeError& e) {
    EXPECT_EQ(e.code(), 7);
    EXPECT_STREQ(e.what(), "probe error 7");
  }
}

TEST(InfraSmoke, ExceptionCrossesThreadThroughFuture) {
  auto result = std::async(std::launch::async, [] { ThrowFromLibrary(9); });
  EXPECT_THROW(result.get(), ProbeError);
}

TEST(InfraSmoke, CatchAsBaseClass) {
  EXPECT_THROW(ThrowFromLibrary(1), std::runtime_error);
}

}  // namespace
}  // namespace wdx::infra
